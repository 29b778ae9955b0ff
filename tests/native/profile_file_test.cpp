// The bulk-edit tool's portable part: the profile file (a round trip of
// every field, one refusal per kind of bad input), the list being edited
// and the command line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editor/EditorCommandLine.h"
#include "editor/EditorResource.h"
#include "editor/ProfileEditList.h"
#include "editor/ProfileJson.h"
#include "profile/ProfileDescription.h"
#include "resources/resource.h"

#include "tests/native/NamedProfile.h"

namespace {

// A profile with every field set to something other than its default.
CProfileData EveryFieldSet(const char16_t* name) {
    CProfileData p;
    ProfileRecord& r = p.Record();
    p.SetText(ProfileText::profileName, name);
    r.iconIndex = 3;
    p.SetText(ProfileText::connectionName, u"ローカル エリア接続 2");
    p.SetText(ProfileText::adapterDescription, u"Intel(R) PRO/1000 MT");
    p.SetText(ProfileText::macAddress, u"00:1A:2B:3C:4D:5E");
    r.ipMode = 1;
    r.ipAddress = 0xC0A8010A;       // 192.168.1.10
    r.subnetMask = 0xFFFFFF00;      // 255.255.255.0
    r.defaultGateway = 0xC0A80101;  // 192.168.1.1
    r.dnsMode = 1;
    r.preferredDns = 0xC0A80102;
    r.alternateDns = 0xC0A80103;
    r.autoConfigEnabled = 1;
    p.SetText(ProfileText::autoConfigUrl, u"http://127.0.0.1/proxy.pac");
    r.proxyMode = 2;
    p.SetText(ProfileText::httpProxyServer, u"127.0.0.1");
    p.SetText(ProfileText::secureProxyServer, u"127.0.0.2");
    p.SetText(ProfileText::ftpProxyServer, u"127.0.0.3");
    p.SetText(ProfileText::gopherProxyServer, u"127.0.0.4");
    p.SetText(ProfileText::socksProxyServer, u"127.0.0.5");
    r.httpProxyPort = 8080;
    r.secureProxyPort = 8443;
    r.ftpProxyPort = 2121;
    r.gopherProxyPort = 70;
    r.socksProxyPort = 1080;
    r.sameProxyForAll = 1;
    p.SetText(ProfileText::proxyBypassList, u"*.example.test\r\n10.*");
    r.bypassLocal = 1;
    r.checkDhcp = 1;
    r.checkPingGateway = 1;
    r.checkUrlEnabled = 1;
    p.SetText(ProfileText::checkUrl, u"http://127.0.0.1/check");
    r.runAppEnabled = 1;
    p.SetText(ProfileText::appPath, u"C:\\Tools\\接続.exe");
    p.SetText(ProfileText::appArguments, u"/user \"\U00020BB7田\" \\\\share");
    r.setDefaultPrinter = 1;
    p.SetText(ProfileText::printerName, u"サンプル プリンタ (オフィス)");
    p.Extension() = {{{0x0A000005, 0xFF000000}}, {{0x0A000001, 20}}, {0x0A000035}, u"corp.example", "",  // 10.0.0.5/8 ...
                     {u"00:00:5E:00:53:0B", u"", u"オフィス"}, true, ProfileExtension::Fallback::NoDhcp};
    return p;
}

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
    const std::size_t at = text.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    if (at != std::string::npos) text.replace(at, what.size(), with);
    return text;
}

