#include "app/StartRequestOutcome.h"

#include "app/SingleInstance.h"

std::optional<StatusCode> SettleStartRequest(const StartRequest& request,
                                             const std::wstring& instanceName,
                                             const std::function<void()>& exitAllPause) {
    switch (request.action) {
    case StartRequest::Action::ExitAll:
        return RequestExitOfAllInstances(instanceName, exitAllPause);
    case StartRequest::Action::Exit:
        return request.exitCode;
    case StartRequest::Action::Start:
        break;
    }
    if (request.multi || ClaimSingleInstance(instanceName) == InstanceClaim::FirstInstance)
        return std::nullopt;
    // Whether or not a listener was found, a second instance ends quietly.
    HandOffToRunningInstance(instanceName, request.mode, request.asioInstance);
    return 0;
}
