#include "profile/ProfileData.h"

#include <cstring>

CProfileData::CProfileData() { Reset(); }

CProfileData::CProfileData(const CProfileData& other) : CObject(other) { CopyFrom(other); }

CProfileData& CProfileData::operator=(const CProfileData& other) {
    if (this != &other) CopyFrom(other);
    return *this;
}

void CProfileData::Reset() {
    std::memset(&record_, 0, sizeof(record_));
    record_.iconIndex = -1;
    record_.proxyMode = 1;
    SetText(ProfileText::checkUrl, kDefaultCheckUrl);
    extension_ = ProfileExtension();
}

void CProfileData::CopyFrom(const CProfileData& other) {
    std::memcpy(&record_, &other.record_, sizeof(record_));
    extension_ = other.extension_;
}

void CProfileData::LoadBytes(const uint8_t* bytes) { std::memcpy(&record_, bytes, sizeof(record_)); }

Text CProfileData::GetText(const TextField& field) const {
    Text value;
    const uint8_t* p = Bytes() + field.offset;
    for (std::size_t i = 0; i < field.capacity; ++i) {
        char16_t unit;
        std::memcpy(&unit, p + i * sizeof(char16_t), sizeof(unit));
        if (unit == 0) break;
        value += unit;
    }
    return value;
}

void CProfileData::ClearText(const TextField& field) {
    std::memset(reinterpret_cast<uint8_t*>(&record_) + field.offset, 0, field.capacity * sizeof(char16_t));
}

void CProfileData::SetText(const TextField& field, const Text& value) {
    ClearText(field);
    const std::size_t n = value.size() < field.maxChars ? value.size() : field.maxChars;
    std::memcpy(reinterpret_cast<uint8_t*>(&record_) + field.offset, value.data(), n * sizeof(char16_t));
}
