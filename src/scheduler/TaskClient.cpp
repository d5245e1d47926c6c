#include "scheduler/TaskClient.h"

namespace {
constexpr DISPID kName = 0x68030003;
constexpr DISPID kCreator = 0x6803000F;
constexpr DISPID kApplicationName = 0x68030012;
constexpr DISPID kParameters = 0x68030011;
constexpr DISPID kTriggers = 0x68030000;
constexpr DISPID kRun = 0x60030014;
constexpr DISPID kCommit = 0x60030016;
constexpr DISPID kEditProperties = 0x60030017;
}  // namespace

std::string TaskClient::Name() const { return GetText(kName); }

std::string TaskClient::Creator() const { return GetText(kCreator); }

HRESULT TaskClient::SetCreator(const std::string& creator) { return PutText(kCreator, creator); }

HRESULT TaskClient::SetApplicationName(const std::string& path) { return PutText(kApplicationName, path); }

std::wstring TaskClient::Parameters() const { return GetWideText(kParameters); }

HRESULT TaskClient::SetParameters(const std::wstring& commandLine) { return PutText(kParameters, commandLine); }

HRESULT TaskClient::SetParameters(const std::string& codePageCommandLine) {
    return PutText(kParameters, codePageCommandLine);
}

TriggerListClient TaskClient::Triggers() const {
    TriggerListClient list;
    Triggers(list);
    return list;
}

HRESULT TaskClient::Triggers(TriggerListClient& list) const {
    AutomationVariant result;
    const HRESULT hr = InvokeGet(kTriggers, result);
    list = FAILED(hr) ? TriggerListClient() : ObjectFrom<TriggerListClient>(result);
    return hr;
}

HRESULT TaskClient::Run() { return CallMethod(kRun); }

HRESULT TaskClient::Commit(const std::string& reserved) {
    AutomationVariant ignored;
    return InvokeMethod(kCommit, ignored, AutomationVariant::Text(reserved));
}

HRESULT TaskClient::EditProperties() { return CallMethod(kEditProperties); }
