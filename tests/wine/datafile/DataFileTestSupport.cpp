#include "DataFileTestSupport.h"

#include <shlobj.h>

namespace dftest {

Bytes ReadBytes(const std::wstring& path) {
    Bytes bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size)) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD got = 0;
        if (!bytes.empty() && (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                               got != bytes.size()))
            bytes.clear();
    }
    CloseHandle(file);
    return bytes;
}

bool WriteBytes(const std::wstring& path, const Bytes& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    const bool ok =
        bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) &&
                          put == bytes.size());
    CloseHandle(file);
    return ok;
}

std::vector<std::wstring> FolderEntries(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return names;
}

Bytes FromHex(const char* hex) {
    Bytes bytes;
    for (std::size_t i = 0; hex[i] != 0 && hex[i + 1] != 0; i += 2) {
        auto nibble = [](char c) { return c <= '9' ? c - '0' : c - 'a' + 10; };
        bytes.push_back(static_cast<uint8_t>(nibble(hex[i]) << 4 | nibble(hex[i + 1])));
    }
    return bytes;
}

std::wstring DataFolder() {
    wchar_t common[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, common);
    return std::wstring(common) + L"\\Valtrecossin\\TOLVIK_NETWORK";
}

std::wstring DataFilePath() { return DataFolder() + L"\\Tolvik_Network.dat"; }

DataFolderScope::DataFolderScope() {
    const std::wstring folder = DataFolder();
    const std::wstring parent = folder.substr(0, folder.rfind(L'\\'));
    for (const std::wstring& f : {parent, folder})
        if (CreateDirectoryW(f.c_str(), nullptr)) created_.insert(created_.begin(), f);
    previous_ = ReadBytes(DataFilePath());
    hadFile_ = GetFileAttributesW(DataFilePath().c_str()) != INVALID_FILE_ATTRIBUTES;
    SetFileAttributesW(DataFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(DataFilePath().c_str());
}

DataFolderScope::~DataFolderScope() {
    const std::wstring folder = DataFolder();
    SetFileAttributesW(DataFilePath().c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(DataFilePath().c_str());
    if (hadFile_) WriteBytes(DataFilePath(), previous_);
    for (const std::wstring& name : FolderEntries(folder))
        if (name.compare(0, 3, L"tnw") == 0 || name.compare(0, 2, L"rf") == 0)
            DeleteFileW((folder + L"\\" + name).c_str());
    for (const std::wstring& f : created_) RemoveDirectoryW(f.c_str());
}

bool GetRaw(HKEY root, const std::wstring& keyPath, const std::wstring& name, DWORD& type, Bytes& data) {
    HKEY key;
    if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    bool ok = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        data.assign(size, 0);
        ok = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(), &size) ==
             ERROR_SUCCESS;
        data.resize(size);
    }
    RegCloseKey(key);
    return ok;
}

bool SetRaw(HKEY root, const std::wstring& keyPath, const std::wstring& name, DWORD type, const void* data,
            DWORD size) {
    HKEY key;
    if (RegCreateKeyExW(root, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool ok =
        RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

bool SetText(HKEY root, const std::wstring& keyPath, const std::wstring& name, DWORD type,
             const std::wstring& text) {
    return SetRaw(root, keyPath, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void DeleteRaw(HKEY root, const std::wstring& keyPath, const std::wstring& name) {
    HKEY key;
    if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, name.c_str());
    RegCloseKey(key);
}

KeyScope::KeyScope(std::wstring keyPath) : keyPath_(std::move(keyPath)) {
    HKEY key;
    existed_ = RegOpenKeyExW(HKEY_CURRENT_USER, keyPath_.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (existed_) RegCloseKey(key);
}

KeyScope::~KeyScope() {
    if (existed_) return;
    RegDeleteTreeW(HKEY_CURRENT_USER, keyPath_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, keyPath_.c_str());
}

SavedValue::SavedValue(HKEY root, std::wstring keyPath, std::wstring name)
    : root_(root), keyPath_(std::move(keyPath)), name_(std::move(name)) {
    existed_ = GetRaw(root_, keyPath_, name_, type_, data_);
}

SavedValue::~SavedValue() {
    if (existed_)
        SetRaw(root_, keyPath_, name_, type_, data_.data(), static_cast<DWORD>(data_.size()));
    else
        DeleteRaw(root_, keyPath_, name_);
}

RootRedirect::RootRedirect(HKEY root)
    : root_(root), scratch_(L"Software\\OrtivoTestScratch\\" + std::to_wstring(GetCurrentProcessId())) {
    HKEY scratch;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, scratch_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch,
                        nullptr) != ERROR_SUCCESS)
        return;
    active_ = RegOverridePredefKey(root_, scratch) == ERROR_SUCCESS;
    RegCloseKey(scratch);
}

RootRedirect::~RootRedirect() {
    RegOverridePredefKey(root_, nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, scratch_.c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\OrtivoTestScratch");
}

}  // namespace dftest
