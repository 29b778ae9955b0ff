#pragma once
// Registry values seeded by a test and put back afterwards: keys the seed
// created are deleted with everything below them, values it changed or
// removed in keys that existed before get their old contents back.
//
// All seeds of all test processes of one Wine prefix take turns (a named
// mutex), so tests that seed the same keys never see each other's values.
#include <windows.h>

#include "framework/win/UniqueHandle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class CRegistrySeed {
public:
    CRegistrySeed();
    ~CRegistrySeed();
    CRegistrySeed(const CRegistrySeed&) = delete;
    CRegistrySeed& operator=(const CRegistrySeed&) = delete;

    // Each fails with the value and the system's error code ("setting
    // HKLM\...\Name failed (error 5)").
    using Result = ::testing::AssertionResult;
    Result SetString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value,
                     DWORD type = REG_SZ);
    // REG_MULTI_SZ: each entry with its terminator, then one more zero.
    Result SetMultiString(HKEY root, const std::wstring& path, const wchar_t* name,
                          const std::vector<std::wstring>& entries);
    Result SetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value);
    Result SetBytes(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const void* data,
                    DWORD size);
    // Makes sure the value does not exist (the key is created if needed).
    Result DeleteValue(HKEY root, const std::wstring& path, const wchar_t* name);
    // Remembers the value so that it is restored, without changing it now.
    Result Preserve(HKEY root, const std::wstring& path, const wchar_t* name);
    // A key that does not exist now is deleted again with everything below
    // it, whoever creates it meanwhile (the program under test, say).
    void PreserveKey(HKEY root, const std::wstring& path);

private:
    struct SavedValue {
        HKEY root;
        std::wstring path;
        std::wstring name;
        bool existed;
        DWORD type;
        std::vector<BYTE> data;
    };
    struct CreatedKey {
        HKEY root;
        std::wstring path;
    };

    // Opens the key for writing, creating it (and remembering the topmost
    // key it had to create) when needed. The caller closes it.
    LONG OpenForWriting(HKEY root, const std::wstring& path, CRegKey& key);
    bool IsCreatedHere(HKEY root, const std::wstring& path) const;
    void Save(HKEY key, HKEY root, const std::wstring& path, const wchar_t* name);
    void Restore(const SavedValue& v) const;

    CKernelHandle mutex_;
    std::vector<SavedValue> saved_;
    std::vector<CreatedKey> created_;
};

// Type and data of a value; false when it cannot be read.
bool ReadRegistryValue(HKEY root, const std::wstring& path, const wchar_t* name, DWORD* type,
                       std::vector<BYTE>* data);
// A REG_DWORD value, or -1 when there is none of that type.
long long RegistryDword(HKEY root, const std::wstring& path, const wchar_t* name);
// A REG_SZ value without its terminator, or "(none)" when there is none of that type.
std::wstring RegistryString(HKEY root, const std::wstring& path, const wchar_t* name);

// Keys of one adapter (by its GUID text, "{...}") below HKEY_LOCAL_MACHINE.
std::wstring AdapterTcpipKey(const std::wstring& guid);
std::wstring AdapterConnectionKey(const std::wstring& guid);
