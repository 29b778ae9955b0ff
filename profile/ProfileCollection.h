#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "profile/ProfileData.h"

// The application's ordered list of profiles with per-run identifiers.
// Results: 0 or a positive identifier on success, -1 on failure.
class CProfileCollection {
public:
    static constexpr int kMaxProfiles = 12;  // what the user interface lets a user register

    int Count() const { return static_cast<int>(items_.size()); }
    int GetByPosition(int position, CProfileData* destination) const;
    int FindById(int32_t profileId, CProfileData* destination) const;
    // Position (0-based) of the profile with that identifier, or -1.
    int PositionOf(int32_t profileId) const;
    int Add(const CProfileData& source);
    int Edit(const CProfileData& source);
    int Remove(const CProfileData& record);
    // Moves the record at position `from` to position `to`; the records in
    // between close up. Identifiers stay with their records. 0, or -1 when
    // a position is outside 0..count-1.
    int Move(int from, int to);
    void Clear() { items_.clear(); }
    // An empty collection whose identifiers go on from this one's, to read
    // the data file into before it takes this one's place.
    CProfileCollection EmptyContinuation() const {
        CProfileCollection next;
        next.nextId_ = nextId_;
        return next;
    }

private:
    std::vector<std::unique_ptr<CProfileData>> items_;
    int32_t nextId_ = 1;  // never reset, never decremented
};
