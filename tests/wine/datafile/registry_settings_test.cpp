// CRegAccess against the registry of the prefix: value types, results and
// edge cases of the settings, the autorun entry and the IE version.
#include <gtest/gtest.h>

#include <string>

#include "framework/win/WideText.h"
#include "system/AutoRunEntry.h"
#include "system/win/RegAccess.h"
#include "tests/wine/support/RegistrySeed.h"

namespace {

using Bytes = std::vector<BYTE>;

const std::wstring kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::wstring kIeKey = L"Software\\Microsoft\\Internet Explorer";

// Redirects a predefined root key of this process to a scratch key below
// HKEY_CURRENT_USER for the object's life, then deletes the scratch key.
class RootRedirect {
public:
    explicit RootRedirect(HKEY root)
        : root_(root), scratch_(L"Software\\OrtivoTestScratch\\" + std::to_wstring(GetCurrentProcessId())) {
        HKEY scratch;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, scratch_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch,
                            nullptr) != ERROR_SUCCESS)
            return;
        active_ = RegOverridePredefKey(root_, scratch) == ERROR_SUCCESS;
        RegCloseKey(scratch);
    }
    ~RootRedirect() {
        RegOverridePredefKey(root_, nullptr);
        RegDeleteTreeW(HKEY_CURRENT_USER, scratch_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\OrtivoTestScratch");
    }
    RootRedirect(const RootRedirect&) = delete;
    RootRedirect& operator=(const RootRedirect&) = delete;
    bool Active() const { return active_; }

private:
    HKEY root_;
    std::wstring scratch_;
    bool active_ = false;
};

// Values are set, removed and read directly in the key of the settings;
// what was there before comes back afterwards.
class RegistrySettings : public ::testing::Test {
protected:
    RegistrySettings() {
        seed_.PreserveKey(HKEY_CURRENT_USER, L"SOFTWARE\\Valtrecossin");
        for (const wchar_t* name : {L"ShowSetting", L"HideHints", L"DatData"})
            seed_.Preserve(HKEY_CURRENT_USER, kSettingsKeyPath, name);
        seed_.Preserve(HKEY_CURRENT_USER, kRunKey, L"Tolvik_Network");
    }
    using Result = CRegistrySeed::Result;
    Result SetRaw(HKEY root, const std::wstring& key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
        return seed_.SetBytes(root, key, name, type, data, size);
    }
    Result SetText(HKEY root, const std::wstring& key, const wchar_t* name, DWORD type, const std::wstring& text) {
        return seed_.SetString(root, key, name, text, type);
    }
    Result SetDword(const wchar_t* name, DWORD value) { return seed_.SetDword(HKEY_CURRENT_USER, kSettingsKeyPath, name, value); }
    void DeleteRaw(HKEY root, const std::wstring& key, const wchar_t* name) { seed_.DeleteValue(root, key, name); }
    static bool GetRaw(HKEY root, const std::wstring& key, const wchar_t* name, DWORD& type, Bytes& data) {
        return ReadRegistryValue(root, key, name, &type, &data);
    }

    CRegistrySeed seed_;
};


