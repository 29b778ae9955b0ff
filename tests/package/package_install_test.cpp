// The Windows Installer package under Wine, in a prefix of its own that
// nothing else prepares, as on a new computer: a silent install puts the
// programs, the data folder and the Start menu shortcut in place; the
// installed main program starts from there, says there are no profiles yet
// and writes its empty data file; a silent uninstall removes programs and
// shortcut and keeps the users' data file. Without ORTIVO_SERVICE=1 the
// setting service's program is installed, but no service is registered;
// with it, the service is registered, started, kept by a repair and removed
// again; any choice of its users but the two is refused. With
// ORTIVO_MANAGED=1 and ORTIVO_PROFILES the package writes the managed value
// and imports the profile file into the data file; a file that the import
// refuses fails the installation, with the tool's message in its log.
#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "editor/ProfileExport.h"
#include "framework/win/WideText.h"
#include "profile/DataFileImage.h"
#include "resources/resource.h"
#include "system/ManagedProfiles.h"
#include "system/win/RegAccess.h"
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/MainWindowDriver.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/SettingServiceHost.h"
#include "tests/wine/support/TestSupport.h"

namespace {

constexpr DWORD kLimitMs = 120000;

std::wstring PackagePath() { return testsupport::ExeDir() + L"\\" ORTIVO_PACKAGE_FILE; }

std::wstring KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    return SHGetFolderPathW(nullptr, csidl, nullptr, 0, path) == S_OK ? path : L"?";
}

std::wstring ProgramFolder() { return KnownFolder(CSIDL_PROGRAM_FILES) + L"\\Valtrecossin\\Ortivo"; }
std::wstring DataFolder() { return KnownFolder(CSIDL_COMMON_APPDATA) + L"\\Valtrecossin\\TOLVIK_NETWORK"; }
std::wstring DataFile() { return DataFolder() + L"\\Tolvik_Network.dat"; }

// Windows Installer puts the shortcuts of a per-machine package into the
// common Start menu; Wine's ignores ALLUSERS there and uses the user's.
bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }
std::wstring Shortcut() {
    return KnownFolder(UnderWine() ? CSIDL_PROGRAMS : CSIDL_COMMON_PROGRAMS) + L"\\Ortivo.lnk";
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<uint8_t> Bytes(const std::wstring& path) { return testsupport::FileBytes(path); }

const std::wstring kProductKeyPath = W(kProductKey);
const wchar_t kMachineRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kServiceKey[] = L"SOFTWARE\\Valtrecossin\\Ortivo\\Service";
const wchar_t kEventSourceKey[] = L"SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Ortivo";

bool HasValue(const wchar_t* key, const wchar_t* name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    return ReadRegistryValue(HKEY_LOCAL_MACHINE, key, name, &type, &data);
}

// msiexec with the package, silently, and these properties; its exit code.
long Msiexec(const wchar_t* action, const std::wstring& properties = L"") {
    return gui::RunProgram(testsupport::SystemDir() + L"\\msiexec.exe",
                           std::wstring(action) + L" \"" + PackagePath() + L"\" /qn" + properties, kLimitMs);
}

// The profiles of the profile file that a test installs, and that file as
// the bulk-edit tool's /export writes it.
std::vector<CProfileData> Profiles() {
    return {MainWindowDriver::Profile(L"本社"), MainWindowDriver::Profile(L"支店", L"Wi-Fi")};
}
std::string ProfileFileText() {
    std::string text;
    profileexport::Compose(Profiles(), CRegAccess().ReadIeMajorVersion(), text);
    return text;
}
// The file in the test's folder; the property that names it.
std::wstring ProfilesProperty(const std::string& text) {
    const std::wstring path = testsupport::TempDir() + L"\\profiles.json";
    EXPECT_TRUE(testsupport::WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end())));
    return L" ORTIVO_PROFILES=\"" + path + L"\"";
}
std::vector<uint8_t> DataFileOf(const std::vector<CProfileData>& profiles) {
    CProfileCollection collection;
    for (const CProfileData& profile : profiles) collection.Add(profile);
    std::vector<uint8_t> image;
    EXPECT_EQ(datafile::Encode(collection, image), 0);
    return image;
}

// An installation's log, as Windows Installer writes it (the ANSI code page).
std::wstring LogText(const std::wstring& path) {
    const std::vector<uint8_t> bytes = Bytes(path);
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<std::size_t>(MultiByteToWideChar(
        CP_ACP, 0, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), &text[0],
        static_cast<int>(text.size()))));
    return text;
}

// The program that the shortcut starts.
std::wstring ShortcutTarget(const std::wstring& link) {
    Microsoft::WRL::ComPtr<IShellLinkW> shellLink;
    Microsoft::WRL::ComPtr<IPersistFile> file;
    wchar_t target[MAX_PATH] = {};
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&shellLink))) ||
        FAILED(shellLink.As(&file)) || FAILED(file->Load(link.c_str(), STGM_READ)) ||
        FAILED(shellLink->GetPath(target, MAX_PATH, nullptr, 0)))
        return std::wstring();
    return target;
}

