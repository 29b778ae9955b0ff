// A program killed in the middle of writing the data file: whatever the
// moment, the data file is whole afterwards and temporary files do not pile up.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "RewriterSets.h"
#include "profile/win/ProfileFileAccess.h"
#include "system/win/RegAccess.h"
#include "tests/wine/support/DataFileGuard.h"
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/RegistrySeed.h"
#include "tests/wine/support/TestSupport.h"

namespace {

constexpr int kKills = 200;
constexpr DWORD kReadyLimitMs = 30000;
constexpr wchar_t kReadyEvent[] = L"OrtivoRewriterReady";

class KilledWriter : public ::testing::Test {
protected:
    KilledWriter() {
        settings_.PreserveKey(HKEY_CURRENT_USER, L"SOFTWARE\\Valtrecossin");
        settings_.Preserve(HKEY_CURRENT_USER, kSettingsKeyPath, L"DatData");
    }

    // Starts the rewriter and waits for its first complete write.
    gui::Program StartRewriter() {
        ResetEvent(ready_.Get());
        gui::Program writer = gui::StartProgram(testsupport::ExeDir() + L"\\data_file_rewriter.exe", kReadyEvent);
        const HANDLE waits[] = {ready_.Get(), writer.Handle()};
        EXPECT_EQ(WaitForMultipleObjects(2, waits, FALSE, kReadyLimitMs), WAIT_OBJECT_0) << "no first write";
        return writer;
    }

    static std::vector<std::wstring> TemporaryFiles() {
        std::vector<std::wstring> names = testsupport::FolderEntries(CDataFileGuard::Folder());
        names.erase(std::remove(names.begin(), names.end(), L"Tolvik_Network.dat"), names.end());
        return names;
    }

    CDataFileGuard folder_;
    CRegistrySeed settings_;
    const CKernelHandle ready_{CreateEventW(nullptr, TRUE, FALSE, kReadyEvent)};
};

TEST_F(KilledWriter, EveryKillLeavesOneWholeSetAndAtMostTheCutWritesTemporaryFile) {
    ASSERT_TRUE(ready_.Valid());
    const std::vector<std::u16string> oldSet = NamesIn(RewriterSet(0)), newSet = NamesIn(RewriterSet(1));
    std::mt19937 random(14);  // the same moments on every run
    std::uniform_int_distribution<DWORD> pause(0, 25);
    for (int kill = 0; kill < kKills; ++kill) {
        SCOPED_TRACE(kill);
        gui::Program writer = StartRewriter();
        Sleep(pause(random));
        writer.Terminate();

        CProfileCollection loaded;
        ASSERT_EQ(CProfileFileAccess(loaded, testsupport::ExeDir()).Read(), 0);
        const std::vector<std::u16string> names = NamesIn(loaded);
        ASSERT_TRUE(names == oldSet || names == newSet) << names.size() << " profiles";
        // The rewriter's first write cleared what earlier cut writes left.
        ASSERT_LE(TemporaryFiles().size(), 1u) << testsupport::Narrow(TemporaryFiles().front());
    }
}

}  // namespace
