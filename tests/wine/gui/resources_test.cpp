// The main program's resources as built into Tolvik_Network.exe: every
// dialog template with its style, font and controls, the string table, the
// icons and bitmaps, the version resource and the manifest.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/wine/support/DialogTemplateReader.h"
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/TestSupport.h"

namespace {

class ProgramResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        module_ = LoadLibraryExW((testsupport::ExeDir() + L"\\Tolvik_Network.exe").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        if (module_) FreeLibrary(module_);
        module_ = nullptr;
    }
    void SetUp() override { ASSERT_NE(module_, nullptr) << "Tolvik_Network.exe not found beside the test"; }

    static std::string Bytes(LPCWSTR type, int id) {
        HRSRC found = FindResourceW(module_, MAKEINTRESOURCEW(id), type);
        if (!found) return std::string();
        HGLOBAL loaded = LoadResource(module_, found);
        const char* data = static_cast<const char*>(LockResource(loaded));
        return data ? std::string(data, SizeofResource(module_, found)) : std::string();
    }
    static restest::DialogTemplate Dialog(int id) {
        std::string bytes = Bytes(RT_DIALOG, id);
        restest::DialogTemplate t;
        EXPECT_TRUE(!bytes.empty() && restest::ReadDialogTemplate(bytes.data(), bytes.size(), &t))
            << "dialog " << id;
        return t;
    }

    static HMODULE module_;
};
HMODULE ProgramResources::module_ = nullptr;

// ---- string table ----------------------------------------------------------------

struct StringEntry {
    UINT id;
    const wchar_t* text;
};
const StringEntry kStrings[] = {
#include "tests/wine/support/expected_strings.inc"
};

TEST_F(ProgramResources, EveryStringLoadsWithItsText) {
    std::set<UINT> seen;
    for (const auto& entry : kStrings) {
        wchar_t buffer[1024] = {};
        int n = LoadStringW(module_, entry.id, buffer, 1024);
        EXPECT_EQ(std::wstring(buffer, n > 0 ? n : 0), entry.text) << "string " << entry.id;
        seen.insert(entry.id);
    }
    for (UINT id = 130; id <= 189; ++id) {
        if (id == 171) continue;  // not part of the table
        EXPECT_TRUE(seen.count(id)) << "no expectation for string " << id;
    }
}

// ---- dialog templates ------------------------------------------------------------

const wchar_t kMeiryo[] = L"メイリオ";

struct DialogExpectation {
    int id;
    short cx, cy;
    DWORD style;    // bits that must be set
    DWORD exStyle;  // bits that must be set
    const wchar_t* caption;
    std::vector<int> controls;
};

const DWORD kPage = DS_SETFONT | WS_CHILD | WS_CAPTION;
const DWORD kModal = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION;