TEST(ProfileFile, EveryFieldSurvivesWritingAndReadingByteForByte) {
    const CProfileData original = EveryFieldSet(u"本社");
    const std::string file = profilejson::Write({original, NamedProfile(u"Home", 0)});
    EXPECT_NE(file.find("\"formatVersion\": 2"), std::string::npos);
    EXPECT_NE(file.find("\"ipAddress\": \"192.168.1.10\""), std::string::npos);
    EXPECT_NE(file.find("\"defaultGateway\": \"10.0.0.1\",\n          \"metric\": 20"), std::string::npos);
    EXPECT_EQ(file.find("\"dnsSuffix\""), file.rfind("\"dnsSuffix\"")) << "a profile without additions has no such key";
    EXPECT_NE(file.find("\"network\": {\n        \"gatewayMac\": \"00:00:5E:00:53:0B\",\n        \"wifiName\": \"オフィス\"\n      },\n"
                        "      \"automatic\": true,\n      \"fallback\": \"noDhcp\""), std::string::npos) << file;
    EXPECT_EQ(file.find("\"network\""), file.rfind("\"network\"")) << "a profile without a network has no such key";
    EXPECT_NE(file.find("\"defaultGateway\": \"\""), std::string::npos) << "0 is written as not set";
    EXPECT_EQ(file.find("profileId"), std::string::npos);
    EXPECT_EQ(file.find("reserved934"), std::string::npos);

    std::vector<CProfileData> read;
    ASSERT_FALSE(profilejson::Read(file, read).Failed());
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(0, std::memcmp(read[0].Bytes(), original.Bytes(), kProfileRecordSize));
    EXPECT_EQ(read[0].Extension(), original.Extension());

    // Imported and saved, the record differs only by the number it gets.
    CProfileEditList list;
    ASSERT_FALSE(list.Import(read, false, 8).Failed());
    CProfileData saved;
    ASSERT_EQ(list.ForSaving().GetByPosition(0, &saved), 0);
    CProfileData expected = original;
    expected.Record().profileId = 1;
    EXPECT_EQ(0, std::memcmp(saved.Bytes(), expected.Bytes(), kProfileRecordSize));
    EXPECT_EQ(saved.Extension(), original.Extension());

    // A file of the first version (no additions) still imports.
    CProfileData plain = original;
    plain.Extension() = ProfileExtension();
    ASSERT_FALSE(profilejson::Read(Replaced(profilejson::Write({plain}), "Version\": 2", "Version\": 1"), read).Failed());
    EXPECT_EQ(0, std::memcmp(read.at(0).Bytes(), plain.Bytes(), kProfileRecordSize));
    EXPECT_FALSE(list.Import(read, false, 8).Failed());
}

struct Refusal {
    const char* what;
    std::string file;
    int messageId;
    int profileNumber;
    const char* field;
    std::vector<long long> values;
};

