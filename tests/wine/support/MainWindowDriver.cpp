#include "resources/resource.h"
#include "tests/wine/support/MainWindowDriver.h"

#include <commctrl.h>

#include "framework/win/WideText.h"
#include "profile/DataFileImage.h"
#include "profile/ExtensionStore.h"
#include "profile/win/ProfileFileAccess.h"
#include "system/win/AdapterDiscovery.h"
#include "system/win/RegAccess.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"

using ::testing::AssertionFailure;
using ::testing::AssertionSuccess;


MainWindowDriver::MainWindowDriver() : settings_(std::make_unique<CRegistrySeed>()) {
    settings_->Preserve(HKEY_CURRENT_USER, kSettingsKeyPath, L"DatData");
    settings_->Preserve(HKEY_CURRENT_USER, kSettingsKeyPath, L"ShowSetting");
    // No hint window shortly after the start.
    settings_->SetDword(HKEY_CURRENT_USER, kSettingsKeyPath, L"HideHints", 1);
    for (const AdapterInfo& adapter : ListAdapters())
        settings_->SetString(HKEY_LOCAL_MACHINE, AdapterTcpipKey(adapter.guid), L"NameServer", L"");
}

MainWindowDriver::~MainWindowDriver() { program_.Terminate(); }

CProfileData MainWindowDriver::Profile(const std::wstring& name, const std::wstring& connection) {
    CProfileData profile;
    profile.SetText(ProfileText::profileName, T(name));
    profile.SetText(ProfileText::connectionName, T(connection));
    profile.Record().iconIndex = 1;
    return profile;
}

gui::Outcome MainWindowDriver::WriteDataFile(const std::vector<std::wstring>& names, const std::wstring& connection) {
    std::vector<CProfileData> profiles;
    for (const std::wstring& name : names) profiles.push_back(Profile(name, connection));
    return WriteDataFile(profiles);
}

gui::Outcome MainWindowDriver::WriteDataFile(const std::vector<CProfileData>& profiles) {
    CProfileCollection collection;
    for (const CProfileData& profile : profiles) collection.Add(profile);
    const int code = CProfileFileAccess(collection, testsupport::ExeDir()).Write();
    if (code == 0) return AssertionSuccess();
    return AssertionFailure() << "the data file could not be written (code " << code << ")";
}

gui::Outcome MainWindowDriver::RemoveDataFile() {
    if (CDataFileGuard::Remove()) return AssertionSuccess();
    return AssertionFailure() << testsupport::Narrow(CDataFileGuard::Path()) << " could not be removed";
}

bool MainWindowDriver::DataFileExists() const { return CDataFileGuard::Exists(); }

gui::Outcome MainWindowDriver::ReadDataFile(std::vector<std::wstring>* names) const {
    std::vector<CProfileData> profiles;
    const gui::Outcome read = ReadProfiles(&profiles);
    if (!read) return read;
    names->clear();
    for (const CProfileData& profile : profiles) names->push_back(W(profile.GetText(ProfileText::profileName)));
    return AssertionSuccess();
}

gui::Outcome MainWindowDriver::ReadProfiles(std::vector<CProfileData>* profiles) const {
    const std::string path = testsupport::Narrow(CDataFileGuard::Path());
    std::vector<uint8_t> bytes;
    if (!testsupport::ReadFileBytes(CDataFileGuard::Path(), &bytes))
        return AssertionFailure() << path << " could not be read";
    CProfileCollection collection;
    if (const int code = datafile::Decode(bytes.data(), bytes.size(), collection))
        return AssertionFailure() << path << " (" << bytes.size() << " bytes) is not a data file (code " << code << ")";
    std::vector<uint8_t> extensions;  // none when there is no extension file
    if (testsupport::ReadFileBytes(CDataFileGuard::ExtensionPath(), &extensions))
        extensionstore::Attach(std::string(extensions.begin(), extensions.end()), collection, 0);
    profiles->clear();
    CProfileData profile;
    for (int i = 0; collection.GetByPosition(i, &profile) == 0; ++i) profiles->push_back(profile);
    return AssertionSuccess();
}

gui::Outcome MainWindowDriver::SetShowSetting(bool on) {
    const bool set = settings_->SetDword(HKEY_CURRENT_USER, kSettingsKeyPath, L"ShowSetting", on ? 1 : 0);
    return set ? AssertionSuccess() : AssertionFailure() << "ShowSetting could not be set";
}

gui::Outcome MainWindowDriver::Start(const std::wstring& arguments, const std::wstring& folder,
                                     const std::wstring& currentFolder) {
    const std::wstring path = (folder.empty() ? testsupport::ExeDir() : folder) + L"\\Tolvik_Network.exe";
    program_ = gui::StartProgram(path, arguments, currentFolder);
    main_ = nullptr;
    if (program_.Started()) return AssertionSuccess();
    return AssertionFailure() << testsupport::Narrow(path) << " could not be started (error " << GetLastError() << ")";
}

gui::Outcome MainWindowDriver::StartToMain(const std::wstring& arguments, const std::wstring& folder,
                                           const std::wstring& currentFolder) {
    const gui::Outcome started = Start(arguments, folder, currentFolder);
    if (!started || WaitForMain() != nullptr) return started;
    return AssertionFailure() << "no main dialog; the program's dialogs: " << gui::DialogsShown(program_.Id());
}

HWND MainWindowDriver::WaitForDialog(const std::function<bool(HWND)>& wanted) const {
    return gui::WaitForDialog(program_.Id(), wanted);
}

HWND MainWindowDriver::WaitForMain() {
    main_ = WaitForDialog([](HWND w) { return GetDlgItem(w, IDC_MAIN_PROFILE_LIST) != nullptr; });
    return main_;
}

gui::Outcome MainWindowDriver::WaitForBox(gui::MessageBoxInfo* info) {
    // Not a dialog of the program, even one with IDC_STATIC texts.
    return gui::WaitForMessageBox(info, program_.Id());
}

gui::Outcome MainWindowDriver::Apply(int row) {
    const gui::Outcome selected = gui::ListViewSelect(List(), row);
    return selected ? gui::ClickWhenEnabled(Control(IDC_MAIN_APPLY)) : selected;
}

gui::Outcome MainWindowDriver::WaitForMarkedRows(const std::vector<int>& rows) const {
    return gui::WaitUntil([&] {
        std::vector<int> seen;
        for (int row = 0; row < gui::ListViewCount(List()); ++row)
            if ((SendMessageW(List(), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) ==
                INDEXTOSTATEIMAGEMASK(1))
                seen.push_back(row);
        gui::Outcome same(seen == rows);
        same << "the marked rows were {";
        for (int row : seen) same << " " << row;
        return same << " }";
    });
}

gui::Outcome MainWindowDriver::WaitForRows(int count) const {
    const gui::Outcome shown = gui::WaitUntil([&] {
        const int rows = gui::ListViewCount(List());
        return gui::Outcome(rows == count) << "the list had " << rows << " rows, not " << count;
    });
    return shown ? gui::Sync(main_) : shown;
}

void MainWindowDriver::ExpectBox(const std::wstring& text, gui::BoxIcon icon, int answer) {
    gui::ExpectMessageBox(program_.Id(), text, icon, answer);
}
