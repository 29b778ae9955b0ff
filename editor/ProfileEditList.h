#pragma once
// The profiles as the bulk-edit tool holds them between loading the data
// file and saving it: reordered, copied, renamed, deleted and imported in
// memory, with a note of whether anything changed since the last save.
// Positions are 0-based, in the order the data file will have.
#include <cstdint>
#include <vector>

#include "editor/ImportError.h"
#include "profile/ProfileCollection.h"
#include "wizard/NamePageRules.h"

class CProfileEditList {
public:
    CProfileCollection& Profiles() { return profiles_; }
    const CProfileCollection& Profiles() const { return profiles_; }
    int Count() const { return profiles_.Count(); }

    bool Modified() const { return modified_; }
    void MarkSaved() { modified_ = false; }
    // More profiles than the data file may be saved with.
    bool TooManyToSave() const { return Count() > CProfileCollection::kMaxProfiles; }

    // The new position of the moved profile, or -1 when it cannot move.
    int MoveUp(int position);
    int MoveDown(int position);
    // A copy of the profile right after it, named by CopyName; its position,
    // -1 when there is no such profile, -2 when the list is full (12).
    int Copy(int position, const Text& copySuffix);
    // The name page's checks (the icon stays as it is); the name is stored
    // only when they pass.
    namepage::NameCheck Rename(int position, const Text& name);
    // Removes the profiles at these positions; how many went.
    int Remove(std::vector<int> positions);

    // Profiles of a file: each is checked as the wizard would, then all of
    // them together with those they join; only when everything passes do
    // they replace the list (append false) or follow it (append true).
    ImportError Import(std::vector<CProfileData> imported, bool append, int32_t ieMajorVersion);

    // The list as the data file stores it: the same records in the same
    // order, numbered 1, 2, 3, ... as the main program's next start numbers them.
    CProfileCollection ForSaving() const;

    // The profiles at these positions (all of them when empty), in list order.
    std::vector<CProfileData> Take(const std::vector<int>& positions) const;

private:
    int Move(int from, int to);

    CProfileCollection profiles_;
    bool modified_ = false;
};

// A name for a copy of `name`: name + suffix, then name + suffix + " (2)",
// " (3)", ... until no profile has it; `name` is cut so that the whole fits
// the 32 characters of a profile name.
Text CopyName(const Text& name, const Text& suffix, const CProfileCollection& profiles);
