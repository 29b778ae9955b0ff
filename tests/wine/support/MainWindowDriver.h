#pragma once
// Drives Tolvik_Network.exe under Wine: starts it on a prepared data file,
// finds its main dialog, wizard and message boxes, and reads back the data
// file it writes. "HideHints" is 1 while the driver lives, and every
// adapter's TCP/IP key says that its DNS servers are obtained automatically
// ("NameServer" empty), so that a new profile starts with DHCP and automatic
// DNS whatever the host's resolver is. The data file, "DatData",
// "ShowSetting", "HideHints" and the adapter keys of the test prefix are put
// back as they were when the driver goes.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "profile/ProfileCollection.h"
#include "resources/resource.h"
#include "tests/wine/support/DataFileGuard.h"
#include "tests/wine/support/GuiDriver.h"

class CRegistrySeed;

class MainWindowDriver {
public:
    MainWindowDriver();
    ~MainWindowDriver();
    MainWindowDriver(const MainWindowDriver&) = delete;
    MainWindowDriver& operator=(const MainWindowDriver&) = delete;

    // The data file the program will find (none: no file at all).
    gui::Outcome WriteDataFile(const std::vector<std::wstring>& names, const std::wstring& connection = L"LAN");
    gui::Outcome WriteDataFile(const std::vector<CProfileData>& profiles);
    // A profile as WriteDataFile stores it for a name.
    static CProfileData Profile(const std::wstring& name, const std::wstring& connection = L"LAN");
    gui::Outcome RemoveDataFile();
    bool DataFileExists() const;
    // The profile names of the data file as the program wrote it; fails when
    // the file is missing or not a valid image. Read once the program has
    // shown that its write is done (the row it adds, then gui::Sync).
    gui::Outcome ReadDataFile(std::vector<std::wstring>* names) const;
    // Its profiles, with the extensions the extension file holds for them.
    gui::Outcome ReadProfiles(std::vector<CProfileData>* profiles) const;
    gui::Outcome SetShowSetting(bool on);

    // Starts Tolvik_Network.exe of the test's folder, or of `folder`; its
    // current folder is its own, or `currentFolder`.
    gui::Outcome Start(const std::wstring& arguments = L"", const std::wstring& folder = L"",
                       const std::wstring& currentFolder = L"");
    // Start, then WaitForMain; a main dialog that does not come names the
    // program's dialogs (the box that stopped it).
    gui::Outcome StartToMain(const std::wstring& arguments = L"", const std::wstring& folder = L"",
                             const std::wstring& currentFolder = L"");
    DWORD ProcessId() const { return program_.Id(); }
    gui::Outcome WaitForExit(DWORD* code = nullptr) { return program_.WaitForExit(gui::kDefaultTimeoutMs, code); }

    // The main dialog (caption "Ortivo" or the switching caption).
    HWND WaitForMain();
    HWND Main() const { return main_; }
    HWND Control(int id) const { return GetDlgItem(main_, id); }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    HWND List() const { return Control(IDC_MAIN_PROFILE_LIST); }
    // Selects the profile of `row` and presses "適用".
    gui::Outcome Apply(int row);
    std::wstring Description() const { return gui::WindowText(Control(IDC_MAIN_DESCRIPTION)); }
    // Waits until exactly `rows` are marked as the profile in force (state image 1).
    gui::Outcome WaitForMarkedRows(const std::vector<int>& rows) const;

    // A message box of the program (not its main dialog).
    gui::Outcome WaitForBox(gui::MessageBoxInfo* info);

    // The list shows `count` rows and the handler that changed it has ended
    // (the one that writes the data file with it).
    gui::Outcome WaitForRows(int count) const;

    // A visible dialog-class window of the program for which `wanted` holds.
    HWND WaitForDialog(const std::function<bool(HWND)>& wanted) const;

    // Test expectation: the program's next message box has the caption
    // "Ortivo", `text` and `icon`; it is answered with `answer`.
    void ExpectBox(const std::wstring& text, gui::BoxIcon icon, int answer = IDOK);

private:
    CDataFileGuard dataFile_;
    std::unique_ptr<CRegistrySeed> settings_;
    gui::Program program_;
    HWND main_ = nullptr;
};