const DialogExpectation kDialogs[] = {
    {102, 262, 201, kModal | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_APPWINDOW, L"Ortivo",
     {IDC_MAIN_AUTORUN, IDC_MAIN_PROFILE_LIST, IDC_MAIN_DESCRIPTION, IDC_MAIN_ADD, IDC_MAIN_EDIT, IDC_MAIN_DELETE,
      IDC_MAIN_APPLY, IDC_MAIN_MANAGED, IDOK, IDCANCEL}},
    {103, 0, 0, kPage, 0, L"プロファイル名、アイコンの設定", {IDC_NAME_EDIT, IDC_NAME_ICON_LIST}},
    {104, 260, 165, kPage, 0, L"ネットワーク接続の選択",
     {IDC_ADAPTER_LIST, IDC_ADAPTER_RECORD, IDC_ADAPTER_FOUND, IDC_ADAPTER_AUTOMATIC, IDC_ADAPTER_NO_DHCP, IDC_ADAPTER_GATEWAY_LOST}},
    {105, 0, 0, kPage, 0, L"TCP/IPの設定",
     {IDC_TCP_FIXED_IP, IDC_TCP_DHCP, IDC_TCP_DNS_MANUAL, IDC_TCP_DNS_AUTO, IDC_TCP_IP_ADDRESS, IDC_TCP_SUBNET_MASK,
      IDC_TCP_GATEWAY, IDC_TCP_PREFERRED_DNS, IDC_TCP_ALTERNATE_DNS, IDC_TCP_ADVANCED}},
    {106, 0, 0, kPage, 0, L"Internet Explorerのプロキシの設定",
     {IDC_PROXY_SUMMARY, IDC_PROXY_NONE, IDC_PROXY_KEEP, IDC_PROXY_USE, IDC_PROXY_DETAILS}},
    {107, 0, 0, kPage, 0, L"ネットワーク接続の確認設定",
     {IDC_NETWORKCHK_DHCP, IDC_NETWORKCHK_PING, IDC_NETWORKCHK_URL, IDC_NETWORKCHK_URL_EDIT}},
    {108, 0, 0, kPage, 0, L"ネットワーク接続後起動アプリケーションの設定",
     {IDC_RUNAPP_RUN, IDC_RUNAPP_PATH, IDC_RUNAPP_ARGUMENTS, IDC_RUNAPP_BROWSE}},
    {109, 0, 0, kPage, 0, L"デフォルトプリンターの設定", {IDC_PRINTER_LIST, IDC_PRINTER_SET}},
    {110, 0, 0, kPage, 0, L"プロファイル登録情報の確認",
     {IDC_CONFIRM_NAME, IDC_CONFIRM_SUMMARY, IDC_CONFIRM_ICON, IDC_CONFIRM_CONNECTION, IDC_CONFIRM_ADAPTER}},
    {161, 297, 108, kModal | WS_SYSMENU, 0, L"Ortivo のバージョン情報", {IDOK, IDCANCEL}},
    {185, 299, 136, kModal, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE, L"Dialog",
     {IDC_HINTS_HIDE, IDC_HINTS_ICON, IDC_HINTS_TEXT, IDC_HINTS_PICTURE, IDOK}},
    {187, 196, 66, DS_SETFONT | DS_SETFOREGROUND | DS_SYSMODAL | WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW,
     L"", {IDC_PROGRESS_PROFILE, IDC_PROGRESS_BAR}},
    {188, 0, 0, kModal, 0, L"プロキシの設定",
     {IDC_PROXY_SETTING_BYPASS_LOCAL, IDC_PROXY_SETTING_SCRIPT, IDC_PROXY_SETTING_HTTP, IDC_PROXY_SETTING_SECURE,
      IDC_PROXY_SETTING_FTP, IDC_PROXY_SETTING_GOPHER, IDC_PROXY_SETTING_SOCKS, IDC_PROXY_SETTING_HTTP_PORT,
      IDC_PROXY_SETTING_SECURE_PORT, IDC_PROXY_SETTING_FTP_PORT, IDC_PROXY_SETTING_GOPHER_PORT,
      IDC_PROXY_SETTING_SOCKS_PORT, IDC_PROXY_SETTING_EXCEPTIONS, IDC_PROXY_SETTING_SAME_FOR_ALL, IDOK, IDCANCEL}},
    {189, 0, 0, kModal | WS_SYSMENU, 0, L"TCP/IP 詳細設定",
     {IDC_TCP_ADVANCED_ADDRESS_LIST, IDC_TCP_ADVANCED_ADDRESS_IP, IDC_TCP_ADVANCED_ADDRESS_MASK, IDC_TCP_ADVANCED_ADDRESS_ADD,
      IDC_TCP_ADVANCED_ADDRESS_CHANGE, IDC_TCP_ADVANCED_ADDRESS_REMOVE, IDC_TCP_ADVANCED_ADDRESS_UP, IDC_TCP_ADVANCED_ADDRESS_DOWN,
      IDC_TCP_ADVANCED_GATEWAY_LIST, IDC_TCP_ADVANCED_GATEWAY_IP, IDC_TCP_ADVANCED_GATEWAY_METRIC, IDC_TCP_ADVANCED_GATEWAY_ADD,
      IDC_TCP_ADVANCED_GATEWAY_CHANGE, IDC_TCP_ADVANCED_GATEWAY_REMOVE, IDC_TCP_ADVANCED_GATEWAY_UP, IDC_TCP_ADVANCED_GATEWAY_DOWN,
      IDC_TCP_ADVANCED_DNS_LIST, IDC_TCP_ADVANCED_DNS_IP, IDC_TCP_ADVANCED_DNS_ADD, IDC_TCP_ADVANCED_DNS_CHANGE,
      IDC_TCP_ADVANCED_DNS_REMOVE, IDC_TCP_ADVANCED_DNS_UP, IDC_TCP_ADVANCED_DNS_DOWN, IDC_TCP_ADVANCED_SUFFIX, IDOK, IDCANCEL}},
};

