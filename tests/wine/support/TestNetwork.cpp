#include "tests/wine/support/TestNetwork.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "framework/win/UniqueHandle.h"
#include "framework/win/WideText.h"
#include "system/win/AdapterDiscovery.h"
#include "tests/wine/support/ApplierCases.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"

namespace testsupport {

namespace {

constexpr int kPolls = 900;
constexpr DWORD kPollMs = 50;

// The network's folder, a Unix path: from the variable the run sets, or,
// for the programs Wine's service manager starts (which get an environment
// of their own), from the file the run leaves in the prefix.
std::wstring Folder() {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableW(L"ORTIVO_TESTNET", buffer, MAX_PATH);
    if (n > 0 && n < MAX_PATH) return std::wstring(buffer, n);
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(L"C:\\ortivo-testnet", &bytes)) return std::wstring();
    std::string folder(bytes.begin(), bytes.end());
    while (!folder.empty() && (folder.back() == '\n' || folder.back() == '\r')) folder.pop_back();
    return W(text::FromUtf8(folder));
}

// Wine's drive Z: is the Unix root.
std::wstring OnDriveZ(std::wstring unixPath) {
    for (wchar_t& c : unixPath)
        if (c == L'/') c = L'\\';
    return L"Z:" + unixPath;
}

std::wstring FirstOr(const std::vector<std::wstring>& values, const wchar_t* none) {
    return values.empty() ? none : values.front();
}

// What the helper's DHCP client holds (testnet.sh, `lease`): the interface,
// the lease's DNS servers and DNS suffix, one line each; no file while the
// interface is fixed, and then Windows' DHCP client writes nothing either.
void KeepLeaseAsWindows(const std::wstring& folder) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(OnDriveZ(folder + L"/dhcp"), &bytes)) return;
    std::wstring held[3];
    std::size_t line = 0;
    for (std::size_t i = 0; i < bytes.size() && line < 3; ++i) {
        if (bytes[i] == '\n')
            ++line;
        else
            held[line] += static_cast<wchar_t>(bytes[i]);
    }
    const std::wstring none = L"0.0.0.0";
    for (const AdapterInfo& a : ListAdapters()) {
        if (a.description != held[0]) continue;
        const std::wstring address = FirstOr(a.ipAddresses, none.c_str()), mask = FirstOr(a.ipMasks, none.c_str());
        // Unanswered, the client holds no lease and keeps the automatic address apart.
        const bool automatic = address.rfind(L"169.254.", 0) == 0;
        SetTcpipText(a.guid, L"DhcpIPAddress", automatic ? none : address);
        SetTcpipText(a.guid, L"DhcpSubnetMask", automatic ? none : mask);
        SetTcpipText(a.guid, L"IPAutoconfigurationAddress", automatic ? address : none);
        SetTcpipText(a.guid, L"IPAutoconfigurationMask", automatic ? mask : L"255.0.0.0");
        SetTcpipText(a.guid, L"DhcpDefaultGateway", FirstOr(a.gateways, L""), REG_MULTI_SZ);
        SetTcpipText(a.guid, L"DhcpNameServer", held[1]);
        SetTcpipText(a.guid, L"DhcpDomain", held[2]);
    }
}

}  // namespace

bool InTestNetwork() { return !Folder().empty(); }

int TestNetworkDo(const std::wstring& verb) {
    const std::wstring folder = Folder();
    if (folder.empty()) return -1;
    const std::wstring done = folder + L"/done." + std::to_wstring(GetCurrentProcessId());
    DeleteFileW(OnDriveZ(done).c_str());
    std::wstring commandLine = L"helper do " + done + L" " + verb;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    // Wine starts a Unix program detached: the caller gets no handle to
    // wait on (measured), so the helper's end is the file it writes last.
    if (!CreateProcessW(OnDriveZ(folder + L"/helper").c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &started))
        return -1;
    const CKernelHandle process(started.hProcess), thread(started.hThread);
    for (int poll = 0; poll < kPolls; ++poll) {
        std::vector<uint8_t> code;
        if (ReadFileBytes(OnDriveZ(done), &code) && !code.empty()) {
            DeleteFileW(OnDriveZ(done).c_str());
            KeepLeaseAsWindows(folder);
            return std::atoi(std::string(code.begin(), code.end()).c_str());
        }
        Sleep(kPollMs);
    }
    return -1;
}

void SetTcpipText(const std::wstring& guid, const wchar_t* name, const std::wstring& value, DWORD type) {
    std::wstring data = value + L'\0';
    if (type == REG_MULTI_SZ) data += L'\0';
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, AdapterTcpipKey(guid).c_str(), name, type, data.c_str(),
                    static_cast<DWORD>(data.size() * sizeof(wchar_t)));
}

void SetTcpipDword(const std::wstring& guid, const wchar_t* name, DWORD value) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, AdapterTcpipKey(guid).c_str(), name, REG_DWORD, &value, sizeof(value));
}

AdapterInfo TestNetworkLan() {
    for (const AdapterInfo& a : ListAdapters())
        if (a.description == L"ortivo-lan") return a;
    return AdapterInfo{};
}

bool SeedTestNetworkLan(CRegistrySeed& seed, const AdapterInfo& lan) {
    return seed.SetString(HKEY_LOCAL_MACHINE, AdapterConnectionKey(lan.guid), L"Name", L"社内 LAN") &&
           seed.SetDword(HKEY_LOCAL_MACHINE, AdapterTcpipKey(lan.guid), L"EnableDHCP", 1);
}

CProfileData TestNetworkProfile(const AdapterInfo& lan, uint32_t gateway, const char16_t* name) {
    CProfileData p = ApplierProfile(u"社内 LAN");
    p.SetText(ProfileText::profileName, name);
    p.SetText(ProfileText::macAddress, T(lan.macText));
    ProfileRecord& r = p.Record();
    r.checkDhcp = r.checkPingGateway = 1;
    if (gateway == 0) return p;
    r.ipMode = r.dnsMode = 1;
    r.ipAddress = Ip(198, 51, 100, 10);
    r.subnetMask = Ip(255, 255, 255, 0);
    r.defaultGateway = gateway;
    r.preferredDns = Ip(198, 51, 100, 53);
    r.alternateDns = Ip(198, 51, 100, 54);
    return p;
}

}  // namespace testsupport
