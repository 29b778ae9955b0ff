#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "profile/DataFileImage.h"
#include "profile/ExtensionStore.h"
#include "tests/native/NamedProfile.h"
#include "tests/native/PatternedRecord.h"
#include "system/AutoRunEntry.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr std::size_t kRecord = 26148;

void PutLe32(Bytes& b, std::size_t at, uint32_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
    b[at + 2] = (v >> 16) & 0xFF;
    b[at + 3] = (v >> 24) & 0xFF;
}

// Header written out literally: signature text, zeros, checksum, count.
Bytes HandHeader(uint32_t checksum, uint32_t count) {
    Bytes h(196, 0);
    const char sig[] = "Valtrecossin Wendlemarquist V1.00 ProfileData";
    static_assert(sizeof(sig) - 1 == 45, "45 signature characters");
    for (std::size_t i = 0; i < 45; ++i) h[i] = static_cast<uint8_t>(sig[i]);
    PutLe32(h, 64, checksum);
    PutLe32(h, 192, count);
    return h;
}

// Repairs the checksum after a test edited record bytes on purpose.
void Reseal(Bytes& image) {
    uint32_t sum = 0;
    for (std::size_t i = 196; i < image.size(); ++i) sum += image[i];
    PutLe32(image, 64, sum);
}

Bytes EncodeOf(const CProfileCollection& c) {
    Bytes image;
    EXPECT_EQ(0, datafile::Encode(c, image));
    return image;
}

int DecodeInto(const Bytes& image, CProfileCollection& c) { return datafile::Decode(image.data(), image.size(), c); }

TEST(DataFileImage, EmptyCollectionIsTheBareHeader) {
    CProfileCollection empty;
    const Bytes image = EncodeOf(empty);
    EXPECT_EQ(HandHeader(0, 0), image);
    ASSERT_EQ(196u, image.size());

    CProfileCollection loaded;
    EXPECT_EQ(0, DecodeInto(image, loaded));
    EXPECT_EQ(0, loaded.Count());
}

TEST(DataFileImage, WrittenBytesMatchTheLayoutBuiltByHand) {
    CProfileCollection c;
    c.Add(PatternedRecord(7));
    c.Add(PatternedRecord(200));

    Bytes records;
    uint32_t checksum = 0;
    for (uint8_t seed : {uint8_t{7}, uint8_t{200}}) {
        const std::size_t base = records.size();
        for (std::size_t j = 0; j < kRecord; ++j) records.push_back(static_cast<uint8_t>(j * 31 + seed));
        // The collection numbered the records 1 and 2; that is what is written.
        PutLe32(records, base, seed == 7 ? 1 : 2);
    }
    for (uint8_t b : records) checksum += b;
    Bytes expected = HandHeader(checksum, 2);
    expected.insert(expected.end(), records.begin(), records.end());

    const Bytes image = EncodeOf(c);
    ASSERT_EQ(196u + 2 * kRecord, image.size());
    EXPECT_TRUE(expected == image) << "first difference at "
                                   << (std::mismatch(expected.begin(), expected.end(), image.begin()).first -
                                       expected.begin());
}

TEST(DataFileImage, RoundTripKeepsEveryByteAndRenumbers) {
    CProfileCollection c;
    CProfileData a;
    a.SetText(ProfileText::profileName, u"会社");
    a.Record().ipMode = 1;
    a.Record().ipAddress = 0xC0A8010A;
    c.Add(a);
    c.Add(PatternedRecord(3));
    c.Add(CProfileData());
    const Bytes image = EncodeOf(c);

    CProfileCollection loaded;  // counter moved on: 1 and 2 are used up
    loaded.Add(CProfileData());
    loaded.Add(CProfileData());
    loaded.Clear();
    ASSERT_EQ(0, DecodeInto(image, loaded));
    ASSERT_EQ(3, loaded.Count());
    for (int i = 0; i < 3; ++i) {
        CProfileData original, back;
        ASSERT_EQ(0, c.GetByPosition(i, &original));
        ASSERT_EQ(0, loaded.GetByPosition(i, &back));
        EXPECT_EQ(3 + i, back.Record().profileId);
        back.Record().profileId = original.Record().profileId;
        EXPECT_EQ(0, std::memcmp(original.Bytes(), back.Bytes(), kRecord)) << "record " << i;
    }
    CProfileData first;
    loaded.GetByPosition(0, &first);
    EXPECT_EQ(u"会社", first.GetText(ProfileText::profileName));
}

