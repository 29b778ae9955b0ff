#include "TestNetworkCommand.h"

#include <windows.h>

#include <vector>

#include "app/CmdLineAnalysis.h"
#include "framework/win/WideText.h"
#include "system/win/AdapterDiscovery.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestNetwork.h"

namespace {

// A verb of the helper; none when there is nothing to do.
struct Request {
    std::wstring verb;
    std::wstring connection;
    std::vector<std::wstring> values;  // after the interface
};

// The value of "key=value" among the arguments; empty when none.
std::wstring Named(const std::vector<std::wstring>& args, const std::wstring& key) {
    for (const std::wstring& a : args)
        if (_wcsnicmp(a.c_str(), (key + L"=").c_str(), key.size() + 1) == 0) return a.substr(key.size() + 1);
    return std::wstring();
}

// The applier's command lines (applier/ApplierPlan.cpp).
Request Parse(const std::wstring& commandLine) {
    std::vector<std::wstring> args;
    for (const Text& a : SplitCommandLine(T(commandLine))) args.push_back(W(a));
    if (args.size() == 3 && args[1] == L"/renew") return {L"renew", args[2], {}};
    if (args.size() < 6) return {};
    const std::wstring what = args[3] + L" " + args[4], name = Named(args, L"name"), source = Named(args, L"source");
    if (what == L"set address" && source == L"dhcp") return {L"dhcp", name, {}};
    if (what == L"set address" && !Named(args, L"addr").empty())
        return {L"static", name, {Named(args, L"addr"), Named(args, L"mask")}};
    if (what == L"set address" && args.size() >= 10) return {L"static", name, {args[7], args[8], args[9]}};
    if (what == L"set dns" && source == L"static") return {L"dns", name, {Named(args, L"addr")}};
    if (what == L"add dns") return {L"dns-add", name, {Named(args, L"addr")}};
    if (what == L"delete dnsserver") return {L"dns", name, {}};
    return {};
}

// The adapter whose connection name (the registry key the tests seed) is `name`.
bool FindConnection(const std::wstring& name, AdapterInfo& found) {
    for (const AdapterInfo& a : ListAdapters())
        if (GetConnectionName(a.guid) == name) {
            found = a;
            return true;
        }
    return false;
}

std::wstring FirstOr(const std::vector<std::wstring>& values, const wchar_t* none) {
    return values.empty() ? none : values.front();
}

void SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value, DWORD type = REG_SZ) {
    std::wstring data = value + L'\0';
    if (type == REG_MULTI_SZ) data += L'\0';
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, type, data.c_str(),
                    static_cast<DWORD>(data.size() * sizeof(wchar_t)));
}

void SetDword(const std::wstring& key, const wchar_t* name, DWORD value) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_DWORD, &value, sizeof(value));
}

// netsh writes a fixed address; the DHCP client writes its lease, here the
// one the interface now has.
void KeepAsWindows(const Request& r, const std::wstring& guid) {
    const std::wstring key = AdapterTcpipKey(guid);
    if (r.verb == L"static") {
        SetDword(key, L"EnableDHCP", 0);
        SetText(key, L"IPAddress", r.values[0], REG_MULTI_SZ);
        SetText(key, L"SubnetMask", r.values[1], REG_MULTI_SZ);
        SetText(key, L"DefaultGateway", r.values.size() > 2 ? r.values[2] : L"", REG_MULTI_SZ);
    }
    if (r.verb != L"dhcp" && r.verb != L"renew") return;
    SetDword(key, L"EnableDHCP", 1);
    AdapterInfo now;
    for (const AdapterInfo& a : ListAdapters())
        if (a.guid == guid) now = a;
    SetText(key, L"DhcpIPAddress", FirstOr(now.ipAddresses, L"0.0.0.0"));
    SetText(key, L"DhcpSubnetMask", FirstOr(now.ipMasks, L"0.0.0.0"));
    SetText(key, L"DhcpDefaultGateway", FirstOr(now.gateways, L""), REG_MULTI_SZ);
}

}  // namespace

bool DoInTestNetwork(const std::wstring& commandLine) {
    if (!testsupport::InTestNetwork()) return true;
    const Request r = Parse(commandLine);
    AdapterInfo adapter;
    if (r.verb.empty()) return true;
    if (!FindConnection(r.connection, adapter)) return false;
    std::wstring verb = r.verb + L" " + adapter.description;
    for (const std::wstring& v : r.values) verb += L" " + v;
    const bool done = testsupport::TestNetworkDo(verb) == 0;
    if (done || r.verb != L"static") KeepAsWindows(r, adapter.guid);
    return done;
}