class DialogTemplates : public ProgramResources, public ::testing::WithParamInterface<DialogExpectation> {};

TEST_P(DialogTemplates, HaveStyleFontCaptionAndControls) {
    const DialogExpectation& e = GetParam();
    restest::DialogTemplate t = Dialog(e.id);
    EXPECT_EQ(t.style & e.style, e.style) << std::hex << t.style;
    EXPECT_EQ(t.exStyle & e.exStyle, e.exStyle) << std::hex << t.exStyle;
    if (e.cx) {
        EXPECT_EQ(t.cx, e.cx);
        EXPECT_EQ(t.cy, e.cy);
    }
    EXPECT_EQ(t.title, e.caption);
    EXPECT_EQ(t.typeface, kMeiryo);
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.charset, 128);
    std::set<int> ids;
    for (const auto& item : t.items)
        if (item.id != -1 && item.id != 0xFFFF) ids.insert(item.id);
    EXPECT_EQ(ids, std::set<int>(e.controls.begin(), e.controls.end()));
    // Every control of a page or dialog lies inside it.
    for (const auto& item : t.items) {
        if (!(item.style & WS_VISIBLE) || e.id == 161) continue;  // the About banner is wider on purpose
        EXPECT_LE(item.x + item.cx, t.cx) << "control " << item.id << " of " << e.id;
    }
}

INSTANTIATE_TEST_SUITE_P(All, DialogTemplates, ::testing::ValuesIn(kDialogs),
                         [](const auto& info) { return "IDD_" + std::to_string(info.param.id); });

// Exact layouts of the dialogs whose every control is given.
struct Placed {
    int id;
    short x, y, cx, cy;
    const wchar_t* className;
    const wchar_t* text;  // null: not compared
};

void ExpectLayout(const restest::DialogTemplate& t, const std::vector<Placed>& expected) {
    ASSERT_EQ(t.items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto& item = t.items[i];
        const auto& e = expected[i];
        SCOPED_TRACE("control #" + std::to_string(i));
        EXPECT_EQ(item.id == 0xFFFF ? -1 : item.id, e.id);
        EXPECT_EQ(item.x, e.x);
        EXPECT_EQ(item.y, e.y);
        EXPECT_EQ(item.cx, e.cx);
        EXPECT_EQ(item.cy, e.cy);
        EXPECT_EQ(item.className, e.className);
        if (e.text) {
            EXPECT_EQ(item.text, e.text);
        }
    }
}

const wchar_t kButton[] = L"#0x0080";
const wchar_t kEdit[] = L"#0x0081";
const wchar_t kStatic[] = L"#0x0082";

