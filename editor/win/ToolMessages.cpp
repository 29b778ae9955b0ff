#include "editor/win/ToolMessages.h"

#include "editor/EditorResource.h"
#include "framework/win/ResourceString.h"
#include "framework/win/WideText.h"

namespace {

std::wstring Number(long long value) { return W(text::Decimal(value)); }

// "プロファイル2「Office」の「ipAddress」：" and the like.
std::wstring Location(const ImportError& e) {
    const std::wstring field(e.field.begin(), e.field.end());
    if (e.profileNumber > 0 && field.empty())
        return ToolText(IDS_IMPORT_AT_PROFILE_ONLY, {Number(e.profileNumber), W(e.profileName)});
    if (e.profileNumber > 0)
        return ToolText(IDS_IMPORT_AT_PROFILE, {Number(e.profileNumber), W(e.profileName), field});
    return field.empty() ? ToolText(IDS_IMPORT_AT_FILE) : ToolText(IDS_IMPORT_AT_FILE_KEY, {field});
}

// The head line, then where and why.
std::wstring RefusalText(UINT head, const ImportError& error) {
    std::vector<std::wstring> values;
    for (long long v : error.values) values.push_back(Number(v));
    return ToolText(head) + L"\r\n" + Location(error) + L"\r\n" +
           ToolText(static_cast<UINT>(error.messageId), values);
}

}  // namespace

std::wstring ToolText(UINT id, const std::vector<std::wstring>& values) {
    std::vector<Text> filled;
    for (const std::wstring& v : values) filled.push_back(T(v));
    return W(text::FillTokens(T(LoadResString(id)), filled));
}

int ShowToolMessage(HWND owner, const std::wstring& text, UINT flags) {
    return MessageBoxW(owner, text.c_str(), kToolCaption, flags);
}

std::wstring ImportErrorText(const ImportError& error) { return RefusalText(IDS_IMPORT_REFUSED, error); }

std::wstring ExportErrorText(const ImportError& error) { return RefusalText(IDS_EXPORT_REFUSED, error); }
