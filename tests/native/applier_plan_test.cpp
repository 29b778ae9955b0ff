#include <gtest/gtest.h>

#include "tests/native/Ip.h"

#include <cstring>

#include "applier/ApplierPlan.h"
#include "applier/SettingRequest.h"
#include "framework/Sha256.h"
#include "switching/HandoffRecord.h"

namespace {


HandoffContents Block(uint8_t ipMode, uint32_t gateway, uint8_t dnsMode, uint32_t dns1, uint32_t dns2,
                      const char16_t* name = u"LAN", uint32_t window = 0x1234) {
    HandoffContents b;
    ProfileRecord& r = b.profile.Record();
    r.profileId = 3;
    b.profile.SetText(ProfileText::connectionName, name);
    r.ipMode = ipMode;
    r.ipAddress = Ip(192, 168, 0, 10);
    r.subnetMask = Ip(255, 255, 255, 0);
    r.defaultGateway = gateway;
    r.dnsMode = dnsMode;
    r.preferredDns = dns1;
    r.alternateDns = dns2;
    b.window32 = window;
    return b;
}

// One more address and gateway, two more DNS servers, and a suffix.
HandoffContents WithAdditions(HandoffContents b) {
    b.profile.Extension() = {{{Ip(10, 0, 0, 5), Ip(255, 0, 0, 0)}}, {{Ip(10, 0, 0, 1), 20}},
                             {Ip(10, 0, 0, 53), Ip(10, 0, 0, 54)}, u"corp.example", ""};
    return b;
}

Text Suffix(const ApplierPlan& plan) { return plan.suffix ? plan.suffix->connectionName + u":" + plan.suffix->suffix : u"-"; }

std::vector<std::pair<Text, Text>> Rows(const ApplierPlan& plan) {
    std::vector<std::pair<Text, Text>> rows;
    for (const auto& c : plan.settings) rows.emplace_back(c.label, c.commandLine);
    return rows;
}

using Rows_t = std::vector<std::pair<Text, Text>>;

TEST(ApplierPlan, EveryAddressAndDnsRowOfTheCommandTable) {
    const uint32_t gw = Ip(192, 168, 0, 1), d1 = Ip(192, 168, 0, 2), d2 = Ip(192, 168, 0, 3);
    EXPECT_EQ((Rows_t{{u"IP[Static]No_GW",
                       u"netsh interface ipv4 set address name=\"LAN\" source=static addr=192.168.0.10 mask=255.255.255.0"},
                      {u"DNS[No]", u"netsh interface ipv4 delete dnsserver name=\"LAN\" all"}}),
              Rows(PlanApplierRun(Block(1, 0, 1, 0, d2))));
    EXPECT_EQ((Rows_t{{u"IP[Static]GW",
                       u"netsh interface ipv4 set address name=\"LAN\" source=static 192.168.0.10 255.255.255.0 192.168.0.1 0"},
                      {u"DNS[1st]", u"netsh interface ipv4 set dns name=\"LAN\" source=static addr=192.168.0.2 register=PRIMARY"},
                      {u"DNS[2nd]", u"netsh interface ipv4 add dns name=\"LAN\" addr=192.168.0.3 index=2"}}),
              Rows(PlanApplierRun(Block(1, gw, 1, d1, d2))));
    EXPECT_EQ((Rows_t{{u"GW[Clear]", u"netsh interface ipv4 delete address name=\"LAN\" gateway=all"},
                      {u"IP[DHCP]", u"netsh interface ipv4 set address name=\"LAN\" source=dhcp"},
                      {u"DNS[1st]", u"netsh interface ipv4 set dns name=\"LAN\" source=static addr=192.168.0.2 register=PRIMARY"}}),
              Rows(PlanApplierRun(Block(0, gw, 1, d1, 0))));
    EXPECT_EQ((Rows_t{{u"GW[Clear]", u"netsh interface ipv4 delete address name=\"LAN\" gateway=all"},
                      {u"IP[DHCP]", u"netsh interface ipv4 set address name=\"LAN\" source=dhcp"},
                      {u"DNS[Auto]", u"netsh interface ipv4 set dns name=\"LAN\" source=dhcp register=PRIMARY"}}),
              Rows(PlanApplierRun(Block(2, gw, 2, d1, d2))))
        << "modes other than 1 count as DHCP / automatic";
    // The additions after the address command, DNS servers from index 3;
    // DHCP leaves the addresses out and deletes the static gateways first.
    // Every plan sets the suffix: the profile's, or none.
    const ApplierPlan added = PlanApplierRun(WithAdditions(Block(1, gw, 1, d1, d2)));
    EXPECT_EQ((Rows_t{{u"IP[Static]GW",
                       u"netsh interface ipv4 set address name=\"LAN\" source=static 192.168.0.10 255.255.255.0 192.168.0.1 0"},
                      {u"IP[Add]", u"netsh interface ipv4 add address name=\"LAN\" addr=10.0.0.5 mask=255.0.0.0"},
                      {u"GW[Add]", u"netsh interface ipv4 add address name=\"LAN\" gateway=10.0.0.1 gwmetric=20"},
                      {u"DNS[1st]", u"netsh interface ipv4 set dns name=\"LAN\" source=static addr=192.168.0.2 register=PRIMARY"},
                      {u"DNS[2nd]", u"netsh interface ipv4 add dns name=\"LAN\" addr=192.168.0.3 index=2"},
                      {u"DNS[Add]", u"netsh interface ipv4 add dns name=\"LAN\" addr=10.0.0.53 index=3"},
                      {u"DNS[Add]", u"netsh interface ipv4 add dns name=\"LAN\" addr=10.0.0.54 index=4"}}),
              Rows(added));
    const ApplierPlan dhcp = PlanApplierRun(WithAdditions(Block(0, 0, 0, 0, 0)));
    EXPECT_EQ(Rows(PlanApplierRun(Block(0, 0, 0, 0, 0))), Rows(dhcp)) << "the static gateways deleted, no addition";
    EXPECT_EQ(u"LAN:corp.example", Suffix(added));
    EXPECT_EQ(u"LAN:corp.example", Suffix(dhcp));
    EXPECT_EQ(u"LAN:", Suffix(PlanApplierRun(Block(0, 0, 0, 0, 0)))) << "no suffix of an earlier profile stays";
    // An extension out of its bounds, or refused, runs nothing.
    HandoffContents five = WithAdditions(Block(1, 0, 1, 0, 0)), refused = five;
    five.profile.Extension().moreAddresses.resize(5, {Ip(10, 0, 0, 9), Ip(255, 0, 0, 0)});
    refused.extensionRefused = true;
    for (const HandoffContents& b : {five, refused}) {
        const ApplierPlan plan = PlanApplierRun(b);
        EXPECT_TRUE(plan.refused && plan.settings.empty() && !plan.suffix && !plan.pause && !plan.notify);
    }
}

TEST(ApplierPlan, RenewsOnlyTheConnectionOnlyForDhcpAndAlwaysPauses) {
    const ApplierPlan fixed = PlanApplierRun(Block(1, 0, 0, 0, 0));
    EXPECT_FALSE(fixed.renewal.has_value());
    EXPECT_TRUE(fixed.pause);
    const ApplierPlan dhcp = PlanApplierRun(Block(0, 0, 1, Ip(1, 1, 1, 1), 0, u"Wi-Fi 2"));
    ASSERT_TRUE(dhcp.renewal.has_value());
    EXPECT_EQ(u"ipconfig /renew \"Wi-Fi 2\"", dhcp.renewal->commandLine);
    EXPECT_EQ(u"ipconfig /renew\n", dhcp.renewal->label);
    EXPECT_EQ(ApplierProgram::Ipconfig, dhcp.renewal->program);
    EXPECT_TRUE(dhcp.pause);
    EXPECT_TRUE(dhcp.notify);
    EXPECT_EQ(0x1234u, dhcp.window32);
}

TEST(ApplierPlan, UnregisteredProfileDoesNothingAndSendsNothing) {
    HandoffContents b = Block(1, 0, 0, 0, 0);
    b.profile.Record().profileId = 0;
    const ApplierPlan plan = PlanApplierRun(b);
    EXPECT_TRUE(plan.settings.empty());
    EXPECT_FALSE(plan.renewal || plan.pause || plan.notify || plan.refused);
}

TEST(ApplierPlan, WindowZeroRunsButDoesNotNotify) {
    const ApplierPlan plan = PlanApplierRun(Block(1, 0, 0, 0, 0, u"LAN", 0));
    EXPECT_EQ(2u, plan.settings.size());
    EXPECT_FALSE(plan.notify);
}

TEST(ApplierPlan, UnsafeNamesAreRefusedAndRunNothing) {
    for (const char16_t* name : {u"LAN\" addr=1.1.1.1", u"LAN\r\nx", u"\tLAN", u"*", u"LAN?", u"Wi-Fi*",
                                 u"/all", u"-x"}) {
        const ApplierPlan plan = PlanApplierRun(Block(0, 0, 0, 0, 0, name));
        EXPECT_TRUE(plan.refused);
        EXPECT_TRUE(plan.settings.empty());
        EXPECT_FALSE(plan.renewal || plan.pause || plan.notify);
    }
    EXPECT_TRUE(IsSafeConnectionName(u"ローカル エリア 接続 (2)"));
    EXPECT_TRUE(IsSafeConnectionName(u"Wi-Fi 2/LAN-B"));
    EXPECT_FALSE(IsSafeConnectionName(u"a\"b"));
    EXPECT_FALSE(IsSafeConnectionName(Text(1, u'\x1f')));
}

TEST(ApplierPlan, NameIsReadBoundedByTheFieldEvenWithoutTerminator) {
    HandoffContents b = Block(0, 0, 0, 0, 0);
    // Fill all 260 units of the field with 'x', no terminator at all.
    uint8_t bytes[kProfileRecordSize];
    std::memcpy(bytes, b.profile.Bytes(), sizeof(bytes));
    for (std::size_t i = 0; i < 260; ++i) {
        const char16_t x = u'x';
        std::memcpy(bytes + 80 + 2 * i, &x, 2);
    }
    b.profile.LoadBytes(bytes);
    const ApplierPlan plan = PlanApplierRun(b);
    ASSERT_EQ(3u, plan.settings.size());
    EXPECT_EQ(u"netsh interface ipv4 set address name=\"" + Text(255, u'x') + u"\" source=dhcp",
              plan.settings[1].commandLine);
}

// The setting service's request: the record, and its extension, planned by
// the applier's plan with no window to notify; refused is reply 1 and runs nothing.
std::vector<uint8_t> Message(const HandoffContents& block, std::size_t size = kSettingRequestSize) {
    std::vector<uint8_t> bytes(block.profile.Bytes(), block.profile.Bytes() + kProfileRecordSize);
    bytes.resize(size, 0);
    return bytes;
}

std::vector<Text> CommandLines(const ApplierPlan& plan) {
    std::vector<Text> lines;
    for (const auto& c : plan.settings) lines.push_back(c.commandLine);
    if (plan.renewal) lines.push_back(plan.renewal->commandLine);
    return lines;
}

TEST(SettingRequest, RefusesWhatTheApplierWouldNotRunAndPlansTheApplierCommandLinesOtherwise) {
    HandoffContents unregistered = Block(1, 0, 0, 0, 0);
    unregistered.profile.Record().profileId = 0;
    const HandoffContents dhcp = Block(0, 0, 0, 0, 0, u"Wi-Fi", 0);
    const HandoffContents fixed = Block(1, Ip(192, 168, 0, 1), 1, Ip(192, 168, 0, 2), Ip(192, 168, 0, 3), u"LAN", 0);
    const HandoffContents added = WithAdditions(fixed);
    const std::string extension = extensionstore::SwitchObject(added.profile);
    auto with = [](const HandoffContents& b, const std::string& e) {
        std::vector<uint8_t> message = Message(b);
        message.insert(message.end(), e.begin(), e.end());
        return message;
    };
    struct Row {
        const char* what;
        std::vector<uint8_t> message;
        const HandoffContents* applied;  // null: refused
    };
    const Row rows[] = {
        {"100 bytes", std::vector<uint8_t>(100, 1), nullptr},
        {"26,149 bytes", Message(fixed, kSettingRequestSize + 1), nullptr},
        {"one byte short", Message(fixed, kSettingRequestSize - 1), nullptr},
        {"profileId 0", Message(unregistered), nullptr},
        {"a quote in the connection name", Message(Block(0, 0, 0, 0, 0, u"LAN\" addr=1.1.1.1")), nullptr},
        {"a wildcard for ipconfig", Message(Block(0, 0, 0, 0, 0, u"*")), nullptr},
        {"an extension that is no JSON", with(fixed, "{\"record\""), nullptr},
        {"another record's extension", with(dhcp, extension), nullptr},
        {"an extension beyond 16 KiB", with(fixed, extension + std::string(16384, ' ')), nullptr},
        {"DHCP", Message(dhcp), &dhcp},
        {"fixed address", Message(fixed), &fixed},
        {"fixed address with additions", SettingRequestMessage(added.profile), &added},
        {"with blanks up to 16 KiB", with(fixed, extension + std::string(16384 - extension.size(), ' ')), &added},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const ApplierPlan plan = PlanSettingRequest(row.message.data(), row.message.size());
        EXPECT_EQ(row.applied == nullptr, plan.refused);
        EXPECT_FALSE(plan.notify);
        if (row.applied == nullptr) {
            EXPECT_TRUE(CommandLines(plan).empty());
            EXPECT_FALSE(plan.pause);
            continue;
        }
        const ApplierPlan applier = PlanApplierRun(*row.applied);
        EXPECT_EQ(CommandLines(applier), CommandLines(plan));
        EXPECT_EQ(applier.pause, plan.pause);
        EXPECT_EQ(Suffix(applier), Suffix(plan));
    }
    EXPECT_TRUE(PlanSettingRequest(nullptr, kSettingRequestSize).refused);
}

TEST(SettingRequest, RepliesTravelAsLittleEndianValuesAndAnythingElseReadsAsFailed) {
    const struct {
        SettingReply reply;
        std::vector<uint8_t> bytes;
    } encoded[] = {{SettingReply::Applied, {0, 0, 0, 0}},
                   {SettingReply::Refused, {1, 0, 0, 0}},
                   {SettingReply::NotPermitted, {2, 0, 0, 0}},
                   {SettingReply::Busy, {3, 0, 0, 0}},
                   {SettingReply::Failed, {0xff, 0xff, 0xff, 0xff}}};
    for (const auto& row : encoded) {
        uint8_t bytes[kSettingReplySize];
        EncodeSettingReply(row.reply, bytes);
        EXPECT_EQ(row.bytes, std::vector<uint8_t>(bytes, bytes + kSettingReplySize));
        EXPECT_EQ(row.reply, DecodeSettingReply(row.bytes.data(), row.bytes.size()));
    }
    const std::vector<uint8_t> others[] = {{4, 0, 0, 0}, {0, 0, 0, 1}, {0, 0, 0}, {0, 0, 0, 0, 0}, {1}};
    for (const std::vector<uint8_t>& other : others)
        EXPECT_EQ(SettingReply::Failed, DecodeSettingReply(other.data(), other.size())) << other.size();
    EXPECT_EQ(SettingReply::Failed, DecodeSettingReply(nullptr, kSettingReplySize));
}

// A switch falls back to the elevated applier only when the service may not
// do it for this user: reply 2, or a pipe the user may not open.
TEST(SettingRequest, OnlyNotPermittedOrAccessDeniedFallsBackToTheApplier) {
    const struct {
        SettingReply reply;
        ServiceOutcome outcome;
    } rows[] = {{SettingReply::Applied, ServiceOutcome::Applied},
                {SettingReply::Refused, ServiceOutcome::Failed},
                {SettingReply::NotPermitted, ServiceOutcome::UseApplier},
                {SettingReply::Busy, ServiceOutcome::Failed},
                {SettingReply::Failed, ServiceOutcome::Failed}};
    for (const auto& row : rows) EXPECT_EQ(row.outcome, OutcomeOfReply(row.reply)) << static_cast<int>(row.reply);
    EXPECT_EQ(SettingReply::NotPermitted, ReplyForUnopenedPipe(5)) << "access denied";
    for (uint32_t error : {2u, 231u, 109u}) EXPECT_EQ(SettingReply::Failed, ReplyForUnopenedPipe(error)) << error;
}

// The pipe's name is drawn anew at each start; a client opens only a name
// of that form.
TEST(SettingRequest, PipeNamesAreTheBaseADotAndThirtyTwoLowerCaseHexDigits) {
    uint8_t random[kSettingPipeRandomBytes];
    for (std::size_t i = 0; i < kSettingPipeRandomBytes; ++i) random[i] = static_cast<uint8_t>(0xA0 + i);
    const Text name = SettingPipeName(random);
    EXPECT_EQ(u"\\\\.\\pipe\\Tolvik_NetworkSetting.a0a1a2a3a4a5a6a7a8a9aaabacadaeaf", name);
    EXPECT_TRUE(IsSettingPipeName(name));
    const Text base = kSettingPipeName;
    for (const Text& other : {base, base + u".", name.substr(0, name.size() - 1), name + u"0",
                              base + u".A0A1A2A3A4A5A6A7A8A9AAABACADAEAF", base + u".a0a1a2a3a4a5a6a7a8a9aaabacadaeag",
                              Text(u"\\\\.\\pipe\\Other.a0a1a2a3a4a5a6a7a8a9aaabacadaeaf")})
        EXPECT_FALSE(IsSettingPipeName(other)) << text::ToUtf8(other);
}

TEST(HandoffRecord, RecordThenLittleEndianWindowHandleThenTheExtensionWithItsLength) {
    CProfileData p;
    p.Record().profileId = 7;
    p.SetText(ProfileText::connectionName, u"LAN");
    HandoffImage image = BuildHandoffImage(p, 0xA1B2C3D4u);
    EXPECT_EQ(0, std::memcmp(image.data(), p.Bytes(), kProfileRecordSize));
    EXPECT_EQ((std::vector<uint8_t>{0xD4, 0xC3, 0xB2, 0xA1, 0, 0, 0, 0}),
              std::vector<uint8_t>(image.begin() + 26148, image.end()));
    const HandoffContents back = ReadHandoffImage(image);
    EXPECT_EQ(0xA1B2C3D4u, back.window32);
    EXPECT_EQ(0, std::memcmp(back.profile.Bytes(), p.Bytes(), kProfileRecordSize));
    EXPECT_FALSE(back.extensionRefused);

    p.Extension() = WithAdditions(back).profile.Extension();
    image = BuildHandoffImage(p, 0);
    const std::string object = extensionstore::SwitchObject(p);
    EXPECT_EQ(std::string(image.begin() + 26156, image.end()), object);
    EXPECT_EQ(object.size(), image[26152] | image[26153] << 8);
    EXPECT_EQ(p.Extension(), ReadHandoffImage(image).profile.Extension());
    HandoffImage changed = image, cut = image, longer(kHandoffMaxSize + 1, 0);
    changed[913] ^= 1;  // another record: the extension names the one it was made for
    cut.pop_back();
    longer[26152] = 0x01, longer[26153] = 0x40;  // a length of 16 KiB + 1
    EXPECT_TRUE(ReadHandoffImage(changed).extensionRefused);
    for (const HandoffImage& refused : {cut, longer}) EXPECT_EQ(0u, HandoffImageSize(refused.data(), refused.size()));
}

TEST(HandoffDigest, KnownVectorsInLowerCaseHexadecimal) {
    const uint8_t abc[] = {'a', 'b', 'c'};
    EXPECT_EQ(0xba, Sha256(abc, 3)[0]);
    EXPECT_EQ(0xad, Sha256(abc, 3)[31]);
    HandoffImage image(26156, 0);
    EXPECT_EQ(u"d994d5c8f3b975dd95e760b87b877ff17dd5a7a138e69a73ec6da665709900f8", HandoffDigest(image));
    image[0] = 1;
    image[26148] = 0x34;
    image[26149] = 0x12;
    EXPECT_EQ(u"c14118f8205d1267b5810c8714273d95a41cb2b96e06acf9153553a5aec982db", HandoffDigest(image));
}

TEST(HandoffDigest, TheApplierRunsOnlyForExactlyTheDigestOfItsCopy) {
    HandoffImage image(26156, 0);
    image[0] = 1;
    const Text digest = HandoffDigest(image);
    const Text program = u"\"C:\\Program Files\\Ortivo\\Tolvik_NetworkSetting.exe\"";
    EXPECT_TRUE(IsDigestOfBlock(program + u" " + digest, image));
    EXPECT_TRUE(IsDigestOfBlock(program + u"  \"" + digest + u"\" ", image));
    HandoffImage changed = image;
    changed[913] = 10;
    Text upper = digest;
    for (char16_t& c : upper) c = (c >= u'a' && c <= u'f') ? static_cast<char16_t>(c - 32) : c;
    for (const Text& line : {program, program + u" " + digest.substr(1), program + u" " + upper,
                             program + u" " + digest + u" " + digest, program + u" " + digest + u"0"}) {
        SCOPED_TRACE(text::ToUtf8(line));
        EXPECT_FALSE(IsDigestOfBlock(line, image));
    }
    EXPECT_FALSE(IsDigestOfBlock(program + u" " + digest, changed));
    HandoffImage longer = image;
    longer.push_back('}');
    EXPECT_FALSE(IsDigestOfBlock(program + u" " + digest, longer)) << "the extension is part of the block";
}

}  // namespace
