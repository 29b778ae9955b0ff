#include "tests/wine/support/DialogTemplateReader.h"

#include <cstring>
#include <cwctype>

namespace restest {
namespace {

class Reader {
public:
    Reader(const void* data, size_t size) : p_(static_cast<const BYTE*>(data)), size_(size) {}
    bool ok() const { return ok_; }
    template <typename T>
    T Get() {
        T v{};
        if (pos_ + sizeof(T) > size_) {
            ok_ = false;
            return v;
        }
        memcpy(&v, p_ + pos_, sizeof(T));
        pos_ += sizeof(T);
        return v;
    }
    std::wstring String() {
        std::wstring s;
        for (WORD c = Get<WORD>(); ok_ && c; c = Get<WORD>()) s.push_back(static_cast<wchar_t>(c));
        return s;
    }
    // sz_Or_Ord: 0 = none, 0xFFFF + ordinal, or a string.
    std::wstring NameOrOrdinal(bool atomAsHex) {
        WORD first = Get<WORD>();
        if (first == 0) return std::wstring();
        if (first == 0xFFFF) {
            WORD ordinal = Get<WORD>();
            wchar_t buffer[16];
            swprintf(buffer, 16, atomAsHex ? L"#0x%04X" : L"#%u", ordinal);
            return buffer;
        }
        pos_ -= sizeof(WORD);
        return String();
    }
    void AlignDword() { pos_ = (pos_ + 3) & ~size_t(3); }
    void Skip(size_t n) { pos_ += n; }

private:
    const BYTE* p_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

// Class names compare without case; the predefined classes as their atoms.
std::wstring CanonicalClass(std::wstring name) {
    if (!name.empty() && name[0] == L'#') return name;
    for (auto& ch : name) ch = static_cast<wchar_t>(towupper(ch));
    if (name == L"BUTTON") return L"#0x0080";
    if (name == L"EDIT") return L"#0x0081";
    if (name == L"STATIC") return L"#0x0082";
    return name;
}

}  // namespace

const DialogItem* DialogTemplate::Find(int id) const {
    for (const auto& item : items)
        if (item.id == id) return &item;
    return nullptr;
}

bool ReadDialogTemplate(const void* data, size_t size, DialogTemplate* out) {
    Reader r(data, size);
    if (r.Get<WORD>() != 1 || r.Get<WORD>() != 0xFFFF) return false;
    r.Get<DWORD>();  // help id
    out->exStyle = r.Get<DWORD>();
    out->style = r.Get<DWORD>();
    WORD count = r.Get<WORD>();
    out->x = r.Get<short>();
    out->y = r.Get<short>();
    out->cx = r.Get<short>();
    out->cy = r.Get<short>();
    r.NameOrOrdinal(false);  // menu
    r.NameOrOrdinal(false);  // class
    out->title = r.String();
    if (out->style & (DS_SETFONT | DS_SHELLFONT)) {
        out->pointSize = r.Get<WORD>();
        out->weight = r.Get<WORD>();
        r.Get<BYTE>();  // italic
        out->charset = r.Get<BYTE>();
        out->typeface = r.String();
    }
    for (WORD i = 0; i < count && r.ok(); ++i) {
        r.AlignDword();
        DialogItem item;
        r.Get<DWORD>();  // help id
        item.exStyle = r.Get<DWORD>();
        item.style = r.Get<DWORD>();
        item.x = r.Get<short>();
        item.y = r.Get<short>();
        item.cx = r.Get<short>();
        item.cy = r.Get<short>();
        item.id = static_cast<int>(r.Get<DWORD>());
        item.className = CanonicalClass(r.NameOrOrdinal(true));
        item.text = r.NameOrOrdinal(false);
        r.Skip(r.Get<WORD>());  // creation data
        out->items.push_back(item);
    }
    return r.ok();
}

}  // namespace restest
