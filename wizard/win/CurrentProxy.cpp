#include <windows.h>
#include <wininet.h>

#include <optional>

#include "framework/win/WideText.h"
#include "wizard/CurrentProxyRules.h"
#include "wizard/win/CurrentSettings.h"

namespace {

enum Option { kFlags, kServer, kBypass, kAutoDiscovery, kAutoConfigUrl, kOptionCount };

// The LAN connection's per-connection options, queried once; the texts the
// system allocates for the answer are freed with the object.
class PerConnectionOptions {
public:
    PerConnectionOptions() {
        const DWORD asked[kOptionCount] = {INTERNET_PER_CONN_FLAGS, INTERNET_PER_CONN_PROXY_SERVER,
                                           INTERNET_PER_CONN_PROXY_BYPASS, INTERNET_PER_CONN_AUTODISCOVERY_FLAGS,
                                           INTERNET_PER_CONN_AUTOCONFIG_URL};
        for (int i = 0; i < kOptionCount; ++i) options_[i].dwOption = asked[i];
        INTERNET_PER_CONN_OPTION_LISTW list{};
        list.dwSize = sizeof(list);
        list.pszConnection = nullptr;  // the LAN connection
        list.dwOptionCount = kOptionCount;
        list.pOptions = options_;
        DWORD size = sizeof(list);
        queried_ = InternetQueryOptionW(nullptr, INTERNET_OPTION_PER_CONNECTION_OPTION, &list, &size) != FALSE;
    }
    ~PerConnectionOptions() {
        if (!queried_) return;
        for (Option text : {kServer, kBypass, kAutoConfigUrl})
            if (options_[text].Value.pszValue != nullptr) GlobalFree(options_[text].Value.pszValue);
    }
    PerConnectionOptions(const PerConnectionOptions&) = delete;
    PerConnectionOptions& operator=(const PerConnectionOptions&) = delete;

    bool Queried() const { return queried_; }
    DWORD Flags() const { return options_[kFlags].Value.dwValue; }
    // A text the system holds; an empty one counts as none.
    std::optional<Text> TextOf(Option option) const {
        const wchar_t* value = options_[option].Value.pszValue;
        if (value == nullptr || *value == L'\0') return std::nullopt;
        return T(value);
    }

private:
    INTERNET_PER_CONN_OPTIONW options_[kOptionCount] = {};
    bool queried_ = false;
};

}  // namespace

void FillProxyFromCurrent(CProfileData& profile, int ieMajorVersion) {
    const PerConnectionOptions options;
    if (!options.Queried()) return;
    currentproxy::CurrentProxy current;
    current.flags = options.Flags();
    current.server = options.TextOf(kServer);
    current.bypass = options.TextOf(kBypass);
    current.autoConfigUrl = options.TextOf(kAutoConfigUrl);
    currentproxy::FillProxyFields(profile, current, ieMajorVersion);
}
