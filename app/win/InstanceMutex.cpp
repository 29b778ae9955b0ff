#include "app/win/InstanceMutex.h"

void CreateInstanceMutex(const wchar_t* name, CInstanceMutex& owner, bool& existed) {
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes = {sizeof(attributes), &descriptor, FALSE};
    HANDLE mutex = CreateMutexW(&attributes, TRUE, name);
    const DWORD error = GetLastError();
    owner.Reset(mutex);
    existed = mutex == nullptr || error == ERROR_ALREADY_EXISTS;
}

bool InstanceMutexExists(const wchar_t* name) {
    const CKernelHandle mutex(OpenMutexW(MUTEX_ALL_ACCESS, TRUE, name));
    return mutex.Valid();
}

