#pragma once
// The rules of the wizard's name and icon page, apart from its controls.
#include <cstdint>

#include "framework/Text.h"
#include "profile/ProfileCollection.h"

namespace namepage {

inline constexpr int kIconCount = 6;
inline constexpr std::size_t kNameLimit = 32;  // characters the name edit takes

// The first failing check of Next, in the order they run.
enum class NameCheck {
    Passed,
    NameEmpty,      // message 134, focus on the name
    NameDuplicate,  // message 160, focus on the name
    NoIcon,         // message 135, focus on the icon list
};

// The icon selected when the page opens: iconIndex itself when it is one of
// the six icons, otherwise the first.
int InitialIcon(int32_t iconIndex);

// True when a stored profile other than `ownProfileId` carries exactly this
// name (case-sensitive, whole text). Profiles that cannot be read are skipped.
bool IsNameTaken(const CProfileCollection& profiles, const Text& name, int32_t ownProfileId);

// The checks of Next: the name as typed (not trimmed), the selected icon
// (-1 for none), the profiles stored and the identifier of the edited
// profile (0 for a new one).
NameCheck CheckNamePage(const Text& name, int selectedIcon, const CProfileCollection& profiles,
                        int32_t ownProfileId);

// String-table id of a failed check's message (0 for Passed).
int NameCheckMessage(NameCheck check);

}  // namespace namepage
