#include "app/StartRequestOutcome.h"

#include "app/SingleInstance.h"

std::optional<StatusCode> SettleStartRequest(const StartRequest& request,
                                             const std::wstring& instanceName,
                                             const std::function<void()>& exitAllPause) {
    switch (request.kind) {
    case StartRequest::Kind::ExitAll:
        return RequestExitOfAllInstances(instanceName, exitAllPause);
    case StartRequest::Kind::End:
        return request.exitCode;
    case StartRequest::Kind::Show:
    case StartRequest::Kind::Hidden:
    case StartRequest::Kind::Page:
        break;
    }
    if (request.multi || ClaimSingleInstance(instanceName) == InstanceClaim::FirstInstance)
        return std::nullopt;
    // Whether or not a listener was found, a second instance ends quietly.
    HandOffToRunningInstance(instanceName, request);
    return 0;
}