// A visible dialog of the process that has a control with this id.
HWND WaitForDialogWith(DWORD processId, int controlId) {
    return gui::WaitForDialog(processId, [controlId](HWND w) { return GetDlgItem(w, controlId) != nullptr; }, kLimitMs);
}

class MsiPackage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Exists(PackagePath())) << testsupport::Narrow(PackagePath());
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        // What an earlier run left behind.
        Msiexec(L"/x");
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kServiceKey);
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, WPtr(kProductKey), L"Service");
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, WPtr(kProductKey), WPtr(kManagedValue));
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, WPtr(kProductKey), L"AutoRun");
        RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kMachineRunKey, L"Tolvik_Network");
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, kEventSourceKey);
        DeleteFileW(DataFile().c_str());
        RemoveDirectoryW(DataFolder().c_str());
        ASSERT_FALSE(Exists(DataFolder()));
    }
    void TearDown() override { CoUninitialize(); }
};

TEST_F(MsiPackage, InstallsSilentlyStartsAsOnANewComputerAndUninstallsKeepingTheDataFile) {
    EXPECT_EQ(Msiexec(L"/i", L" ORTIVO_SERVICE_USERS=everyone"), ERROR_INSTALL_FAILURE) << "refused";
    // A profile file that is not one: the import fails, the installation is rolled back.
    const std::wstring log = testsupport::TempDir() + L"\\refused.log";
    const std::string cut = ProfileFileText().substr(0, 40);
    EXPECT_EQ(Msiexec(L"/i", ProfilesProperty(cut) + L" /l*v \"" + log + L"\""), ERROR_INSTALL_FAILURE);
    const std::wstring logged = LogText(log);
    EXPECT_NE(logged.find(L"ORTIVO_PROFILES: インポートできませんでした。プロファイルデータは変更されていません。"),
              std::wstring::npos);
    EXPECT_NE(logged.find(L"JSONとして読み込めません。"), std::wstring::npos);
    EXPECT_FALSE(Exists(ProgramFolder() + L"\\Tolvik_Network.exe"));
    EXPECT_FALSE(Exists(DataFolder()));

    ASSERT_EQ(Msiexec(L"/i"), 0) << "silent install";

    // The release programs as built, the data folder and the shortcut.
    const std::wstring mainProgram = ProgramFolder() + L"\\Tolvik_Network.exe";
    for (const wchar_t* name : {L"Tolvik_Network.exe", L"Tolvik_NetworkSetting.exe", L"Tolvik_EditProfile.exe",
                                L"Tolvik_NetworkSettingService.exe"}) {
        const std::vector<uint8_t> installed = Bytes(ProgramFolder() + L"\\" + name);
        EXPECT_FALSE(installed.empty()) << testsupport::Narrow(name);
        EXPECT_TRUE(installed == Bytes(testsupport::ExeDir() + L"\\" + name)) << testsupport::Narrow(name);
    }
    EXPECT_TRUE(Exists(DataFolder()));
    EXPECT_FALSE(Exists(DataFile()));
    EXPECT_EQ(ShortcutTarget(Shortcut()), mainProgram);
    EXPECT_FALSE(testsupport::SettingServiceRegistered());
    EXPECT_FALSE(HasValue(kServiceKey, L"Users"));
    EXPECT_FALSE(HasValue(kEventSourceKey, L"EventMessageFile"));
    EXPECT_FALSE(HasValue(kProductKeyPath.c_str(), WPtr(kManagedValue)));

    // The first start: message 181, the empty data file, then the main
    // window and the hint window.
    gui::Program program = gui::StartProgram(mainProgram);
    gui::MessageBoxInfo box;
    ASSERT_TRUE(gui::WaitForMessageBox(&box, program.Id(), kLimitMs)) << "no message box";
    EXPECT_EQ(box.caption, L"Ortivo");
    EXPECT_EQ(box.text, testsupport::ExpectedText(181)) << testsupport::Narrow(box.text);
    EXPECT_EQ(box.icon, gui::BoxIcon::Information);
    gui::SaveScreenshot(box.window, L"package_first_start.png");
    std::vector<uint8_t> empty;
    ASSERT_EQ(datafile::Encode(CProfileCollection(), empty), 0);
    EXPECT_TRUE(Bytes(DataFile()) == empty) << "the data file is the header of an empty collection";
    EXPECT_TRUE(gui::AnswerMessageBox(box.window, IDOK));
    const HWND main = WaitForDialogWith(program.Id(), IDC_MAIN_PROFILE_LIST);
    const HWND hint = WaitForDialogWith(program.Id(), IDC_HINTS_PICTURE);
    ASSERT_NE(main, nullptr);
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(gui::Click(GetDlgItem(hint, IDOK)));
    EXPECT_TRUE(gui::WaitForWindowGone(hint, kLimitMs));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.WaitForExit(kLimitMs)) << "the program did not end";
    const std::vector<uint8_t> written = Bytes(DataFile());

    ASSERT_EQ(Msiexec(L"/x"), 0) << "silent uninstall";
    EXPECT_FALSE(Exists(mainProgram));
    EXPECT_FALSE(Exists(ProgramFolder() + L"\\Tolvik_NetworkSetting.exe"));
    EXPECT_FALSE(Exists(ProgramFolder() + L"\\Tolvik_EditProfile.exe"));
    EXPECT_FALSE(Exists(ProgramFolder() + L"\\Tolvik_NetworkSettingService.exe"));
    EXPECT_FALSE(Exists(Shortcut()));
    EXPECT_TRUE(Bytes(DataFile()) == written) << "the users' data file stays as it was";
}