TEST_F(RegistrySettings, ShowSettingIsOnOnlyForDwordOne) {
    CRegAccess reg;
    DeleteRaw(HKEY_CURRENT_USER, kSettingsKeyPath, L"ShowSetting");
    EXPECT_FALSE(reg.ReadShowSetting());

    EXPECT_EQ(1, reg.WriteShowSetting(1));
    DWORD type = 0;
    Bytes data;
    ASSERT_TRUE(GetRaw(HKEY_CURRENT_USER, kSettingsKeyPath, L"ShowSetting", type, data));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ((Bytes{1, 0, 0, 0}), data);
    EXPECT_TRUE(reg.ReadShowSetting());

    ASSERT_TRUE(SetDword(L"ShowSetting", 2));
    EXPECT_FALSE(reg.ReadShowSetting()) << "REG_DWORD 2";
    ASSERT_TRUE(SetText(HKEY_CURRENT_USER, kSettingsKeyPath, L"ShowSetting", REG_SZ, L"1"));
    EXPECT_FALSE(reg.ReadShowSetting()) << "REG_SZ";
    const DWORD one = 1;
    ASSERT_TRUE(SetRaw(HKEY_CURRENT_USER, kSettingsKeyPath, L"ShowSetting", REG_BINARY, &one, sizeof(one)));
    EXPECT_FALSE(reg.ReadShowSetting()) << "REG_BINARY holding 1";

    EXPECT_EQ(0, reg.WriteShowSetting(0));
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, kSettingsKeyPath, L"ShowSetting", type, data)) << "value deleted";
    EXPECT_EQ(-1, reg.WriteShowSetting(0)) << "deleting an absent value";
    EXPECT_EQ(-1, reg.WriteShowSetting(2));
    EXPECT_FALSE(GetRaw(HKEY_CURRENT_USER, kSettingsKeyPath, L"ShowSetting", type, data));
}

TEST_F(RegistrySettings, HideHintsIsOnForAnyNonZeroDword) {
    CRegAccess reg;
    DeleteRaw(HKEY_CURRENT_USER, kSettingsKeyPath, L"HideHints");
    EXPECT_FALSE(reg.ReadHideHints());
    ASSERT_TRUE(SetDword(L"HideHints", 2));
    EXPECT_TRUE(reg.ReadHideHints()) << "REG_DWORD 2";
    ASSERT_TRUE(SetDword(L"HideHints", 0));
    EXPECT_FALSE(reg.ReadHideHints());
    ASSERT_TRUE(SetText(HKEY_CURRENT_USER, kSettingsKeyPath, L"HideHints", REG_SZ, L"1"));
    EXPECT_FALSE(reg.ReadHideHints()) << "REG_SZ";

    EXPECT_EQ(1, reg.WriteHideHints(1));
    EXPECT_TRUE(reg.ReadHideHints());
    EXPECT_EQ(0, reg.WriteHideHints(0));
    EXPECT_FALSE(reg.ReadHideHints());
    EXPECT_EQ(-1, reg.WriteHideHints(0)) << "deleting an absent value";
    EXPECT_EQ(-1, reg.WriteHideHints(-1));
}

TEST(RegistrySettingsKey, WritingCreatesTheSettingsKey) {
    RootRedirect user(HKEY_CURRENT_USER);  // an empty HKEY_CURRENT_USER for this test
    ASSERT_TRUE(user.Active());
    CRegAccess reg;
    EXPECT_FALSE(reg.ReadHideHints());
    EXPECT_EQ(-1, reg.WriteShowSetting(0)) << "nothing to delete in a new key";
    EXPECT_EQ(1, reg.WriteHideHints(1));
    DWORD type = 0;
    Bytes data;
    EXPECT_TRUE(ReadRegistryValue(HKEY_CURRENT_USER, kSettingsKeyPath, L"HideHints", &type, &data));
    EXPECT_TRUE(reg.ReadHideHints());
    uint8_t digest[20];
    EXPECT_FALSE(reg.ReadDatData(digest));
    EXPECT_EQ(0, reg.ReadAutoRun()) << "no Run key at all";
}

