#include "profile/win/ProfileFileAccess.h"

#include <shlobj.h>

#include <cstring>
#include <new>

#include "framework/win/UniqueHandle.h"
#include "profile/DataFileImage.h"
#include "profile/ExtensionStore.h"
#include "profile/win/FileReplacement.h"
#include "profile/win/GeneratHashMgr.h"
#include "profile/win/TemporaryFile.h"
#include "system/win/RegAccess.h"

namespace {

constexpr wchar_t kDataSubfolder[] = L"\\Valtrecossin\\TOLVIK_NETWORK";
constexpr wchar_t kFileName[] = L"\\Tolvik_Network.dat";
constexpr wchar_t kExtensionFileName[] = L"\\Tolvik_Network.ext";
constexpr DWORD kIoChunk = 1 << 20;
// Larger files cannot describe a valid record count; not worth reading.
constexpr ULONGLONG kMaxImageSize = datafile::kHeaderSize + 0xFFFFFFFFull;

// The data folder below the common application-data folder, or empty.
std::wstring CommonDataFolder() {
    wchar_t folder[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, folder) != S_OK) return {};
    return std::wstring(folder) + kDataSubfolder;
}

bool DefaultFreeSpace(const std::wstring& folder, unsigned long long& freeBytes) {
    ULARGE_INTEGER available;
    if (!GetDiskFreeSpaceExW((folder + L"\\").c_str(), &available, nullptr, nullptr)) return false;
    freeBytes = available.QuadPart;
    return true;
}

// The whole file, opened exclusively; false when it cannot be opened, is
// larger than `limit` or fewer bytes arrive than its length.
bool LoadWholeFile(const std::wstring& path, ULONGLONG limit, std::vector<uint8_t>& bytes) {
    CFileHandle file(
        CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || static_cast<ULONGLONG>(size.QuadPart) > limit) return false;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = bytes.size() - done < kIoChunk ? static_cast<DWORD>(bytes.size() - done) : kIoChunk;
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

bool WriteAll(HANDLE file, const std::vector<uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = bytes.size() - done < kIoChunk ? static_cast<DWORD>(bytes.size() - done) : kIoChunk;
        DWORD put = 0;
        if (!WriteFile(file, bytes.data() + done, want, &put, nullptr) || put != want) return false;
        done += put;
    }
    return true;
}

// A file that cannot be opened for reading and writing (read-only, say)
// loses its attributes so that the write can take its place. The replace
// step refuses a read-only target even where the open would succeed (an
// administrator may open one for writing), so that attribute is cleared too.
void ClearAttributesIfLocked(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    CFileHandle probe(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.Valid() || (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        probe.Close();
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// The extension file as it is; empty when there is none or it cannot be read.
std::string LoadExtensionFile(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    if (!LoadWholeFile(path, extensionstore::kFileLimit, bytes)) return std::string();
    return std::string(bytes.begin(), bytes.end());
}

bool WriteFlushed(const std::wstring& path, const std::vector<uint8_t>& image) {
    CFileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    if (!WriteAll(file.Get(), image) || !FlushFileBuffers(file.Get())) return false;
    return file.Close();
}

}  // namespace

std::wstring DataFolderPath(const std::wstring& programFolder) {
    const std::wstring folder = CommonDataFolder();
    return folder.empty() ? programFolder : folder;
}

std::wstring CommonDataFilePath() {
    const std::wstring folder = CommonDataFolder();
    return folder.empty() ? std::wstring() : folder + kFileName;
}

CProfileFileAccess::CProfileFileAccess(CProfileCollection& profiles, const std::wstring& programFolder,
                                       Digest digest)
    : profiles_(profiles), programFolder_(programFolder), folder_(DataFolderPath(programFolder)),
      path_(folder_ + kFileName), extensionPath_(folder_ + kExtensionFileName), digest_(digest),
      freeSpace_(DefaultFreeSpace), replace_(SystemReplace) {}

int CProfileFileAccess::Read() { return ReadImage(nullptr); }

int CProfileFileAccess::Read(uint8_t (&digest)[20]) {
    std::memset(digest, 0, sizeof(digest));
    return ReadImage(digest);
}

int CProfileFileAccess::ReadImage(uint8_t* digest) {
    if (NoFileAt(path_)) return 1;
    std::vector<uint8_t> image;
    if (!LoadWholeFile(path_, kMaxImageSize, image)) return -1;
    const int first = profiles_.Count();
    const int decoded = datafile::Decode(image.data(), image.size(), profiles_);
    // A missing or unreadable extension file means no extensions.
    if (decoded == 0) extensionstore::Attach(LoadExtensionFile(extensionPath_), profiles_, first);
    // A digest that cannot be made stays all zero, which no data file has.
    if (decoded == 0 && digest != nullptr)
        CGeneratHashMgr().GetDataHash(image.data(), image.size(), digest, 20, CALG_SHA1);
    return decoded;
}

int CProfileFileAccess::Write() {
    if (!EnoughFreeSpace()) return -2;
    ClearAttributesIfLocked(path_);
    std::vector<uint8_t> image;
    try {
        if (datafile::Encode(profiles_, image) != 0) return -1;
    } catch (const std::bad_alloc&) {
        return -1;
    }
    // The extensions go first: a write cut short between the two files
    // leaves the old records, each with its own extension (an unchanged
    // record's key is in the new file) or with none.
    if (!WriteExtensions()) return -1;
    if (!PutInPlace(image, path_)) return -1;
    // A digest that cannot be stored does not fail the write.
    if (digest_ == Digest::store) CRegAccess().StoreDatData();
    return 0;
}

bool CProfileFileAccess::EnoughFreeSpace() const {
    unsigned long long freeBytes = 0;
    if (!freeSpace_ || !freeSpace_(programFolder_, freeBytes)) freeBytes = 0;
    return freeBytes >= kMinFreeBytes;
}

bool CProfileFileAccess::WriteExtensions() const {
    // Profiles without extensions make no extension file; one that exists
    // is written again, without the objects of records that are gone.
    if (NoFileAt(extensionPath_) && !extensionstore::AnyExtension(profiles_)) return true;
    const std::string file = extensionstore::Compose(profiles_, LoadExtensionFile(extensionPath_));
    if (file.empty()) return false;
    ClearAttributesIfLocked(extensionPath_);
    return PutInPlace(std::vector<uint8_t>(file.begin(), file.end()), extensionPath_);
}

bool CProfileFileAccess::PutInPlace(const std::vector<uint8_t>& image, const std::wstring& target) const {
    CTemporaryFile temporary(folder_);
    if (temporary.Path().empty() || !WriteFlushed(temporary.Path(), image)) return false;
    switch (MoveIntoPlace(temporary.Path(), target, replace_)) {
        case Placement::placed:
            temporary.Placed();
            RemoveLeftoverTemporaries(folder_);
            return true;
        case Placement::onlyCopy:  // no data file left: it may be the only copy of the profiles
            temporary.KeepAsOnlyCopy();
            return false;
        default:
            return false;
    }
}
