#include "wizard/NamePageRules.h"

#include "resources/resource.h"

namespace namepage {

int InitialIcon(int32_t iconIndex) { return iconIndex >= 0 && iconIndex < kIconCount ? iconIndex : 0; }

bool IsNameTaken(const CProfileCollection& profiles, const Text& name, int32_t ownProfileId) {
    CProfileData stored;
    for (int position = 0; position < profiles.Count(); ++position) {
        if (profiles.GetByPosition(position, &stored) != 0) continue;
        if (stored.Record().profileId != ownProfileId && stored.GetText(ProfileText::profileName) == name)
            return true;
    }
    return false;
}

NameCheck CheckNamePage(const Text& name, int selectedIcon, const CProfileCollection& profiles,
                        int32_t ownProfileId) {
    if (name.empty()) return NameCheck::NameEmpty;
    if (IsNameTaken(profiles, name, ownProfileId)) return NameCheck::NameDuplicate;
    if (selectedIcon < 0) return NameCheck::NoIcon;
    return NameCheck::Passed;
}

int NameCheckMessage(NameCheck check) {
    switch (check) {
        case NameCheck::NameEmpty:
            return IDS_NAME_EMPTY;
        case NameCheck::NameDuplicate:
            return IDS_NAME_DUPLICATE;
        case NameCheck::NoIcon:
            return IDS_ICON_EMPTY;
        case NameCheck::Passed:
            break;
    }
    return 0;
}

}  // namespace namepage
