#include "app/win/InstanceMutex.h"

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
    HANDLE mutex = OpenMutexW(MUTEX_ALL_ACCESS, TRUE, name);
    if (mutex == nullptr) return false;
    CloseHandle(mutex);
    return true;
}

void ReleaseInstanceMutex(HANDLE& mutex) {
    if (mutex == nullptr) return;
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    mutex = nullptr;
}