TEST(DataFileImage, IdentifiersInTheFileAreReplacedOnLoad) {
    CProfileCollection c;
    c.Add(CProfileData());
    c.Add(CProfileData());
    Bytes image = EncodeOf(c);
    PutLe32(image, 196, 77);
    PutLe32(image, 196 + kRecord, 0xFFFFFFFB);  // -5
    Reseal(image);

    CProfileCollection loaded;
    ASSERT_EQ(0, DecodeInto(image, loaded));
    CProfileData r;
    loaded.GetByPosition(0, &r);
    EXPECT_EQ(1, r.Record().profileId);
    loaded.GetByPosition(1, &r);
    EXPECT_EQ(2, r.Record().profileId);
}

class DataFileRejection : public ::testing::Test {
protected:
    void SetUp() override {
        CProfileCollection c;
        c.Add(PatternedRecord(9));
        image = EncodeOf(c);
    }
    void ExpectRejected(const char* what) {
        CProfileCollection loaded;
        EXPECT_EQ(-1, DecodeInto(image, loaded)) << what;
        EXPECT_EQ(0, loaded.Count()) << what;
    }
    Bytes image;
};

TEST_F(DataFileRejection, SignatureAreaMustMatchExactly) {
    image[12] = 'X';
    ExpectRejected("one different character");
    SetUp();
    image[0] = 'v';
    ExpectRejected("first character");
    for (std::size_t at : {45u, 50u, 63u}) {
        SetUp();
        image[at] = 1;
        ExpectRejected("non-zero byte in the padding");
    }
}

TEST_F(DataFileRejection, ReservedBytesAreNotChecked) {
    for (std::size_t i = 68; i < 192; ++i) image[i] = static_cast<uint8_t>(0xA0 + i);
    CProfileCollection loaded;
    EXPECT_EQ(0, DecodeInto(image, loaded));
    EXPECT_EQ(1, loaded.Count());
}

TEST_F(DataFileRejection, TooShortForTheHeader) {
    image.resize(195);
    ExpectRejected("195 bytes");
    image.clear();
    ExpectRejected("empty");
}

TEST_F(DataFileRejection, CountMustMatchTheLength) {
    PutLe32(image, 192, 2);
    ExpectRejected("count 2, one record");
    PutLe32(image, 192, 0);
    ExpectRejected("count 0, one record");
    SetUp();
    image.push_back(0);
    ExpectRejected("one stray byte after the records");
}

TEST_F(DataFileRejection, OneFlippedRecordByteFailsTheChecksum) {
    image[196 + 5000] ^= 0x10;
    ExpectRejected("flipped byte");
    SetUp();
    image[64] ^= 1;
    ExpectRejected("checksum itself changed");
}

TEST_F(DataFileRejection, CraftedCountsDoNotWrapTheLengthCheck) {
    // 0x40000001 x 26,148 is 26,148 modulo 2^32: in 32-bit arithmetic this
    // count would pass for the single record that follows.
    PutLe32(image, 192, 0x40000001);
    ExpectRejected("count wrapping to one record");
    PutLe32(image, 192, 0xFFFFFFFF);
    ExpectRejected("count -1");
    PutLe32(image, 192, 0x80000000);
    ExpectRejected("most negative count");

    Bytes header = HandHeader(0, 0x80000000);  // negative count, no records
    CProfileCollection loaded;
    EXPECT_EQ(-1, DecodeInto(header, loaded));
}

TEST(DataFileImage, ChecksumWrapsAtThirtyTwoBits) {
    // 16,843,010 bytes of 0xFF add up to 2^32 + 254.
    const Bytes ff(16843010, 0xFF);
    EXPECT_EQ(254u, datafile::ByteSum(ff.data(), ff.size()));
    const uint8_t some[] = {1, 2, 250};
    EXPECT_EQ(253u, datafile::ByteSum(some, 3));
}

