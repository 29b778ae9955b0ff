// Reading and answering message boxes.
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/GuiDib.h"

#include <gtest/gtest.h>

#include "tests/wine/support/TestSupport.h"

namespace gui {
namespace {

constexpr int kTextStaticId = 0xFFFF;  // the message text of a system message box
constexpr int kIconSize = 32;

// A system message box holds only statics (its text 0xFFFF, its icon) and
// push buttons with the standard ids; a dialog of the program holds more.
bool IsMessageBox(HWND window) {
    if (!GetDlgItem(window, kTextStaticId)) return false;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring cls = ClassName(child);
        const int id = GetDlgCtrlID(child);
        if (cls == L"Static") continue;
        if (cls == L"Button" && id >= IDOK && id <= IDCONTINUE) continue;
        return false;
    }
    return true;
}

HWND IconStatic(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        LONG style = GetWindowLongW(child, GWL_STYLE);
        if (ClassName(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON) return child;
    }
    return nullptr;
}

// Draws an icon of this process onto a plain background.
bool RenderIcon(HICON icon, uint32_t background, Image* image) {
    DibCanvas canvas(kIconSize, kIconSize);
    if (!canvas.Ok()) return false;
    uint32_t* p = canvas.MutablePixels();
    for (int i = 0; i < kIconSize * kIconSize; ++i) p[i] = background;
    if (!DrawIconEx(canvas.Dc(), 0, 0, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL)) return false;
    const uint32_t* drawn = canvas.Pixels();
    image->width = image->height = kIconSize;
    image->pixels.assign(drawn, drawn + kIconSize * kIconSize);
    for (auto& px : image->pixels) px &= 0xFFFFFFu;
    return true;
}

int Channel(uint32_t p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }

int Similarity(const Image& a, const Image& b) {
    int same = 0;
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x) {
            uint32_t p = a.At(x, y), q = b.At(x, y);
            int d = abs(Channel(p, 16) - Channel(q, 16)) + abs(Channel(p, 8) - Channel(q, 8)) +
                    abs(Channel(p, 0) - Channel(q, 0));
            if (d < 48) ++same;
        }
    return same;
}

// The icon as shown: drawn from its handle when this process may use it,
// otherwise taken from the screen.
bool ShownIcon(HWND iconStatic, Image* shown) {
    DWORD_PTR handle = 0;
    SendMessageTimeoutW(iconStatic, STM_GETICON, 0, 0, SMTO_NORMAL, 5000, &handle);
    HICON icon = reinterpret_cast<HICON>(handle);
    if (!icon) return false;
    if (RenderIcon(icon, 0xFF00FF, shown)) return true;
    Image captured;
    if (!CaptureWindow(iconStatic, &captured) || captured.width < kIconSize ||
        captured.height < kIconSize)
        return false;
    shown->width = shown->height = kIconSize;
    shown->pixels.clear();
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x) shown->pixels.push_back(captured.At(x, y));
    return true;
}

BoxIcon ClassifyIcon(HWND iconStatic) {
    if (!iconStatic || !IsWindowVisible(iconStatic)) return BoxIcon::None;
    Image shown;
    if (!ShownIcon(iconStatic, &shown)) return BoxIcon::None;
    const uint32_t background = shown.At(0, 0);
    struct Candidate {
        LPCWSTR id;
        BoxIcon kind;
    } candidates[] = {{IDI_ERROR, BoxIcon::Error}, {IDI_WARNING, BoxIcon::Warning},
                      {IDI_INFORMATION, BoxIcon::Information}, {IDI_QUESTION, BoxIcon::Question}};
    BoxIcon best = BoxIcon::Unknown;
    int bestScore = kIconSize * kIconSize * 9 / 10;  // at least 90 % alike
    for (const auto& c : candidates) {
        Image reference;
        if (!RenderIcon(LoadIconW(nullptr, c.id), background, &reference)) continue;
        int score = Similarity(shown, reference);
        if (score > bestScore) {
            bestScore = score;
            best = c.kind;
        }
    }
    return best;
}

// "#32770 "Ortivo" saying "...""
std::string BoxName(HWND box) {
    return WindowName(box) + " saying \"" + testsupport::Narrow(WindowText(GetDlgItem(box, kTextStaticId))) + "\"";
}

}  // namespace

std::string DialogsShown(DWORD processId) {
    std::string names;
    for (HWND dialog : DialogsOf(processId))
        names += (names.empty() ? "" : ", ") + (IsMessageBox(dialog) ? BoxName(dialog) : WindowName(dialog));
    return names.empty() ? "none" : names;
}

const char* BoxIconName(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::None: return "none";
        case BoxIcon::Error: return "error";
        case BoxIcon::Warning: return "warning";
        case BoxIcon::Information: return "information";
        case BoxIcon::Question: return "question";
        default: return "unknown";
    }
}

Outcome ReadMessageBox(HWND box, MessageBoxInfo* info) {
    if (!IsMessageBox(box)) return AssertionFailure() << WindowName(box) << " is not a message box";
    HWND text = GetDlgItem(box, kTextStaticId);
    info->window = box;
    info->caption = WindowText(box);
    info->text = WindowText(text);
    info->icon = ClassifyIcon(IconStatic(box));
    return AssertionSuccess() << BoxName(box);
}

Outcome WaitForMessageBox(MessageBoxInfo* info, DWORD processId, DWORD timeoutMs) {
    const HWND found = WaitForDialog(processId, IsMessageBox, timeoutMs);
    if (found) return ReadMessageBox(found, info);
    return TimedOut(timeoutMs) << "no message box of process " << processId << " was shown; its dialogs: "
                               << DialogsShown(processId);
}

Outcome AnswerMessageBox(HWND box, int buttonId) {
    HWND button = GetDlgItem(box, buttonId);
    if (!button) return AssertionFailure() << WindowName(box) << " has no button " << buttonId;
    const Outcome clicked = Click(button);
    return clicked ? WaitForWindowGone(box) : clicked;
}

void ExpectMessageBox(DWORD processId, const std::wstring& text, BoxIcon icon, int answer, DWORD timeoutMs,
                      const wchar_t* caption) {
    MessageBoxInfo box;
    ASSERT_TRUE(WaitForMessageBox(&box, processId, timeoutMs)) << "no message box: " << testsupport::Narrow(text);
    EXPECT_EQ(testsupport::Narrow(box.caption), testsupport::Narrow(caption));
    EXPECT_EQ(testsupport::Narrow(box.text), testsupport::Narrow(text));
    EXPECT_STREQ(BoxIconName(box.icon), BoxIconName(icon));
    ASSERT_TRUE(AnswerMessageBox(box.window, answer));
}

}  // namespace gui
