#pragma once
#include <cstdint>

#include "framework/Object.h"
#include "framework/Text.h"
#include "profile/ProfileRecord.h"

// The maker's web page: the HTTP check's default address.
inline constexpr char16_t kDefaultCheckUrl[] = u"https://www.valtrecossin.jp/";

// One profile record. A new object already holds the defaults.
class CProfileData : public CObject {
public:
    CProfileData();
    ~CProfileData() override = default;
    CProfileData(const CProfileData& other);
    CProfileData& operator=(const CProfileData& other);

    // Zero all bytes, then iconIndex -1, proxyMode 1, checkUrl = default.
    void Reset();
    // Whole-record copy, profileId included.
    void CopyFrom(const CProfileData& other);

    ProfileRecord& Record() { return record_; }
    const ProfileRecord& Record() const { return record_; }

    // Text up to the first zero unit (or the field's end).
    Text GetText(const TextField& field) const;
    // The one rule for writing text: clear the whole field, then copy at
    // most field.maxChars characters; longer text is cut, never refused.
    void SetText(const TextField& field, const Text& value);
    void ClearText(const TextField& field);

    // The raw 26,148 bytes.
    const uint8_t* Bytes() const { return reinterpret_cast<const uint8_t*>(&record_); }
    void LoadBytes(const uint8_t* bytes);

private:
    ProfileRecord record_;
};
