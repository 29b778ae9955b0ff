#include "applier/ApplierPlan.h"

#include "app/CmdLineAnalysis.h"
#include "system/Tools.h"

namespace {

const Text kPrefix = u"netsh interface ipv4 ";

Text Quoted(const Text& name) { return u"name=\"" + name + u"\""; }

ApplierCommand Netsh(const char16_t* label, const Text& rest) {
    return ApplierCommand{label, ApplierProgram::Netsh, kPrefix + rest};
}

// The static default gateways that `set address source=dhcp` may leave
// behind (as persistent routes) go before the switch to DHCP.
ApplierCommand GatewayClearCommand(const Text& name) {
    return Netsh(u"GW[Clear]", u"delete address " + Quoted(name) + u" gateway=all");
}

ApplierCommand AddressCommand(const ProfileRecord& r, const Text& name) {
    CTools tools;
    if (r.ipMode != 1)
        return Netsh(u"IP[DHCP]", u"set address " + Quoted(name) + u" source=dhcp");
    const Text ip = tools.AddressToText(r.ipAddress);
    const Text mask = tools.AddressToText(r.subnetMask);
    if (r.defaultGateway == 0)
        return Netsh(u"IP[Static]No_GW",
                     u"set address " + Quoted(name) + u" source=static addr=" + ip + u" mask=" + mask);
    return Netsh(u"IP[Static]GW", u"set address " + Quoted(name) + u" source=static " + ip + u" " + mask +
                                      u" " + tools.AddressToText(r.defaultGateway) + u" 0");
}

void AddMoreAddressCommands(const ProfileExtension& e, const Text& name, std::vector<ApplierCommand>& out) {
    CTools tools;
    for (const AddedAddress& a : e.moreAddresses)
        out.push_back(Netsh(u"IP[Add]", u"add address " + Quoted(name) + u" addr=" + tools.AddressToText(a.ipAddress) +
                                            u" mask=" + tools.AddressToText(a.subnetMask)));
    for (const AddedGateway& g : e.moreGateways)
        out.push_back(Netsh(u"GW[Add]", u"add address " + Quoted(name) + u" gateway=" +
                                            tools.AddressToText(g.defaultGateway) + u" gwmetric=" +
                                            text::Decimal(g.metric)));
}

void AddMoreDnsCommands(const ProfileExtension& e, const Text& name, std::vector<ApplierCommand>& out) {
    std::size_t index = extension::kFirstMoreDnsIndex;
    for (uint32_t server : e.moreDnsServers)
        out.push_back(Netsh(u"DNS[Add]", u"add dns " + Quoted(name) + u" addr=" + CTools().AddressToText(server) +
                                             u" index=" + text::Decimal(static_cast<long long>(index++))));
}

void AddDnsCommands(const ProfileRecord& r, const ProfileExtension& e, const Text& name,
                    std::vector<ApplierCommand>& out) {
    CTools tools;
    if (r.dnsMode != 1) {
        out.push_back(Netsh(u"DNS[Auto]", u"set dns " + Quoted(name) + u" source=dhcp register=PRIMARY"));
        return;
    }
    if (r.preferredDns == 0) {
        out.push_back(Netsh(u"DNS[No]", u"delete dnsserver " + Quoted(name) + u" all"));
        return;
    }
    out.push_back(Netsh(u"DNS[1st]", u"set dns " + Quoted(name) + u" source=static addr=" +
                                         tools.AddressToText(r.preferredDns) + u" register=PRIMARY"));
    if (r.alternateDns != 0)
        out.push_back(Netsh(u"DNS[2nd]", u"add dns " + Quoted(name) + u" addr=" +
                                             tools.AddressToText(r.alternateDns) + u" index=2"));
    AddMoreDnsCommands(e, name, out);
}

}  // namespace

ApplierCommand RenewCommand(const Text& connectionName) {
    return ApplierCommand{u"ipconfig /renew\n", ApplierProgram::Ipconfig,
                          u"ipconfig /renew \"" + connectionName + u"\""};
}

bool IsSafeConnectionName(const Text& name) {
    // ipconfig reads a name that begins as a switch does as a switch.
    if (!name.empty() && (name.front() == u'/' || name.front() == u'-')) return false;
    for (char16_t c : name)
        if (c == u'"' || c == u'*' || c == u'?' || c < 0x20 || c == 0x7F) return false;
    return true;
}

ApplierPlan PlanApplierRun(const HandoffContents& block) {
    ApplierPlan plan;
    const ProfileRecord& r = block.profile.Record();
    const ProfileExtension& e = block.profile.Extension();
    if (block.extensionRefused) {
        plan.refused = true;
        return plan;
    }
    if (r.profileId == 0) return plan;

    Text name = block.profile.GetText(ProfileText::connectionName);
    if (name.size() > kApplierNameLimit) name.resize(kApplierNameLimit);
    if (!IsSafeConnectionName(name) || !extension::IsWellFormed(e)) {
        plan.refused = true;
        return plan;
    }
    plan.notify = block.window32 != 0;
    plan.window32 = block.window32;

    plan.suffix = SuffixSetting{name, e.dnsSuffix};
    if (r.ipMode != 1) plan.settings.push_back(GatewayClearCommand(name));
    plan.settings.push_back(AddressCommand(r, name));
    if (r.ipMode == 1) AddMoreAddressCommands(e, name, plan.settings);
    AddDnsCommands(r, e, name, plan.settings);
    plan.pause = true;
    if (r.ipMode != 1) plan.renewal = RenewCommand(name);
    return plan;
}

bool IsDigestOfBlock(const Text& commandLine, const HandoffImage& copy) {
    const std::vector<Text> arguments = SplitCommandLine(commandLine);
    return arguments.size() == 2 && arguments[1] == HandoffDigest(copy);
}