TEST_F(ProgramResources, MainDialogLayout) {
    restest::DialogTemplate t = Dialog(102);
    ExpectLayout(t, {
        {-1, 6, 6, 20, 20, kStatic, L"#128"},
        {-1, 30, 6, 224, 24, kStatic,
         L"ネットワークのプロファイル選択と編集を行ってください。プロファイルを適用するためには\"適用\"ボタンを押してください。"},
        {-1, 7, 24, 247, 155, kButton, L"プロファイル"},
        {IDC_MAIN_PROFILE_LIST, 12, 34, 237, 47, L"SYSLISTVIEW32", nullptr},
        {-1, 12, 88, 213, 8, kStatic, L"プロファイル内容"},
        {IDC_MAIN_DESCRIPTION, 12, 97, 237, 65, kEdit, nullptr},
        {IDC_MAIN_ADD, 12, 164, 50, 10, kButton, L"追加"},
        {IDC_MAIN_EDIT, 75, 164, 50, 10, kButton, L"編集"},
        {IDC_MAIN_DELETE, 137, 164, 50, 10, kButton, L"削除"},
        {IDC_MAIN_APPLY, 199, 164, 50, 10, kButton, L"適用"},
        {-1, 148, 109, 25, 22, kButton, L"オプション"},
        {IDC_MAIN_AUTORUN, 149, 113, 19, 10, kButton, L"OS起動時に自動起動する（通知領域に格納）"},
        {IDCANCEL, 128, 187, 50, 7, kButton, L"キャンセル"},
        {IDOK, 200, 184, 54, 10, kButton, L"閉じる"},
        {IDC_MAIN_MANAGED, 7, 185, 188, 8, kStatic, L""},
    });
    const DWORD listStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED |
                            LVS_NOCOLUMNHEADER | WS_BORDER | WS_TABSTOP;
    EXPECT_EQ(t.items[3].style & listStyle, listStyle);
    EXPECT_EQ(t.items[3].style & (LVS_SORTASCENDING | LVS_SORTDESCENDING), 0u);
    EXPECT_EQ(t.items[5].style & (ES_MULTILINE | ES_READONLY | WS_VSCROLL), DWORD(ES_MULTILINE | ES_READONLY | WS_VSCROLL));
    EXPECT_TRUE(t.items[6].style & WS_GROUP);
    EXPECT_EQ(t.items[10].style & WS_VISIBLE, 0u);
    EXPECT_EQ(t.items[11].style & (WS_VISIBLE | WS_DISABLED), DWORD(WS_DISABLED));
    EXPECT_EQ(t.items[12].style & (WS_VISIBLE | WS_DISABLED), DWORD(WS_DISABLED));
    EXPECT_EQ(t.items[13].style & 0xF, DWORD(BS_DEFPUSHBUTTON));
}

TEST_F(ProgramResources, AboutHintAndProgressLayouts) {
    ExpectLayout(Dialog(161), {
        {-1, 0, 0, 334, 40, kStatic, L"#175"},
        {-1, 6, 44, 18, 14, kStatic, L"#128"},
        {-1, 37, 44, 255, 8, kStatic, L"Ortivo"},
        {-1, 37, 56, 255, 8, kStatic, L"バージョン\u30003.00"},
        {-1, 37, 68, 255, 8, kStatic, nullptr},
        {IDOK, 242, 91, 50, 10, kButton, L"OK"},
        {IDCANCEL, 84, 87, 50, 14, kButton, L"キャンセル"},
    });
    ExpectLayout(Dialog(185), {
        {IDC_HINTS_ICON, 7, 7, 20, 20, kStatic, L"#128"},
        {IDC_HINTS_TEXT, 30, 7, 262, 60, kStatic, L""},
        {IDC_HINTS_PICTURE, 174, 68, 118, 43, kStatic, L"#190"},
        {IDC_HINTS_HIDE, 7, 115, 234, 14, kButton, L"起動時にこのダイアログを表示しない。"},
        {IDOK, 242, 115, 50, 14, kButton, L"OK"},
    });
    restest::DialogTemplate progress = Dialog(187);
    ExpectLayout(progress, {
        {-1, 2, 2, 192, 57, kStatic, L""},
        {-1, 2, 12, 192, 11, kStatic, L"ネットワーク設定の切替えをしています"},
        {IDC_PROGRESS_PROFILE, 2, 27, 192, 29, kStatic, L""},
        {IDC_PROGRESS_BAR, 2, 59, 192, 6, L"MSCTLS_PROGRESS32", L""},
    });
    EXPECT_EQ(progress.items[1].style & SS_TYPEMASK, DWORD(SS_CENTER));
    EXPECT_EQ(progress.items[2].style & SS_TYPEMASK, DWORD(SS_CENTER));
    EXPECT_EQ(progress.items[3].style & (PBS_SMOOTH | WS_BORDER), DWORD(PBS_SMOOTH | WS_BORDER));
}

TEST_F(ProgramResources, ApplicationPathAcceptsDroppedFiles) {
    restest::DialogTemplate t = Dialog(108);
    ASSERT_NE(t.Find(IDC_RUNAPP_PATH), nullptr);
    EXPECT_TRUE(t.Find(IDC_RUNAPP_PATH)->exStyle & WS_EX_ACCEPTFILES);
}

