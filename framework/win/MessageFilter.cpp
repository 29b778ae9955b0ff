#include "framework/win/MessageFilter.h"

namespace {

MessageFilterCall SystemMessageFilter() {
    HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    return reinterpret_cast<MessageFilterCall>(
        reinterpret_cast<void*>(::GetProcAddress(user32, "ChangeWindowMessageFilterEx")));
}

}  // namespace

MessageFilterCall changeMessageFilter = SystemMessageFilter();

bool AllowMessagesFromAnyProcess(HWND window, std::initializer_list<UINT> messages) {
    if (changeMessageFilter == nullptr) return false;
    bool allowed = true;
    for (UINT message : messages) allowed = changeMessageFilter(window, message, MSGFLT_ALLOW, nullptr) && allowed;
    return allowed;
}
