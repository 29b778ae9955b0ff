// The data file on the real file system of the prefix: read and write
// results, the read-only rule, the free-space rule, the temporary-file
// write and the digest stored after a write.
#include <gtest/gtest.h>

#include <cstring>

#include "profile/win/GeneratHashMgr.h"
#include "profile/win/ProfileFileAccess.h"
#include "system/win/RegAccess.h"
#include "tests/native/PatternedRecord.h"
#include "tests/wine/support/DataFileGuard.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"

using testsupport::FolderEntries;
using testsupport::FromHex;
using testsupport::WriteFileBytes;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr std::size_t kRecord = 26148;
const std::wstring kProgramFolder = L"C:\\Apps\\X";

// SHA-1 of the hand-built files below, computed with the build host's
// sha1sum on the same bytes.
constexpr char kEmptyFileSha1[] = "31b053b416f2fb322322b588b940f4b984a34fd5";
constexpr char kThreeRecordFileSha1[] = "5533d60854eeb47b3a0b10561a56bad44d8916c0";

CProfileData Named(const char16_t* name) {
    CProfileData p;
    p.SetText(ProfileText::profileName, name);
    p.Record().ipMode = 1;
    p.Record().ipAddress = 0xC0A8010A;
    return p;
}

Bytes EmptyFileByHand() {
    Bytes h(196, 0);
    const char sig[] = "Valtrecossin Wendlemarquist V1.00 ProfileData";
    std::memcpy(h.data(), sig, 45);
    return h;
}

std::wstring DataFolder() { return CDataFileGuard::Folder(); }
std::wstring DataFilePath() { return CDataFileGuard::Path(); }
Bytes ReadBytes(const std::wstring& path) { return testsupport::FileBytes(path); }

// Starts without a data file; the file, the folder and "DatData" are put back afterwards.
class DataFileOnDisk : public ::testing::Test {
protected:
    DataFileOnDisk() {
        settings_.PreserveKey(HKEY_CURRENT_USER, L"SOFTWARE\\Valtrecossin");
        settings_.Preserve(HKEY_CURRENT_USER, kSettingsKeyPath, L"DatData");
        CDataFileGuard::Remove();
    }

