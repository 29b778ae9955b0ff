#include "app/win/InstanceMutex.h"

#include "framework/win/UniqueHandle.h"

HANDLE CreateInstanceMutex(const wchar_t* name, bool& existed) {
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES attributes = {sizeof(attributes), &descriptor, FALSE};
    HANDLE mutex = CreateMutexW(&attributes, TRUE, name);
    existed = mutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS;
    return mutex;
}

bool InstanceMutexExists(const wchar_t* name) {
    const CKernelHandle mutex(OpenMutexW(MUTEX_ALL_ACCESS, TRUE, name));
    return mutex.Valid();
}

void ReleaseInstanceMutex(HANDLE& mutex) {
    const CKernelHandle owned(mutex);
    mutex = nullptr;
    if (owned.Valid()) ReleaseMutex(owned.Get());
}
