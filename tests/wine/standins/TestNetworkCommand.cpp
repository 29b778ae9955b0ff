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
    if (what == L"set dns" && source == L"dhcp") return {L"dns-dhcp", name, {}};
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

// netsh writes the fixed address and the DNS servers it was given (a
// comma-separated list; empty when DHCP gives them or there are none); the
// DHCP client's values follow in TestNetworkDo.
void KeepAsWindows(const Request& r, const std::wstring& guid) {
    using testsupport::SetTcpipDword;
    using testsupport::SetTcpipText;
    if (r.verb == L"static") {
        SetTcpipDword(guid, L"EnableDHCP", 0);
        SetTcpipText(guid, L"IPAddress", r.values[0], REG_MULTI_SZ);
        SetTcpipText(guid, L"SubnetMask", r.values[1], REG_MULTI_SZ);
        SetTcpipText(guid, L"DefaultGateway", r.values.size() > 2 ? r.values[2] : L"", REG_MULTI_SZ);
    }
    if (r.verb == L"dhcp") SetTcpipDword(guid, L"EnableDHCP", 1);
    if (r.verb == L"dns" || r.verb == L"dns-dhcp")
        SetTcpipText(guid, L"NameServer", r.values.empty() ? L"" : r.values[0]);
    if (r.verb == L"dns-add") {
        const std::wstring now = RegistryString(HKEY_LOCAL_MACHINE, AdapterTcpipKey(guid), L"NameServer");
        SetTcpipText(guid, L"NameServer", now.empty() || now == L"(none)" ? r.values[0] : now + L"," + r.values[0]);
    }
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