    CProfileFileAccess Access(CProfileCollection& c) {
        CProfileFileAccess access(c, kProgramFolder);
        access.SetFreeSpaceQuery([](const std::wstring&, unsigned long long& freeBytes) {
            freeBytes = 1ull << 32;
            return true;
        });
        return access;
    }
    int WriteAll(CProfileCollection& c) { return Access(c).Write(); }
    Bytes FileBytes() { return ReadBytes(DataFilePath()); }
    // Wine's ReplaceFileW leaves the empty "rf*.tmp" it made for moving a
    // held target aside when that move fails; Windows leaves nothing. Such
    // an empty file cannot be a left-over image, so it is not counted.
    static bool WineReplaceLeftover(const std::wstring& name) {
        return name.compare(0, 2, L"rf") == 0 && ReadBytes(DataFolder() + L"\\" + name).empty() &&
               GetFileAttributesW((DataFolder() + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    void ExpectOnlyTheDataFileInTheFolder() {
        std::vector<std::wstring> entries;
        for (const std::wstring& name : FolderEntries(DataFolder()))
            if (!WineReplaceLeftover(name)) entries.push_back(name);
        ASSERT_EQ(1u, entries.size()) << "left behind: " << NamesOf(entries);
        EXPECT_EQ(L"Tolvik_Network.dat", entries[0]);
    }
    static std::string NamesOf(const std::vector<std::wstring>& names) {
        std::string s;
        for (const std::wstring& n : names) s += std::string(n.begin(), n.end()) + " ";
        return s;
    }

    CDataFileGuard folder_;
    CRegistrySeed settings_;
};

TEST_F(DataFileOnDisk, PathIsBelowTheCommonApplicationDataFolder) {
    CProfileCollection c;
    EXPECT_EQ(DataFilePath(), CProfileFileAccess(c, kProgramFolder).DataFilePath());
    EXPECT_EQ(DataFilePath(), CommonDataFilePath());
    EXPECT_NE(std::wstring::npos, DataFilePath().find(L"\\Valtrecossin\\TOLVIK_NETWORK\\Tolvik_Network.dat"));
}

TEST_F(DataFileOnDisk, WriteThenReadBack) {
    CProfileCollection c;
    c.Add(Named(u"本社"));
    c.Add(Named(u"自宅"));
    ASSERT_EQ(0, WriteAll(c));
    EXPECT_EQ(196u + 2 * kRecord, FileBytes().size());
    ExpectOnlyTheDataFileInTheFolder();

    CProfileCollection loaded;
    loaded.Add(CProfileData());  // the read appends; identifiers continue
    ASSERT_EQ(0, Access(loaded).Read());
    ASSERT_EQ(3, loaded.Count());
    CProfileData second;
    loaded.GetByPosition(2, &second);
    EXPECT_EQ(u"自宅", second.GetText(ProfileText::profileName));
    EXPECT_EQ(3, second.Record().profileId);
    EXPECT_EQ(0xC0A8010Au, second.Record().ipAddress);
}

TEST_F(DataFileOnDisk, MissingFileGivesOneAndUnusableFilesGiveMinusOne) {
    CProfileCollection c;
    EXPECT_EQ(1, Access(c).Read());
    EXPECT_EQ(0, c.Count());

    Bytes bad = EmptyFileByHand();
    bad[10] = 'x';
    ASSERT_TRUE(WriteFileBytes(DataFilePath(), bad));
    EXPECT_EQ(-1, Access(c).Read());

    ASSERT_TRUE(WriteFileBytes(DataFilePath(), EmptyFileByHand()));
    CFileHandle holder = testsupport::HoldFile(DataFilePath());
    ASSERT_TRUE(holder.Valid());
    EXPECT_EQ(-1, Access(c).Read()) << "the read opens the file exclusively";
    holder.Reset();
    EXPECT_EQ(0, Access(c).Read());
    EXPECT_EQ(0, c.Count());
}

TEST_F(DataFileOnDisk, FirstWriteOfAnEmptyCollectionIsTheBareHeaderAndItsDigestIsStored) {
    ASSERT_TRUE(settings_.DeleteValue(HKEY_CURRENT_USER, kSettingsKeyPath, L"DatData"));
    CProfileCollection empty;
    ASSERT_EQ(0, WriteAll(empty));
    EXPECT_EQ(EmptyFileByHand(), FileBytes());

    uint8_t digest[20];
    ASSERT_TRUE(CRegAccess().ReadDatData(digest));
    EXPECT_EQ(FromHex(kEmptyFileSha1), Bytes(digest, digest + 20));
    DWORD type = 0;
    Bytes raw;
    ASSERT_TRUE(ReadRegistryValue(HKEY_CURRENT_USER, kSettingsKeyPath, L"DatData", &type, &raw));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    EXPECT_EQ(20u, raw.size());
}

TEST_F(DataFileOnDisk, DigestAfterAWriteMatchesTheFileBytesAcrossSeveralBlocks) {
    CProfileCollection c;
    c.Add(PatternedRecord(7));
    c.Add(PatternedRecord(200));
    c.Add(PatternedRecord(55));
    ASSERT_EQ(0, WriteAll(c));
    ASSERT_EQ(196u + 3 * kRecord, FileBytes().size());  // 78,640 bytes: two 64 KiB blocks

    uint8_t digest[20];
    ASSERT_TRUE(CRegAccess().ReadDatData(digest));
    // The expected value is the host's SHA-1 of the file built by hand, so
    // this also proves the file is byte for byte that layout.
    EXPECT_EQ(FromHex(kThreeRecordFileSha1), Bytes(digest, digest + 20));
}

TEST_F(DataFileOnDisk, ReadOnlyFileIsOverwrittenAndLeftNormal) {
    CProfileCollection c;
    c.Add(Named(u"A"));
    ASSERT_EQ(0, WriteAll(c));
    ASSERT_TRUE(SetFileAttributesW(DataFilePath().c_str(), FILE_ATTRIBUTE_READONLY));

    c.Add(Named(u"B"));
    EXPECT_EQ(0, WriteAll(c));
    const DWORD attributes = GetFileAttributesW(DataFilePath().c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_EQ(0u, attributes & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(196u + 2 * kRecord, FileBytes().size());
    ExpectOnlyTheDataFileInTheFolder();
}

TEST_F(DataFileOnDisk, FreeSpaceThresholdIsFiveMebibytesOnTheProgramFolder) {
    CProfileCollection c;
    c.Add(Named(u"old"));
    ASSERT_EQ(0, WriteAll(c));
    const Bytes before = FileBytes();
    c.Add(Named(u"new"));

    std::wstring asked;
    unsigned long long offered = 5242879;
    bool answers = true;
    CProfileFileAccess access(c, kProgramFolder);
    access.SetFreeSpaceQuery([&](const std::wstring& folder, unsigned long long& freeBytes) {
        asked = folder;
        freeBytes = offered;
        return answers;
    });
    EXPECT_EQ(-2, access.Write());
    EXPECT_EQ(kProgramFolder, asked) << "the program's own volume is checked, not the data folder's";
    EXPECT_EQ(before, FileBytes());
    ExpectOnlyTheDataFileInTheFolder();

    answers = false;  // a failed query counts as nothing free
    offered = 1ull << 40;
    EXPECT_EQ(-2, access.Write());
    EXPECT_EQ(before, FileBytes());

    answers = true;
    offered = 5242880;
    EXPECT_EQ(0, access.Write());
    EXPECT_EQ(196u + 2 * kRecord, FileBytes().size());
}

TEST_F(DataFileOnDisk, FailedReplaceLeavesTheOldFileIntactAndNoTemporaryFile) {
    CProfileCollection c;
    c.Add(Named(u"kept"));
    ASSERT_EQ(0, WriteAll(c));
    const Bytes before = FileBytes();
    uint8_t digestBefore[20];
    ASSERT_TRUE(CRegAccess().ReadDatData(digestBefore));

    c.Add(Named(u"lost"));
    CFileHandle holder = testsupport::HoldFile(DataFilePath());
    ASSERT_TRUE(holder.Valid());
    EXPECT_EQ(-1, WriteAll(c));
    holder.Reset();

    EXPECT_EQ(before, FileBytes());
    ExpectOnlyTheDataFileInTheFolder();
    uint8_t digestAfter[20];
    ASSERT_TRUE(CRegAccess().ReadDatData(digestAfter));
    EXPECT_EQ(0, std::memcmp(digestBefore, digestAfter, 20)) << "no digest stored for a failed write";

    CProfileCollection loaded;
    ASSERT_EQ(0, Access(loaded).Read());
    EXPECT_EQ(1, loaded.Count());
}

// A replace that gives up half-way: the old data file already removed
// (1176) or renamed aside (1177), the new image still under its temporary
// name. The write finishes the move.
TEST_F(DataFileOnDisk, ReplaceThatStopsHalfWayStillLeavesTheNewDataFile) {
    const std::wstring aside = DataFolder() + L".old";
    for (const DWORD error : {ERROR_UNABLE_TO_MOVE_REPLACEMENT, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2}) {
        SCOPED_TRACE(error);
        CProfileCollection c;
        c.Add(Named(u"old"));
        ASSERT_EQ(0, WriteAll(c));
        c.Add(Named(u"new"));
        CProfileFileAccess access = Access(c);
        access.SetReplaceCall([&](const std::wstring& target, const std::wstring&) -> DWORD {
            const bool moved = error == ERROR_UNABLE_TO_MOVE_REPLACEMENT
                                   ? DeleteFileW(target.c_str()) != FALSE
                                   : MoveFileExW(target.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
            return moved ? error : ERROR_ACCESS_DENIED;
        });
        EXPECT_EQ(0, access.Write());
        DeleteFileW(aside.c_str());
        ExpectOnlyTheDataFileInTheFolder();
        CProfileCollection loaded;
        ASSERT_EQ(0, Access(loaded).Read());
        EXPECT_EQ(2, loaded.Count());
    }
}

// The new image cannot be moved in after a replace removed the old file:
// it stays, read-only, as the only copy, and the next write that succeeds
// does not take it for a left-over of a cut write.
TEST_F(DataFileOnDisk, AnOnlyCopyLeftByAFailedReplaceOutlivesTheNextWrite) {
    CProfileCollection c;
    c.Add(Named(u"old"));
    ASSERT_EQ(0, WriteAll(c));
    c.Add(Named(u"new"));
    CProfileFileAccess access = Access(c);
    HANDLE held = INVALID_HANDLE_VALUE;
    access.SetReplaceCall([&](const std::wstring& target, const std::wstring& replacement) -> DWORD {
        DeleteFileW(target.c_str());
        held = CreateFileW(replacement.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        return ERROR_UNABLE_TO_MOVE_REPLACEMENT;
    });
    EXPECT_EQ(-1, access.Write());
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    CloseHandle(held);
    std::vector<std::wstring> entries = FolderEntries(DataFolder());
    ASSERT_EQ(1u, entries.size());
    const std::wstring kept = DataFolder() + L"\\" + entries[0];
    EXPECT_NE(0u, GetFileAttributesW(kept.c_str()) & FILE_ATTRIBUTE_READONLY);
    const Bytes copy = ReadBytes(kept);
    EXPECT_EQ(196u + 2 * kRecord, copy.size());

    ASSERT_EQ(0, WriteAll(c));
    EXPECT_EQ(copy, ReadBytes(kept));
}

TEST_F(DataFileOnDisk, MissingDataFolderReadsAsNoFileAndWritesFail) {
    const std::wstring away = DataFolder() + L".away";
    ASSERT_TRUE(MoveFileW(DataFolder().c_str(), away.c_str()));
    CProfileCollection c;
    const int read = Access(c).Read();
    const int write = WriteAll(c);
    const bool folderAppeared = GetFileAttributesW(DataFolder().c_str()) != INVALID_FILE_ATTRIBUTES;
    ASSERT_TRUE(MoveFileW(away.c_str(), DataFolder().c_str()));
    EXPECT_EQ(1, read);
    EXPECT_EQ(-1, write);
    EXPECT_FALSE(folderAppeared) << "the program never creates the data folder";
}

}  // namespace

namespace {

TEST_F(DataFileOnDisk, RealFreeSpaceQueryLooksAtTheProgramFolder) {
    CProfileCollection c;
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring programFolder = exe;
    programFolder.erase(programFolder.rfind(L'\\'));
    EXPECT_EQ(0, CProfileFileAccess(c, programFolder).Write()) << "the prefix has room";
    EXPECT_EQ(-2, CProfileFileAccess(c, L"Q:\\no\\such\\folder").Write()) << "a failed query counts as 0";
}

}  // namespace
