#include "service/win/ServiceRecovery.h"

#include "applier/SettingRequest.h"
#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"

namespace {

constexpr DWORD kRestartDelayMs = 5000;
constexpr DWORD kResetPeriodSeconds = 24 * 60 * 60;

}  // namespace

bool ConfigureRestartOnFailure() {
    const CServiceHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    // A restart action needs the right to start the service.
    const CServiceHandle service(
        OpenServiceW(manager.Get(), WPtr(kSettingServiceName), SERVICE_CHANGE_CONFIG | SERVICE_START));
    if (!service.Valid()) return false;
    SC_ACTION restarts[3];
    for (SC_ACTION& action : restarts) action = {SC_ACTION_RESTART, kRestartDelayMs};
    SERVICE_FAILURE_ACTIONSW actions = {};
    actions.dwResetPeriod = kResetPeriodSeconds;
    actions.cActions = 3;
    actions.lpsaActions = restarts;
    SERVICE_FAILURE_ACTIONS_FLAG flag = {TRUE};
    const bool restarting = ChangeServiceConfig2W(service.Get(), SERVICE_CONFIG_FAILURE_ACTIONS, &actions) != FALSE;
    return ChangeServiceConfig2W(service.Get(), SERVICE_CONFIG_FAILURE_ACTIONS_FLAG, &flag) && restarting;
}
