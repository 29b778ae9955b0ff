#pragma once
// The program's data file and extension file in the test prefix, put back
// as they were: the data folder is made when missing (the installer's part)
// and removed again, a file that was there comes back byte for byte, none
// stays none, and temporary files that writes of the program left in the
// folder go.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class CDataFileGuard {
public:
    CDataFileGuard();
    ~CDataFileGuard();
    CDataFileGuard(const CDataFileGuard&) = delete;
    CDataFileGuard& operator=(const CDataFileGuard&) = delete;

    // <common application data>\Valtrecossin\TOLVIK_NETWORK and its data
    // file, found here without the program's code.
    static std::wstring Folder();
    static std::wstring Path();
    static std::wstring ExtensionPath();

    // No data file at all (also when it is read-only).
    static bool Remove();
    static bool Exists();

private:
    struct KeptFile { std::wstring path; bool existed; std::vector<uint8_t> bytes; };

    std::vector<std::wstring> createdFolders_;
    std::vector<KeptFile> kept_;
};
