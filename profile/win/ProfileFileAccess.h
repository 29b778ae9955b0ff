#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "framework/Object.h"
#include "profile/ProfileCollection.h"

// Reads and writes the profile data file
// (<common app data>\Valtrecossin\TOLVIK_NETWORK\Tolvik_Network.dat).
class CProfileFileAccess : public CObject {
public:
    // Free bytes available to the caller on the volume of `folder`;
    // false when the query fails. Replaceable for tests.
    using FreeSpaceQuery = std::function<bool(const std::wstring& folder, unsigned long long& freeBytes)>;

    CProfileFileAccess(CProfileCollection& profiles, const std::wstring& programFolder);
    ~CProfileFileAccess() override = default;

    int Read();   // 0 loaded, 1 no file, -1 unusable (the collection is not cleared first)
    int Write();  // 0 written, -2 too little disk space, -1 other failure

    const std::wstring& DataFilePath() const { return path_; }
    void SetFreeSpaceQuery(FreeSpaceQuery query) { freeSpace_ = std::move(query); }

private:
    CProfileCollection& profiles_;
    std::wstring programFolder_;
    std::wstring path_;
    FreeSpaceQuery freeSpace_;
};

// Path of the data file below the common application-data folder only
// (no fallback); empty when that folder cannot be obtained.
std::wstring CommonDataFilePath();
