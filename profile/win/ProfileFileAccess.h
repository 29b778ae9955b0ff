#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/Object.h"
#include "profile/ProfileCollection.h"
#include "profile/win/FileReplacement.h"

// Reads and writes the profile data file
// (<common app data>\Valtrecossin\TOLVIK_NETWORK\Tolvik_Network.dat) and
// the extension file beside it (Tolvik_Network.ext, profile/ExtensionStore.h).
// A read gives each record the extension the extension file holds for it; a
// missing or unreadable extension file gives none. A write writes the
// extension file first (only when a profile has an extension or the file
// exists), then the data file.
//
// A write never leaves a half-written file behind: the new image goes
// to a temporary file in the same folder, is flushed, and only then takes
// the data file's place, in one rename, so that a write cut short at any
// moment leaves the whole old file or the whole new one. When any step
// fails the old file stays as it was; should a replace remove the old file
// and then fail, the new one is moved in, and left under its temporary name
// if even that fails. Temporary files of writes that were cut short are
// removed by the next write that succeeds.
class CProfileFileAccess : public CObject {
public:
    // Free bytes available to the caller on the volume of `folder`;
    // false when the query fails. Replaceable for tests.
    using FreeSpaceQuery = std::function<bool(const std::wstring& folder, unsigned long long& freeBytes)>;

    static constexpr unsigned long long kMinFreeBytes = 0x500000;  // 5 MiB on the program's volume

    // Whether a write also stores the file's digest ("DatData"): the main
    // program does, so that it can tell a file changed by someone else; the
    // bulk-edit tool is that someone else and leaves the digest alone.
    enum class Digest { store, leave };

    // `programFolder` without a trailing backslash: the volume checked for
    // free space, and the data folder when the common one is unavailable.
    CProfileFileAccess(CProfileCollection& profiles, const std::wstring& programFolder,
                       Digest digest = Digest::store);
    ~CProfileFileAccess() override = default;

    int Read();   // 0 loaded, 1 no file, -1 unusable (the collection is not cleared first)
    // Read, and the SHA-1 of the image it loaded, the digest that "DatData"
    // holds (all zero unless 0 is returned).
    int Read(uint8_t (&digest)[20]);
    int Write();  // 0 written, -2 too little disk space, -1 other failure

    const std::wstring& DataFilePath() const { return path_; }
    const std::wstring& ExtensionFilePath() const { return extensionPath_; }
    void SetFreeSpaceQuery(FreeSpaceQuery query) { freeSpace_ = std::move(query); }
    void SetReplaceCall(ReplaceCall call) { replace_ = std::move(call); }

private:
    int ReadImage(uint8_t* digest);
    bool EnoughFreeSpace() const;
    bool WriteExtensions() const;
    bool PutInPlace(const std::vector<uint8_t>& image, const std::wstring& target) const;

    CProfileCollection& profiles_;
    std::wstring programFolder_;
    std::wstring folder_;
    std::wstring path_;
    std::wstring extensionPath_;
    Digest digest_;
    FreeSpaceQuery freeSpace_;
    ReplaceCall replace_;
};

// The folder of the data file: below the common application-data folder,
// or `programFolder` when that cannot be obtained.
std::wstring DataFolderPath(const std::wstring& programFolder);

// Path of the data file below the common application-data folder only
// (no fallback); empty when that folder cannot be obtained.
std::wstring CommonDataFilePath();