// Asked for, the setting service is registered as its row says, started,
// told who may use its pipe and given its event source, and the profiles
// are managed and imported from the file; a repair given no properties
// keeps all of it and imports nothing; uninstalling stops and removes all
// of it but the data file.
TEST_F(MsiPackage, RegistersTheSettingServiceOnRequestAndRemovesItOnUninstall) {
    // The profiles there are replaced, not added to.
    ASSERT_EQ(SHCreateDirectoryExW(nullptr, DataFolder().c_str(), nullptr), ERROR_SUCCESS);
    ASSERT_TRUE(testsupport::WriteFileBytes(DataFile(), DataFileOf({MainWindowDriver::Profile(L"以前")})));
    ASSERT_EQ(Msiexec(L"/i", L" ORTIVO_SERVICE=1 ORTIVO_SERVICE_USERS=operators ORTIVO_MANAGED=1 ORTIVO_AUTORUN=1" +
                                 ProfilesProperty(ProfileFileText())),
              0)
        << "silent install";
    EXPECT_TRUE(Bytes(DataFile()) == DataFileOf(Profiles())) << "the data file holds the file's profiles";
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, kProductKeyPath, WPtr(kManagedValue)), L"1");
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, kMachineRunKey, L"Tolvik_Network"),
              L"\"" + ProgramFolder() + L"\\Tolvik_Network.exe\" /AutoRun");
    const std::wstring program = ProgramFolder() + L"\\Tolvik_NetworkSettingService.exe";
    // The service's registration as Windows keeps it.
    const std::wstring service = L"SYSTEM\\CurrentControlSet\\Services\\OrtivoNetworkSetting";
    EXPECT_EQ(RegistryDword(HKEY_LOCAL_MACHINE, service, L"Type"), SERVICE_WIN32_OWN_PROCESS);
    EXPECT_EQ(RegistryDword(HKEY_LOCAL_MACHINE, service, L"Start"), SERVICE_AUTO_START);
    EXPECT_EQ(RegistryDword(HKEY_LOCAL_MACHINE, service, L"ErrorControl"), SERVICE_ERROR_NORMAL);
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, service, L"ObjectName"), L"LocalSystem");
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, service, L"DisplayName"), L"Ortivo ネットワーク設定サービス");
    // The program by its full path, quoted or not (Wine's msiexec does not quote it).
    const std::wstring image = RegistryString(HKEY_LOCAL_MACHINE, service, L"ImagePath");
    EXPECT_TRUE(image == program || image == L"\"" + program + L"\"") << testsupport::Narrow(image);
    EXPECT_EQ(testsupport::SettingServiceStatus().dwCurrentState, static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, kServiceKey, L"Users"), L"operators");
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, kEventSourceKey, L"EventMessageFile"), program);
    EXPECT_EQ(RegistryDword(HKEY_LOCAL_MACHINE, kEventSourceKey, L"TypesSupported"), 7);

    // The repair rewrites the registry values (m) from the remembered properties.
    const std::vector<uint8_t> changed = DataFileOf({Profiles()[1]});
    ASSERT_TRUE(testsupport::WriteFileBytes(DataFile(), changed));
    ASSERT_EQ(Msiexec(L"/i", L" REINSTALL=ALL REINSTALLMODE=vomus"), 0) << "silent repair";
    EXPECT_TRUE(Bytes(DataFile()) == changed) << "the repair imported the file again";
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, kProductKeyPath, WPtr(kManagedValue)), L"1");
    EXPECT_EQ(testsupport::SettingServiceStatus().dwCurrentState, static_cast<DWORD>(SERVICE_RUNNING));
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, kServiceKey, L"Users"), L"operators");
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, kProductKeyPath, L"Service"), L"1");
    EXPECT_EQ(RegistryString(HKEY_LOCAL_MACHINE, kProductKeyPath, L"AutoRun"), L"1");

    ASSERT_EQ(Msiexec(L"/x"), 0) << "silent uninstall";
    EXPECT_FALSE(HasValue(kMachineRunKey, L"Tolvik_Network"));
    EXPECT_FALSE(testsupport::SettingServiceRegistered());
    EXPECT_FALSE(HasValue(kServiceKey, L"Users"));
    EXPECT_FALSE(HasValue(kProductKeyPath.c_str(), L"Service"));
    EXPECT_FALSE(HasValue(kProductKeyPath.c_str(), WPtr(kManagedValue)));
    EXPECT_TRUE(Bytes(DataFile()) == changed);
    EXPECT_FALSE(HasValue(kEventSourceKey, L"EventMessageFile"));
    EXPECT_FALSE(Exists(program));
}

}  // namespace
