// CGeneratHashMgr against known SHA-1 vectors and its failure results.
#include <gtest/gtest.h>

#include <string>

#include "profile/win/GeneratHashMgr.h"
#include "tests/wine/support/TestSupport.h"

using testsupport::FromHex;
using Bytes = std::vector<uint8_t>;

namespace {

class FileDigest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"ortivo_digest_" + std::to_wstring(GetCurrentProcessId()) + L".bin";
    }
    void TearDown() override { DeleteFileW(path_.c_str()); }
    Bytes Sha1Of(const Bytes& content) {
        EXPECT_TRUE(testsupport::WriteFileBytes(path_, content));
        Bytes out(20, 0xCC);
        EXPECT_TRUE(CGeneratHashMgr().GetFileHash(path_, out.data(), 20, CALG_SHA1));
        return out;
    }
    std::wstring path_;
};

TEST_F(FileDigest, KnownVectors) {
    EXPECT_EQ(FromHex("a9993e364706816aba3e25717850c26c9cd0d89d"), Sha1Of(Bytes{'a', 'b', 'c'}));
    EXPECT_EQ(FromHex("da39a3ee5e6b4b0d3255bfef95601890afd80709"), Sha1Of(Bytes{}));
    // One million 'a': sixteen 64 KiB blocks, the last one short.
    EXPECT_EQ(FromHex("34aa973cd4c4daa4f61eeb2bdbad27316534016f"), Sha1Of(Bytes(1000000, 'a')));
}

TEST_F(FileDigest, FailuresLeaveTheOutputZero) {
    const Bytes zero(20, 0);
    Bytes out(20, 0xCC);
    EXPECT_FALSE(CGeneratHashMgr().GetFileHash(path_, out.data(), 20, CALG_SHA1)) << "no such file";
    EXPECT_EQ(zero, out);

    ASSERT_TRUE(testsupport::WriteFileBytes(path_, Bytes{'a', 'b', 'c'}));
    out.assign(20, 0xCC);
    EXPECT_FALSE(CGeneratHashMgr().GetFileHash(L"", out.data(), 20, CALG_SHA1)) << "no path";
    EXPECT_EQ(zero, out);

    out.assign(20, 0xCC);
    EXPECT_FALSE(CGeneratHashMgr().GetFileHash(path_, out.data(), 19, CALG_SHA1)) << "output too small";
    EXPECT_EQ(Bytes(19, 0), Bytes(out.begin(), out.begin() + 19));

    Bytes big(128, 0xCC);
    EXPECT_FALSE(CGeneratHashMgr().GetFileHash(path_, big.data(), 128, CALG_SHA1)) << "128 bytes refused";
    EXPECT_EQ(Bytes(128, 0), big);
    big.assign(128, 0xCC);
    EXPECT_TRUE(CGeneratHashMgr().GetFileHash(path_, big.data(), 127, CALG_SHA1)) << "127 bytes are fine";
    EXPECT_EQ(FromHex("a9993e364706816aba3e25717850c26c9cd0d89d"), Bytes(big.begin(), big.begin() + 20));
    EXPECT_EQ(Bytes(107, 0), Bytes(big.begin() + 20, big.begin() + 127));

    out.assign(20, 0xCC);
    EXPECT_FALSE(CGeneratHashMgr().GetFileHash(path_, out.data(), 20, 0)) << "unknown algorithm";
    EXPECT_EQ(zero, out);

    const CFileHandle holder = testsupport::HoldFile(path_);
    ASSERT_TRUE(holder.Valid());
    out.assign(20, 0xCC);
    EXPECT_FALSE(CGeneratHashMgr().GetFileHash(path_, out.data(), 20, CALG_SHA1)) << "file held exclusively";
    EXPECT_EQ(zero, out);
}

TEST_F(FileDigest, EveryHandleIsReleased) {
    ASSERT_TRUE(testsupport::WriteFileBytes(path_, Bytes(70000, 'z')));
    Bytes out(20);
    CGeneratHashMgr().GetFileHash(path_, out.data(), 20, CALG_SHA1);
    CGeneratHashMgr().GetFileHash(path_, out.data(), 20, 0);  // fails after opening the file
    // The file was opened without sharing: it can only be opened
    // exclusively again, or deleted, once the digest closed it.
    EXPECT_TRUE(testsupport::HoldFile(path_).Valid());

    DWORD before = 0;
    DWORD after = 0;
    GetProcessHandleCount(GetCurrentProcess(), &before);
    for (int i = 0; i < 15; ++i) {
        CGeneratHashMgr().GetFileHash(path_, out.data(), 20, CALG_SHA1);
        CGeneratHashMgr().GetFileHash(path_, out.data(), 20, 0);
        CGeneratHashMgr().GetFileHash(path_, out.data(), 19, CALG_SHA1);
    }
    GetProcessHandleCount(GetCurrentProcess(), &after);
    EXPECT_LE(after, before + 2) << "handles grew from " << before << " to " << after;
}

}  // namespace
