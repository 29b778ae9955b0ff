// The main dialog's own system-menu entries and the messages it lets through
// the window message filter, read in this process: the
// dialog is built from the program's resources (linked into this test)
// without running the program, as the system menu of another process's
// window cannot be read under Wine.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "app/win/Tolvik_NetworkApp.h"
#include "framework/win/MessageFilter.h"
#include "mainwindow/win/Tolvik_NetworkDlg.h"
#include "resources/resource.h"
#include "system/win/RegAccess.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"

namespace {

using testsupport::Narrow;

std::wstring EntryText(HMENU menu, UINT command) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, command, text, 128, MF_BYCOMMAND);
    return text;
}

bool Marked(HMENU menu) { return (GetMenuState(menu, IDM_PROGRESS_OPTION, MF_BYCOMMAND) & MF_CHECKED) != 0; }

bool AutoRunMarked(HMENU menu) { return (GetMenuState(menu, IDM_AUTORUN, MF_BYCOMMAND) & MF_CHECKED) != 0; }
bool AutoRunGrayed(HMENU menu) { return (GetMenuState(menu, IDM_AUTORUN, MF_BYCOMMAND) & MF_GRAYED) != 0; }

bool ShowSettingStored() { return RegistryDword(HKEY_CURRENT_USER, kSettingsKeyPath, L"ShowSetting") == 1; }

TEST(MainDialogSystemMenu, FiveEntriesAtTheEndAndTheirMarksFollowTheSettings) {
    const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    CRegistrySeed settings;
    ASSERT_TRUE(settings.DeleteValue(HKEY_CURRENT_USER, kRun, L"Tolvik_Network"));
    ASSERT_TRUE(settings.DeleteValue(HKEY_LOCAL_MACHINE, kRun, L"Tolvik_Network"));
    ASSERT_TRUE(settings.SetDword(HKEY_CURRENT_USER, kSettingsKeyPath, L"HideHints", 1));
    ASSERT_TRUE(settings.SetDword(HKEY_CURRENT_USER, kSettingsKeyPath, L"ShowSetting", 1));
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    CTolvik_NetworkApp app;
    CTolvik_NetworkDlg dialog(app);
    testsupport::RecordMessageFilter();
    ASSERT_TRUE(dialog.Create(IDD_TOLVIK_NETWORK_DIALOG));
    // Elevated, it takes the run request of a second start without elevation.
    EXPECT_EQ(testsupport::MessagesAllowedOn(dialog.m_hWnd), std::vector<UINT>{0x8016});
    changeMessageFilter = nullptr;  // a system without the filter
    EXPECT_FALSE(AllowMessagesFromAnyProcess(dialog.m_hWnd, {0x8016}));
    HMENU menu = GetSystemMenu(dialog.m_hWnd, FALSE);
    ASSERT_NE(menu, nullptr);
    const int n = GetMenuItemCount(menu);
    ASSERT_GE(n, 6) << "the window's own entries and the program's five";
    EXPECT_NE(GetMenuState(menu, n - 5, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_EQ(GetMenuItemID(menu, n - 4), static_cast<UINT>(IDM_HINTS));
    EXPECT_EQ(GetMenuItemID(menu, n - 3), static_cast<UINT>(IDM_PROGRESS_OPTION));
    EXPECT_EQ(GetMenuItemID(menu, n - 2), static_cast<UINT>(IDM_AUTORUN));
    EXPECT_EQ(GetMenuItemID(menu, n - 1), static_cast<UINT>(IDM_ABOUTBOX));
    EXPECT_EQ(Narrow(EntryText(menu, IDM_AUTORUN)), Narrow(L"ログオン時に起動する (&L)"));
    EXPECT_EQ(Narrow(EntryText(menu, IDM_HINTS)), Narrow(L"便利な使い方 (&H)..."));
    EXPECT_EQ(Narrow(EntryText(menu, IDM_PROGRESS_OPTION)), Narrow(L"プロファイル設定中のダイアログを表示する (&P)..."));
    EXPECT_EQ(Narrow(EntryText(menu, IDM_ABOUTBOX)), Narrow(L"バージョン情報 (&A)..."));
    EXPECT_TRUE(Marked(menu)) << "ShowSetting 1 at the start: the option is ticked";

    // Toggled twice: off (the value is removed), then on again as before.
    dialog.SendMessage(WM_SYSCOMMAND, IDM_PROGRESS_OPTION);
    EXPECT_FALSE(Marked(menu));
    EXPECT_FALSE(ShowSettingStored());
    EXPECT_FALSE(dialog.IsProgressDialogOn());
    dialog.SendMessage(WM_SYSCOMMAND, IDM_PROGRESS_OPTION);
    EXPECT_TRUE(Marked(menu));
    EXPECT_TRUE(ShowSettingStored());

    // The start at logon: the per-user Run value made in its form and
    // removed again; the package's value for every user ticks the entry and
    // keeps the user from adding a second one.
    app.programFolder = L"C:\\Apps\\X";
    EXPECT_FALSE(AutoRunMarked(menu));
    dialog.SendMessage(WM_SYSCOMMAND, IDM_AUTORUN);
    EXPECT_TRUE(AutoRunMarked(menu));
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, kRun, L"Tolvik_Network"), L"\"C:\\Apps\\X\\Tolvik_Network.exe\" /AutoRun");
    dialog.SendMessage(WM_SYSCOMMAND, IDM_AUTORUN);
    EXPECT_FALSE(AutoRunMarked(menu));
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, kRun, L"Tolvik_Network"), L"(none)");
    ASSERT_TRUE(settings.SetString(HKEY_LOCAL_MACHINE, kRun, L"Tolvik_Network", L"\"C:\\P\\Tolvik_Network.exe\" /AutoRun"));
    dialog.SendMessage(WM_SYSCOMMAND, IDM_AUTORUN);
    EXPECT_TRUE(AutoRunMarked(menu));
    EXPECT_TRUE(AutoRunGrayed(menu));
    EXPECT_EQ(RegistryString(HKEY_CURRENT_USER, kRun, L"Tolvik_Network"), L"(none)");
}

}  // namespace
