#include "switching/win/ProxyWriter.h"

#include <string>
#include <vector>

#include "framework/win/WideText.h"
#include "switching/ProxyComposition.h"

namespace {

// The option list for one InternetSetOptionW call; owns the strings the
// options point at.
class OptionList {
public:
    void AddFlags(DWORD flags) {
        INTERNET_PER_CONN_OPTIONW o{};
        o.dwOption = INTERNET_PER_CONN_FLAGS;
        o.Value.dwValue = flags;
        options_.push_back(o);
    }
    // Strings are passed even when empty.
    void AddText(DWORD option, const Text& value) {
        texts_.push_back(W(value));
        INTERNET_PER_CONN_OPTIONW o{};
        o.dwOption = option;
        options_.push_back(o);
    }

    // Writes the options into the LAN connection's settings.
    bool Write(InternetOptionCall setOption) {
        std::size_t next = 0;
        for (INTERNET_PER_CONN_OPTIONW& o : options_)
            if (o.dwOption != INTERNET_PER_CONN_FLAGS) o.Value.pszValue = &texts_[next++][0];
        INTERNET_PER_CONN_OPTION_LISTW list{};
        list.dwSize = sizeof(list);
        list.pszConnection = nullptr;  // the LAN connection
        list.dwOptionCount = static_cast<DWORD>(options_.size());
        list.pOptions = options_.data();
        return setOption(nullptr, INTERNET_OPTION_PER_CONNECTION_OPTION, &list, sizeof(list)) != FALSE;
    }

private:
    std::vector<INTERNET_PER_CONN_OPTIONW> options_;
    std::vector<std::wstring> texts_;
};

}  // namespace

int ApplyProxySettings(const CProfileData& profile, int ieMajorVersion, InternetOptionCall setOption) {
    const proxy::Options o = proxy::Compose(profile, ieMajorVersion);
    if (o.action == proxy::Action::LeaveUnchanged) return 1;

    OptionList options;
    options.AddFlags(o.flags);
    if (o.action == proxy::Action::SetFromProfile) {
        options.AddText(INTERNET_PER_CONN_PROXY_SERVER, o.server);
        options.AddText(INTERNET_PER_CONN_PROXY_BYPASS, o.bypass);
    }
    options.AddText(INTERNET_PER_CONN_AUTOCONFIG_URL, o.autoConfigUrl);
    const bool written = options.Write(setOption);
    setOption(nullptr, INTERNET_OPTION_SETTINGS_CHANGED, nullptr, 0);
    return written ? 0 : -1;
}
