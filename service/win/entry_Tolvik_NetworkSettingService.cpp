// Tolvik_NetworkSettingService: the setting service. It applies the IPv4
// part of a profile that a user's main program sends through the pipe
// whose name it publishes, with the setting applier's own plan and
// runner, so that a standard user switches without an elevation prompt.
// It runs only under the service control manager.
#include <windows.h>

#include "applier/SettingRequest.h"
#include "applier/win/SystemDllSearch.h"
#include "framework/win/WideText.h"
#include "service/win/SettingService.h"

namespace {

// Started by hand rather than by the manager.
constexpr int kExitNotAService = 1;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    LoadDllsFromSystemDirectoryOnly();
    // The dispatcher only reads the name.
    wchar_t* name = const_cast<wchar_t*>(WPtr(kSettingServiceName));
    const SERVICE_TABLE_ENTRYW table[] = {{name, SettingServiceMain}, {nullptr, nullptr}};
    return StartServiceCtrlDispatcherW(table) ? 0 : kExitNotAService;
}