TEST(AutoRunEntry, QuotedProgramPathFollowedByTheSwitch) {
    EXPECT_EQ(u"\"C:\\Apps\\X\\Tolvik_Network.exe\" /AutoRun", AutoRunCommandLine(u"C:\\Apps\\X"));
    EXPECT_EQ(u"\"D:\\ツール\\Tolvik_Network.exe\" /AutoRun", AutoRunCommandLine(u"D:\\ツール"));
}

// ---- the extension file beside the data file ----------------------------------

// "Office" with additions, its network, a fall-back and a key of a later version, "Home" with none.
CProfileCollection Offices() {
    CProfileCollection c;
    CProfileData office = NamedProfile(u"Office");
    office.Extension() = {{}, {}, {0x0A000035}, u"corp.example", "{\"location\":{\"ssid\":\"lab\"}}",
                          {u"00:00:5E:00:53:0B", u"corp.example", u""}, true, ProfileExtension::Fallback::GatewayLost};
    c.Add(office);
    c.Add(NamedProfile(u"Home"));
    return c;
}

CProfileData At(const CProfileCollection& c, int position) {
    CProfileData p;
    EXPECT_EQ(0, c.GetByPosition(position, &p));
    return p;
}

// The data file read back (its profiles numbered on from those written), and
// the extension file attached to it.
CProfileCollection ReadBack(const Bytes& image, const std::string& extensions, int attached) {
    CProfileCollection c = Offices().EmptyContinuation();
    EXPECT_EQ(0, DecodeInto(image, c));
    EXPECT_EQ(attached, extensionstore::Attach(extensions, c, 0));
    return c;
}

TEST(ExtensionFile, EachRecordGetsItsOwnExtensionBackAndAChangedRecordNone) {
    const CProfileCollection written = Offices();
    const std::string file = extensionstore::Compose(written, "");
    EXPECT_NE(file.find("\"record\": \"" + text::ToUtf8(extensionstore::RecordKey(At(written, 0)))), std::string::npos);
    const CProfileCollection read = ReadBack(EncodeOf(written), file, 1);
    EXPECT_EQ(At(written, 0).Extension(), At(read, 0).Extension());
    EXPECT_TRUE(At(read, 1).Extension().Empty());

    // A program that knows no extensions changes one byte of the record: "Office" becomes "office".
    Bytes changed = EncodeOf(written);
    changed[196 + 4] ^= 0x20;
    Reseal(changed);
    EXPECT_EQ(std::string::npos, extensionstore::Compose(ReadBack(changed, file, 0), file).find("corp.example"))
        << "dropped when written";

}

TEST(ExtensionFile, KeysOfALaterVersionSurviveAndSizesAreBounded) {
    const CProfileCollection written = Offices();
    std::string later = extensionstore::Compose(written, "");
    later.insert(later.find('{') + 1, "\"devices\": [1, 2],");
    const std::string again = extensionstore::Compose(ReadBack(EncodeOf(written), later, 1), later);
    EXPECT_NE(again.find("\"devices\": ["), std::string::npos) << "the file's own";
    EXPECT_NE(again.find("\"ssid\": \"lab\""), std::string::npos) << "the profile's own";

    // Refused: an object beyond 16 KiB, one nested deeper than 16 levels, a
    // file beyond 4 MiB, a file of another version. An object that would
    // be larger is written without its other keys.
    CProfileCollection large = Offices();
    CProfileData office = At(large, 0);
    office.Extension().otherKeys = "{\"notes\":\"" + std::string(16 * 1024, 'n') + "\"}";
    large.Edit(office);
    const std::string file = extensionstore::Compose(large, "");
    EXPECT_EQ(file.find("\"notes\""), std::string::npos);
    auto inserted = [&](const std::string& text) { return std::string(file).insert(file.find("\"dnsSuffix\""), text); };
    std::string version2 = file;
    version2[version2.find("\"formatVersion\": 1") + 17] = '2';
    for (const std::string& refused : {inserted("\"notes\": \"" + std::string(16 * 1024, 'n') + "\", "),
                                       inserted("\"deep\": " + std::string(16, '[') + std::string(16, ']') + ", "),
                                       file + std::string(4 * 1024 * 1024, ' '), version2})
        ReadBack(EncodeOf(large), refused, 0);
}

}  // namespace
