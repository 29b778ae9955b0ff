#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Object.h"
#include "profile/ProfileCollection.h"

// Reads and writes the profile data file
// (<common app data>\Valtrecossin\TOLVIK_NETWORK\Tolvik_Network.dat).
//
// A write never leaves a half-written data file behind: the new image goes
// to a temporary file in the same folder, is flushed, and only then takes
// the data file's place. When any step fails the old file stays as it was.
class CProfileFileAccess : public CObject {
public:
    // Free bytes available to the caller on the volume of `folder`;
    // false when the query fails. Replaceable for tests.
    using FreeSpaceQuery = std::function<bool(const std::wstring& folder, unsigned long long& freeBytes)>;

    static constexpr unsigned long long kMinFreeBytes = 0x500000;  // 5 MiB on the program's volume

    // `programFolder` without a trailing backslash: the volume checked for
    // free space, and the data folder when the common one is unavailable.
    CProfileFileAccess(CProfileCollection& profiles, const std::wstring& programFolder);
    ~CProfileFileAccess() override = default;

    int Read();   // 0 loaded, 1 no file, -1 unusable (the collection is not cleared first)
    int Write();  // 0 written, -2 too little disk space, -1 other failure

    const std::wstring& DataFilePath() const { return path_; }
    void SetFreeSpaceQuery(FreeSpaceQuery query) { freeSpace_ = std::move(query); }

private:
    bool EnoughFreeSpace() const;
    bool PutInPlace(const std::vector<uint8_t>& image) const;

    CProfileCollection& profiles_;
    std::wstring programFolder_;
    std::wstring folder_;
    std::wstring path_;
    FreeSpaceQuery freeSpace_;
};

// Path of the data file below the common application-data folder only
// (no fallback); empty when that folder cannot be obtained.
std::wstring CommonDataFilePath();
