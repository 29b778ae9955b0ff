#pragma once
// Helpers for the data file and registry tests: byte files, folder
// listings, and registry values and files that are put back as they were.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace dftest {

using Bytes = std::vector<uint8_t>;

Bytes ReadBytes(const std::wstring& path);  // empty when unreadable
bool WriteBytes(const std::wstring& path, const Bytes& bytes);
std::vector<std::wstring> FolderEntries(const std::wstring& folder);  // names, without "." and ".."
Bytes FromHex(const char* hex);

// <common app data>\Valtrecossin\TOLVIK_NETWORK and its data file.
std::wstring DataFolder();
std::wstring DataFilePath();

// Creates the data folder for the test and, on destruction, removes what
// the test left in it and the folders it created; a data file that was
// there before is put back.
class DataFolderScope {
public:
    DataFolderScope();
    ~DataFolderScope();
    DataFolderScope(const DataFolderScope&) = delete;
    DataFolderScope& operator=(const DataFolderScope&) = delete;

private:
    std::vector<std::wstring> created_;
    bool hadFile_ = false;
    Bytes previous_;
};

// Remembers one registry value and restores it (or its absence) on
// destruction.
class SavedValue {
public:
    SavedValue(HKEY root, std::wstring keyPath, std::wstring name);
    ~SavedValue();
    SavedValue(const SavedValue&) = delete;
    SavedValue& operator=(const SavedValue&) = delete;

private:
    HKEY root_;
    std::wstring keyPath_;
    std::wstring name_;
    bool existed_ = false;
    DWORD type_ = REG_NONE;
    Bytes data_;
};

// Deletes, on destruction, a key below HKEY_CURRENT_USER that did not
// exist when the object was made (declare it before the SavedValues).
class KeyScope {
public:
    explicit KeyScope(std::wstring keyPath);
    ~KeyScope();
    KeyScope(const KeyScope&) = delete;
    KeyScope& operator=(const KeyScope&) = delete;

private:
    std::wstring keyPath_;
    bool existed_ = false;
};

// Sets or deletes a value directly, creating the key when needed.
bool SetRaw(HKEY root, const std::wstring& keyPath, const std::wstring& name, DWORD type, const void* data,
            DWORD size);
bool SetText(HKEY root, const std::wstring& keyPath, const std::wstring& name, DWORD type,
             const std::wstring& text);
void DeleteRaw(HKEY root, const std::wstring& keyPath, const std::wstring& name);
// Type and data of a value; false when it does not exist.
bool GetRaw(HKEY root, const std::wstring& keyPath, const std::wstring& name, DWORD& type, Bytes& data);

// Redirects a predefined root key of this process to a scratch key below
// HKEY_CURRENT_USER for the object's life, then deletes the scratch key.
class RootRedirect {
public:
    explicit RootRedirect(HKEY root);
    ~RootRedirect();
    RootRedirect(const RootRedirect&) = delete;
    RootRedirect& operator=(const RootRedirect&) = delete;
    bool Active() const { return active_; }

private:
    HKEY root_;
    std::wstring scratch_;
    bool active_ = false;
};

}  // namespace dftest