TEST_F(RegistrySettings, DatDataMustBeBinaryAndFitTwentyBytes) {
    CRegAccess reg;
    uint8_t digest[20];
    Bytes stored(20);
    for (std::size_t i = 0; i < stored.size(); ++i) stored[i] = static_cast<uint8_t>(0xA0 + i);

    ASSERT_TRUE(SetRaw(HKEY_CURRENT_USER, kSettingsKeyPath, L"DatData", REG_BINARY, stored.data(), 20));
    ASSERT_TRUE(reg.ReadDatData(digest));
    EXPECT_EQ(stored, Bytes(digest, digest + 20));

    Bytes longer(21, 0x5A);
    ASSERT_TRUE(SetRaw(HKEY_CURRENT_USER, kSettingsKeyPath, L"DatData", REG_BINARY, longer.data(), 21));
    EXPECT_FALSE(reg.ReadDatData(digest)) << "21 bytes";
    EXPECT_EQ(Bytes(20, 0), Bytes(digest, digest + 20));

    const DWORD number = 0x12345678;
    ASSERT_TRUE(SetRaw(HKEY_CURRENT_USER, kSettingsKeyPath, L"DatData", REG_DWORD, &number, sizeof(number)));
    EXPECT_FALSE(reg.ReadDatData(digest)) << "REG_DWORD";
    EXPECT_EQ(Bytes(20, 0), Bytes(digest, digest + 20));

    DeleteRaw(HKEY_CURRENT_USER, kSettingsKeyPath, L"DatData");
    EXPECT_FALSE(reg.ReadDatData(digest)) << "absent";
}

TEST_F(RegistrySettings, AutoRunEntryIsPresentOnlyAsRegSz) {
    CRegAccess reg;
    DeleteRaw(HKEY_CURRENT_USER, kRunKey, L"Tolvik_Network");
    EXPECT_EQ(0, reg.ReadAutoRun());

    const std::wstring entry = W(AutoRunCommandLine(u"C:\\Apps\\X"));
    EXPECT_EQ(L"\"C:\\Apps\\X\\Tolvik_Network.exe\" /AutoRun", entry);
    ASSERT_TRUE(SetText(HKEY_CURRENT_USER, kRunKey, L"Tolvik_Network", REG_SZ, entry));
    EXPECT_EQ(1, reg.ReadAutoRun());

    ASSERT_TRUE(SetText(HKEY_CURRENT_USER, kRunKey, L"Tolvik_Network", REG_SZ, std::wstring(200, L'p')));
    EXPECT_EQ(1, reg.ReadAutoRun()) << "200 characters";

    ASSERT_TRUE(SetText(HKEY_CURRENT_USER, kRunKey, L"Tolvik_Network", REG_EXPAND_SZ, entry));
    EXPECT_EQ(0, reg.ReadAutoRun()) << "REG_EXPAND_SZ";
}

TEST(InternetExplorerVersion, LeadingDigitsOfTheVersionText) {
    RootRedirect machine(HKEY_LOCAL_MACHINE);  // a machine key without Internet Explorer
    ASSERT_TRUE(machine.Active());
    CRegistrySeed seed;  // goes before the redirection does
    CRegAccess reg;
    EXPECT_EQ(0, reg.ReadIeMajorVersion()) << "no key";

    ASSERT_TRUE(seed.SetString(HKEY_LOCAL_MACHINE, kIeKey, L"Build", L"97600", REG_SZ));
    EXPECT_EQ(0, reg.ReadIeMajorVersion()) << "key without Version";
    ASSERT_TRUE(seed.SetString(HKEY_LOCAL_MACHINE, kIeKey, L"Version", L"8.0.7600.16385", REG_SZ));
    EXPECT_EQ(8, reg.ReadIeMajorVersion());
    ASSERT_TRUE(seed.SetString(HKEY_LOCAL_MACHINE, kIeKey, L"Version", L"11.0.9600", REG_SZ));
    EXPECT_EQ(11, reg.ReadIeMajorVersion());
    ASSERT_TRUE(seed.SetString(HKEY_LOCAL_MACHINE, kIeKey, L"Version", L"beta", REG_SZ));
    EXPECT_EQ(0, reg.ReadIeMajorVersion());
    ASSERT_TRUE(seed.SetString(HKEY_LOCAL_MACHINE, kIeKey, L"Version", L"8.0", REG_EXPAND_SZ));
    EXPECT_EQ(0, reg.ReadIeMajorVersion()) << "not REG_SZ";
    const DWORD nine = 9;
    ASSERT_TRUE(seed.SetDword(HKEY_LOCAL_MACHINE, kIeKey, L"Version", nine));
    EXPECT_EQ(0, reg.ReadIeMajorVersion()) << "REG_DWORD";
}

}  // namespace
