#include "editor/ProfileEditList.h"

#include <algorithm>

#include "editor/ImportChecks.h"

namespace {

// Name + suffix + mark, with the name cut so that the whole fits a profile name.
Text Fitted(const Text& name, const Text& ending) {
    const std::size_t room = namepage::kNameLimit > ending.size() ? namepage::kNameLimit - ending.size() : 0;
    return name.substr(0, room) + ending;
}

}  // namespace

Text CopyName(const Text& name, const Text& suffix, const CProfileCollection& profiles) {
    Text candidate = Fitted(name, suffix);
    for (int n = 2; namepage::IsNameTaken(profiles, candidate, 0); ++n)
        candidate = Fitted(name, suffix + u" (" + text::Decimal(n) + u")");
    return candidate;
}

int CProfileEditList::Move(int from, int to) {
    if (profiles_.Move(from, to) != 0) return -1;
    modified_ = true;
    return to;
}

int CProfileEditList::MoveUp(int position) { return position > 0 ? Move(position, position - 1) : -1; }

int CProfileEditList::MoveDown(int position) { return position + 1 < Count() ? Move(position, position + 1) : -1; }

int CProfileEditList::Copy(int position, const Text& copySuffix) {
    CProfileData copy;
    if (profiles_.GetByPosition(position, &copy) != 0) return -1;
    if (Count() >= CProfileCollection::kMaxProfiles) return -2;
    copy.SetText(ProfileText::profileName, CopyName(copy.GetText(ProfileText::profileName), copySuffix, profiles_));
    if (profiles_.Add(copy) <= 0) return -1;
    modified_ = true;
    profiles_.Move(Count() - 1, position + 1);
    return position + 1;
}

namepage::NameCheck CProfileEditList::Rename(int position, const Text& name) {
    CProfileData profile;
    if (profiles_.GetByPosition(position, &profile) != 0) return namepage::NameCheck::NameEmpty;
    const namepage::NameCheck check = namepage::CheckNamePage(
        name, namepage::InitialIcon(profile.Record().iconIndex), profiles_, profile.Record().profileId);
    if (check != namepage::NameCheck::Passed) return check;
    if (profile.GetText(ProfileText::profileName) == name) return check;
    profile.SetText(ProfileText::profileName, name);
    profiles_.Edit(profile);
    modified_ = true;
    return check;
}

int CProfileEditList::Remove(std::vector<int> positions) {
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    int removed = 0;
    CProfileData profile;
    // From the back, so that the positions still ahead stay valid.
    for (auto it = positions.rbegin(); it != positions.rend(); ++it)
        if (profiles_.GetByPosition(*it, &profile) == 0 && profiles_.Remove(profile) > 0) ++removed;
    if (removed > 0) modified_ = true;
    return removed;
}

ImportError CProfileEditList::Import(std::vector<CProfileData> imported, bool append, int32_t ieMajorVersion) {
    ImportError e = importchecks::CheckImport(imported, append ? &profiles_ : nullptr, ieMajorVersion);
    if (e.Failed()) return e;
    if (!append) profiles_ = profiles_.EmptyContinuation();
    for (const CProfileData& p : imported) profiles_.Add(p);
    modified_ = true;
    return e;
}

std::vector<CProfileData> CProfileEditList::Take(const std::vector<int>& positions) const {
    std::vector<CProfileData> taken;
    CProfileData p;
    for (int i = 0; profiles_.GetByPosition(i, &p) == 0; ++i)
        if (positions.empty() || std::find(positions.begin(), positions.end(), i) != positions.end())
            taken.push_back(p);
    return taken;
}

CProfileCollection CProfileEditList::ForSaving() const {
    CProfileCollection saved;
    for (const CProfileData& p : Take({})) saved.Add(p);
    return saved;
}
