#include "applier/ApplierPlan.h"

#include "app/CmdLineAnalysis.h"
#include "system/Tools.h"

namespace {

const Text kPrefix = u"netsh interface ipv4 ";

Text Quoted(const Text& name) { return u"name=\"" + name + u"\""; }

ApplierCommand Netsh(const char16_t* label, const Text& rest) {
    return ApplierCommand{label, ApplierProgram::Netsh, kPrefix + rest};
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

void AddDnsCommands(const ProfileRecord& r, const Text& name, std::vector<ApplierCommand>& out) {
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
    if (r.profileId == 0) return plan;

    Text name = block.profile.GetText(ProfileText::connectionName);
    if (name.size() > kApplierNameLimit) name.resize(kApplierNameLimit);
    if (!IsSafeConnectionName(name)) {
        plan.refused = true;
        return plan;
    }
    plan.notify = block.window32 != 0;
    plan.window32 = block.window32;

    plan.settings.push_back(AddressCommand(r, name));
    AddDnsCommands(r, name, plan.settings);
    plan.pause = true;
    if (r.ipMode != 1) plan.renewal = RenewCommand(name);
    return plan;
}

bool IsDigestOfBlock(const Text& commandLine, const HandoffImage& copy) {
    const std::vector<Text> arguments = SplitCommandLine(commandLine);
    return arguments.size() == 2 && arguments[1] == HandoffDigest(copy);
}