std::vector<Refusal> Refusals() {
    const std::string good = profilejson::Write({NamedProfile(u"Home", 0), EveryFieldSet(u"Office")});
    const std::string office = "\"profileName\": \"Office\"";
    const std::string second = good.substr(good.find(office));
    auto inSecond = [&](const std::string& what, const std::string& with) {
        return good.substr(0, good.find(office)) + Replaced(second, what, with);
    };
    return {
        {"not JSON", "{\"formatVersion\": 1,", IDS_FAULT_NOT_JSON, 0, "", {}},
        {"not UTF-8", Replaced(good, "Home", "H\xff"), IDS_FAULT_NOT_JSON, 0, "", {}},
        {"other version", Replaced(good, "\"formatVersion\": 2", "\"formatVersion\": 3"), IDS_FAULT_FORMAT, 0,
         "formatVersion", {2}},
        {"additions in a version 1 file", Replaced(good, "\"formatVersion\": 2", "\"formatVersion\": 1"),
         IDS_FAULT_UNKNOWN_KEY, 2, "moreAddresses", {}},
        {"unknown key of the file", Replaced(good, "{", "{\"comment\": \"x\","), IDS_FAULT_UNKNOWN_KEY, 0, "comment", {}},
        {"unknown key", inSecond(office, office + ", \"colour\": 1"), IDS_FAULT_UNKNOWN_KEY, 2, "colour", {}},
        {"missing key", inSecond("\"checkDhcp\": true,", ""), IDS_FAULT_MISSING_KEY, 2, "checkDhcp", {}},
        {"wrong type", inSecond("\"checkDhcp\": true", "\"checkDhcp\": 1"), IDS_FAULT_WRONG_TYPE, 2, "checkDhcp", {}},
        {"too long", inSecond(office, "\"profileName\": \"" + std::string(33, 'x') + "\""), IDS_FAULT_TOO_LONG, 2,
         "profileName", {32}},
        {"bad address", inSecond("\"192.168.1.10\"", "\"192.168.1.300\""), IDS_FAULT_BAD_ADDRESS, 2, "ipAddress", {}},
        {"out of range", inSecond("\"proxyMode\": 2", "\"proxyMode\": 3"), IDS_FAULT_OUT_OF_RANGE, 2, "proxyMode",
         {0, 2}},
        {"port out of range", inSecond("\"socksProxyPort\": 1080", "\"socksProxyPort\": 65536"),
         IDS_FAULT_OUT_OF_RANGE, 2, "socksProxyPort", {0, 65535}},
        {"empty name (134)", inSecond(office, "\"profileName\": \"\""), IDS_NAME_EMPTY, 2, "profileName", {}},
        {"no icon (135)", inSecond("\"iconIndex\": 3", "\"iconIndex\": -1"), IDS_ICON_EMPTY, 2, "iconIndex", {}},
        {"fixed address, DNS automatic", inSecond("\"dnsMode\": 1", "\"dnsMode\": 0"), IDS_FAULT_FIXED_IP_DNS, 2,
         "dnsMode", {}},
        {"invalid mask (140)", inSecond("\"255.255.255.0\"", "\"255.0.255.0\""), IDS_BAD_MASK, 2, "subnetMask", {}},
        {"no address (139)", inSecond("\"192.168.1.10\"", "\"\""), IDS_BAD_IP, 2, "ipAddress", {}},
        {"gateway is the address (148)", inSecond("\"192.168.1.1\"", "\"192.168.1.10\""), IDS_IP_GATEWAY_SAME, 2,
         "defaultGateway", {}},
        {"loopback DNS (145)", inSecond("\"192.168.1.2\"", "\"127.0.0.1\""), IDS_DNS1_FIRST_FIELD, 2, "preferredDns",
         {}},
        {"proxy port (149)", inSecond("\"httpProxyPort\": 8080", "\"httpProxyPort\": 0"), IDS_HTTP_PORT, 2,
         "httpProxyPort", {}},
        {"duplicate name (160)", inSecond(office, "\"profileName\": \"Home\""), IDS_NAME_DUPLICATE, 2, "profileName",
         {}},
        {"5 addresses", inSecond("ses\": [", "ses\": [1, 2, 3, 4,"), IDS_FAULT_TOO_MANY_ENTRIES, 2, "moreAddresses", {4}},
        {"added", inSecond("\"10.0.0.5\"", "\"10.0.0.500\""), IDS_FAULT_BAD_ADDRESS, 2, "moreAddresses[0].ipAddress", {}},
        {"metric", inSecond("\"metric\": 20", "\"metric\": 0"), IDS_FAULT_OUT_OF_RANGE, 2, "moreGateways[0].metric", {1, 9999}},
        {"suffix", inSecond("corp.example", "corp_example"), IDS_FAULT_NOT_DNS_NAME, 2, "dnsSuffix", {255}},
        {"with DHCP", inSecond("\"ipMode\": 1", "\"ipMode\": 0"), IDS_FAULT_ADDITIONS_FIXED, 2, "moreAddresses", {}},
        {"no alternate", inSecond("\"192.168.1.3\"", "\"\""), IDS_FAULT_MORE_DNS, 2, "moreDnsServers", {}},
        {"mask (140)", inSecond("\"255.0.0.0\"", "\"255.0.255.0\""), IDS_BAD_MASK, 2, "moreAddresses[0].subnetMask", {}},
        {"twice (200)", inSecond("\"10.0.0.5\"", "\"192.168.1.10\""), IDS_ADDRESS_TWICE, 2, "moreAddresses[0].ipAddress", {}},
        {"outside (201)", inSecond("\"10.0.0.1\"", "\"11.0.0.1\""), IDS_GATEWAY_OUTSIDE, 2, "moreGateways[0].defaultGateway", {}},
        {"twice (205)", inSecond("\"10.0.0.53\"", "\"192.168.1.2\""), IDS_DNS_TWICE, 2, "moreDnsServers[0]", {}},
        {"MAC", inSecond("53:0B", "53"), IDS_FAULT_WRONG_TYPE, 2, "network.gatewayMac", {}},
        {"fall-back of DHCP", inSecond("noDhcp", "gatewayLost"), IDS_FAULT_FALLBACK_MODE, 2, "fallback", {}},
        {"fall-back twice", profilejson::Write({EveryFieldSet(u"Home"), EveryFieldSet(u"Office")}), IDS_FAULT_FALLBACK_TWICE, 2, "fallback", {}},
        {"thirteen profiles", profilejson::Write(std::vector<CProfileData>(13, NamedProfile(u"x", 0))), IDS_FAULT_TOO_MANY, 0,
         "", {12}},
    };
}

