#include "service/ManagedApproval.h"

#include <cstring>

namespace {

// The identifier leads the record.
constexpr std::size_t kIdSize = sizeof(ProfileRecord::profileId);

}  // namespace

bool IsProfileOfFile(const uint8_t* record, std::size_t size, const CProfileCollection& file) {
    if (record == nullptr || size != kProfileRecordSize) return false;
    CProfileData profile;
    for (int i = 0; i < file.Count(); ++i)
        if (file.GetByPosition(i, &profile) == 0 &&
            std::memcmp(profile.Bytes() + kIdSize, record + kIdSize, kProfileRecordSize - kIdSize) == 0)
            return true;
    return false;
}