// Every label of every dialog, created from the program's template at 96 DPI
// with the Japanese font, is shown in full.
INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST_P(DialogTemplates, ShowEveryLabelInFull) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES};
    InitCommonControlsEx(&icc);
    std::string bytes = Bytes(RT_DIALOG, GetParam().id);
    ASSERT_FALSE(bytes.empty());
    // Pages are child windows: they need a parent.
    HWND host = CreateWindowExW(0, L"Static", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND dialog = CreateDialogIndirectParamW(module_, reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), host,
                                             InertDialogProc, 0);
    ASSERT_NE(dialog, nullptr) << GetLastError();
    const HWND managed = GetDlgItem(dialog, IDC_MAIN_MANAGED);  // shown with its text when managed
    if (GetParam().id == IDD_TOLVIK_NETWORK_DIALOG &&
        SetWindowTextW(managed, testsupport::ExpectedText(IDS_MANAGED_PROFILES).c_str()))
        ShowWindow(managed, SW_SHOW);
    for (const std::wstring& line : gui::TextsNotShownInFull(dialog)) ADD_FAILURE() << testsupport::Narrow(line);
    DestroyWindow(dialog);
    DestroyWindow(host);
}

// The bulk-edit tool's window and rename dialog, from Tolvik_EditProfile.exe.
TEST(ToolResources, ShowEveryLabelInFullAndCarryTheToolsIcon) {
    HMODULE tool = LoadLibraryExW((testsupport::ExeDir() + L"\\Tolvik_EditProfile.exe").c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(tool, nullptr) << "Tolvik_EditProfile.exe not found beside the test";
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    for (int id : {400, 401}) {
        SCOPED_TRACE("dialog " + std::to_string(id));
        HWND dialog = CreateDialogParamW(tool, MAKEINTRESOURCEW(id), nullptr, InertDialogProc, 0);
        ASSERT_NE(dialog, nullptr) << GetLastError();
        for (const std::wstring& line : gui::TextsNotShownInFull(dialog)) ADD_FAILURE() << testsupport::Narrow(line);
        DestroyWindow(dialog);
    }
    for (int id : {128, 163, 168}) EXPECT_NE(FindResourceW(tool, MAKEINTRESOURCEW(id), RT_GROUP_ICON), nullptr) << id;
    FreeLibrary(tool);
}

// ---- icons, bitmaps, version, manifest ------------------------------------------

TEST_F(ProgramResources, IconsAndBitmapsExistWithTheirSizes) {
    for (int id : {128, 146, 163, 164, 165, 166, 167, 168})
        EXPECT_FALSE(Bytes(RT_GROUP_ICON, id).empty()) << "icon " << id;
    struct {
        int id;
        LONG width, height;
    } bitmaps[] = {{175, 519, 90}, {190, 209, 98}};
    for (const auto& b : bitmaps) {
        std::string bytes = Bytes(RT_BITMAP, b.id);
        ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER)) << "bitmap " << b.id;
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data());
        EXPECT_EQ(header->biWidth, b.width);
        EXPECT_EQ(header->biHeight, b.height);
    }
}

TEST_F(ProgramResources, VersionSaysOrtivo300) {
    std::wstring path = testsupport::ExeDir() + L"\\Tolvik_Network.exe";
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    auto value = [&](const wchar_t* name) {
        wchar_t* text = nullptr;
        UINT length = 0;
        std::wstring key = std::wstring(L"\\StringFileInfo\\041104b0\\") + name;
        return VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) && text
                   ? std::wstring(text)
                   : std::wstring();
    };
    EXPECT_EQ(value(L"ProductName"), L"Ortivo");
    EXPECT_EQ(value(L"ProductVersion"), L"3.00");
}

TEST_F(ProgramResources, ManifestAsksForCommonControls6AndSystemDpiAwareness) {
    std::string manifest = Bytes(RT_MANIFEST, 1);
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
    for (const char* os : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                           "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"})
        EXPECT_NE(manifest.find(os), std::string::npos) << os;
}

}  // namespace