TEST(ProfileFile, EachKindOfBadInputIsRefusedNamingProfileAndFieldAndNothingChanges) {
    for (const Refusal& r : Refusals()) {
        SCOPED_TRACE(r.what);
        CProfileEditList list;
        list.Profiles().Add(NamedProfile(u"Kept", 0));
        std::vector<CProfileData> read;
        ImportError e = profilejson::Read(r.file, read);
        if (!e.Failed()) e = list.Import(read, false, 8);
        EXPECT_EQ(e.messageId, r.messageId);
        EXPECT_EQ(e.profileNumber, r.profileNumber);
        if (r.profileNumber == 2 && r.field != std::string("profileName")) {
            EXPECT_EQ(e.profileName, u"Office");
        }
        EXPECT_EQ(e.field, r.field);
        EXPECT_EQ(e.values, r.values);
        EXPECT_EQ(list.Count(), 1);
        EXPECT_FALSE(list.Modified());
    }
}

TEST(ProfileFile, AppendingKeepsTheNamesUniqueAndTheCountAtTwelve) {
    CProfileEditList list;
    for (const char16_t* name : {u"Office", u"Home"}) list.Profiles().Add(NamedProfile(name, 0));
    ImportError e = list.Import({NamedProfile(u"Cafe", 0), NamedProfile(u"Home", 0)}, true, 8);
    EXPECT_EQ(e.messageId, IDS_NAME_DUPLICATE);
    EXPECT_EQ(e.profileNumber, 2);
    EXPECT_EQ(e.profileName, u"Home");
    e = list.Import(std::vector<CProfileData>(11, NamedProfile(u"x", 0)), true, 8);
    EXPECT_EQ(e.messageId, IDS_FAULT_TOO_MANY);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_FALSE(list.Modified());

    ASSERT_FALSE(list.Import({NamedProfile(u"Cafe", 0)}, true, 8).Failed());
    ASSERT_FALSE(list.Import({NamedProfile(u"Office", 0)}, false, 8).Failed()) << "replacing: the old names are gone";
    EXPECT_EQ(list.Count(), 1);
    EXPECT_TRUE(list.Modified());
}

TEST(ProfileFile, ALoneAlternateDnsServerIsStoredAsThePreferredOneAsTheWizardDoes) {
    CProfileData p = EveryFieldSet(u"Office");
    p.Record().preferredDns = 0;
    p.Extension().moreDnsServers.clear();
    CProfileEditList list;
    ASSERT_FALSE(list.Import({p}, false, 8).Failed());
    CProfileData stored;
    ASSERT_EQ(list.Profiles().GetByPosition(0, &stored), 0);
    const uint32_t preferred = stored.Record().preferredDns, alternate = stored.Record().alternateDns;
    EXPECT_EQ(preferred, 0xC0A80103u);
    EXPECT_EQ(alternate, 0u);
}

Text Names(const CProfileCollection& profiles) {
    Text names;
    CProfileData p;
    for (int i = 0; profiles.GetByPosition(i, &p) == 0; ++i)
        names += (i ? u"," : u"") + p.GetText(ProfileText::profileName);
    return names;
}

