#pragma once
#include <cstdint>

#include "framework/Object.h"
#include "framework/Text.h"
#include "profile/ProfileExtension.h"
#include "profile/ProfileRecord.h"

// The maker's web page: the HTTP check's default address.
inline constexpr char16_t kDefaultCheckUrl[] = u"https://www.valtrecossin.jp/";

// One profile: its record and what it holds beyond the record (its
// extension, empty for most). A new object already holds the defaults.
class CProfileData : public CObject {
public:
    CProfileData();
    ~CProfileData() override = default;
    CProfileData(const CProfileData& other);
    CProfileData& operator=(const CProfileData& other);

    // Zero all bytes, then iconIndex -1, proxyMode 1, checkUrl = default;
    // no extension.
    void Reset();
    // Whole-record copy, profileId included, and the extension.
    void CopyFrom(const CProfileData& other);

    ProfileRecord& Record() { return record_; }
    const ProfileRecord& Record() const { return record_; }
    ProfileExtension& Extension() { return extension_; }
    const ProfileExtension& Extension() const { return extension_; }

    // Text up to the first zero unit (or the field's end).
    Text GetText(const TextField& field) const;
    // The one rule for writing text: clear the whole field, then copy at
    // most field.maxChars characters; longer text is cut, never refused.
    void SetText(const TextField& field, const Text& value);
    void ClearText(const TextField& field);

    // The raw 26,148 bytes.
    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(&record_); }
    // The record's bytes; the extension stays as it is.
    void LoadBytes(const uint8_t* bytes);

private:
    ProfileRecord record_;
    ProfileExtension extension_;
};
