#include "service/ManagedApproval.h"

#include <cstring>
#include <vector>

#include "applier/SettingRequest.h"

namespace {

// The identifier leads the record.
constexpr std::size_t kIdSize = sizeof(ProfileRecord::profileId);

}  // namespace

bool IsProfileOfFile(const uint8_t* message, std::size_t size, const CProfileCollection& file) {
    if (message == nullptr || size < kProfileRecordSize) return false;
    CProfileData profile;
    for (int i = 0; i < file.Count(); ++i) {
        if (file.GetByPosition(i, &profile) != 0) continue;
        const std::vector<uint8_t> own = SettingRequestMessage(profile);
        if (own.size() == size && std::memcmp(own.data() + kIdSize, message + kIdSize, size - kIdSize) == 0)
            return true;
    }
    return false;
}
