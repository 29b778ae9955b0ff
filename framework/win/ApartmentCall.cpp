#include "framework/win/ApartmentCall.h"

#include <windows.h>
#include <objbase.h>

#include "framework/win/MessageLoop.h"
#include "framework/win/UniqueHandle.h"

namespace {

struct ApartmentCall {
    const std::function<bool()>& work;
    bool result = false;
};

DWORD WINAPI RunInApartment(LPVOID parameter) {
    auto* call = static_cast<ApartmentCall*>(parameter);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    call->result = call->work();
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

}  // namespace

bool CallInOwnApartment(const std::function<bool()>& work, WhileWaiting whileWaiting) {
    ApartmentCall call{work};
    const CKernelHandle thread(CreateThread(nullptr, 0, RunInApartment, &call, 0, nullptr));
    if (!thread.Valid()) return work();
    // A quit message ends the pumping early; the thread is still waited for.
    if (whileWaiting != WhileWaiting::pumpMessages || !msgloop::PumpUntilSignalled(thread.Get()))
        WaitForSingleObject(thread.Get(), INFINITE);
    return call.result;
}