TEST(ProfileEditList, MoveCopyRenameRemoveAndTheOrderSaved) {
    CProfileEditList list;
    for (const char16_t* name : {u"A", u"B", u"C"}) list.Profiles().Add(NamedProfile(name, 0));
    EXPECT_EQ(list.MoveUp(0), -1);
    EXPECT_EQ(list.MoveDown(2), -1);
    EXPECT_FALSE(list.Modified());
    EXPECT_EQ(list.MoveDown(0), 1);
    EXPECT_EQ(Names(list.Profiles()), u"B,A,C");
    EXPECT_TRUE(list.Modified());
    list.MarkSaved();

    EXPECT_EQ(list.Copy(1, u" - コピー"), 2);
    EXPECT_EQ(list.Copy(1, u" - コピー"), 2);
    EXPECT_EQ(Names(list.Profiles()), u"B,A,A - コピー (2),A - コピー,C");
    EXPECT_TRUE(list.Modified());

    EXPECT_EQ(list.Rename(0, u""), namepage::NameCheck::NameEmpty);
    EXPECT_EQ(list.Rename(0, u"C"), namepage::NameCheck::NameDuplicate);
    EXPECT_EQ(list.Rename(0, u"B"), namepage::NameCheck::Passed) << "its own name";
    EXPECT_EQ(list.Rename(0, u"b"), namepage::NameCheck::Passed);
    EXPECT_EQ(list.Remove({3, 2, 3}), 2);
    EXPECT_EQ(Names(list.Profiles()), u"b,A,C");

    list.Profiles().Add(EveryFieldSet(u"D"));  // copies and new names keep a profile's additions
    ASSERT_EQ(list.Copy(3, u" - コピー"), 4);
    EXPECT_EQ(list.Rename(3, u"E"), namepage::NameCheck::Passed);
    for (const CProfileData& p : list.Take({3, 4})) EXPECT_EQ(p.Extension(), EveryFieldSet(u"D").Extension());
    list.Remove({3, 4});

    // Saved in this order, numbered as the next start of the main program numbers them.
    const CProfileCollection saved = list.ForSaving();
    CProfileData p;
    ASSERT_EQ(saved.GetByPosition(2, &p), 0);
    EXPECT_EQ(p.Record().profileId, 3);
    EXPECT_EQ(list.Take({2, 0}).size(), 2u);
    EXPECT_EQ(list.Take({2, 0})[0].GetText(ProfileText::profileName), u"b");
}

TEST(ProfileEditList, CopiesStopAtTwelveAndTheirNamesFitThirtyTwoCharacters) {
    const Text longName(32, u'x');
    CProfileCollection profiles;
    profiles.Add(NamedProfile(longName.c_str(), 0));
    const Text copy = CopyName(longName, u" - コピー", profiles);
    EXPECT_EQ(copy, Text(26, u'x') + u" - コピー");
    profiles.Add(NamedProfile(copy.c_str(), 0));
    EXPECT_EQ(CopyName(longName, u" - コピー", profiles), Text(22, u'x') + u" - コピー (2)");

    CProfileEditList list;
    for (int i = 0; i < 12; ++i) list.Profiles().Add(NamedProfile((u"P" + text::Decimal(i)).c_str(), 0));
    EXPECT_EQ(list.Copy(0, u" - コピー"), -2);
    EXPECT_EQ(list.Copy(12, u" - コピー"), -1);
    EXPECT_FALSE(list.TooManyToSave());
    list.Profiles().Add(NamedProfile(u"P12", 0));
    EXPECT_TRUE(list.TooManyToSave());
}

TEST(EditorCommandLine, WindowExportImportAndAppend) {
    using Kind = EditorCommand::Kind;
    const struct {
        const char16_t* line;
        Kind kind;
        const char16_t* file;
        bool append;
    } cases[] = {
        {u"Tolvik_EditProfile.exe", Kind::window, u"", false},
        {u"\"C:\\Program Files\\x\\Tolvik_EditProfile.exe\"  ", Kind::window, u"", false},
        {u"t.exe /export \"C:\\deploy\\profiles 1.json\"", Kind::exportFile, u"C:\\deploy\\profiles 1.json", false},
        {u"t.exe -IMPORT p.json", Kind::importFile, u"p.json", false},
        {u"t.exe /import p.json /Append", Kind::importFile, u"p.json", true},
        {u"t.exe /export", Kind::invalid, u"", false},
        {u"t.exe /export \"\"", Kind::invalid, u"", false},
        {u"t.exe /export p.json /append", Kind::invalid, u"", false},
        {u"t.exe /import p.json /replace", Kind::invalid, u"", false},
        {u"t.exe p.json", Kind::invalid, u"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(text::ToUtf8(c.line));
        const EditorCommand command = ParseEditorCommandLine(c.line);
        EXPECT_EQ(command.kind, c.kind);
        EXPECT_EQ(command.file, c.file);
        EXPECT_EQ(command.append, c.append);
    }
}

TEST(ProfileTexts, AddressSummaryAndMessageTokens) {
    CProfileData p = EveryFieldSet(u"Office");
    EXPECT_EQ(description::AddressSummary(p), u"固定IP 192.168.1.10/255.255.255.0");
    p.Record().ipMode = 0;
    EXPECT_EQ(description::AddressSummary(p), u"DHCP");
    EXPECT_EQ(text::FillTokens(u"%d個: [%s] %s %d%%", {u"3", u"%s"}), u"3個: [%s] %s %d%%");
}

}  // namespace
