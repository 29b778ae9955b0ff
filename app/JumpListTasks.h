#pragma once
// The content of the jump list's tasks, decided from the profile collection.
#include <cstdint>
#include <vector>

#include "framework/Text.h"
#include "profile/ProfileCollection.h"

// One user task of the jump list.
struct JumpListTask {
    Text arguments;
    Text description;
    Text title;
    int32_t icon = -1;  // icon index as for IShellLinkW::SetIconLocation
};

inline constexpr int kMaxJumpListTasks = 12;
inline constexpr char16_t kEditToolFileName[] = u"Tolvik_EditProfile.exe";
inline constexpr char16_t kEditToolTitle[] = u"Relabrin";
inline constexpr int32_t kEditToolIcon = -128;

// "/RunProfile<number>".
Text RunProfileArguments(int number);
// Icon index of a profile's task: -(163 + iconIndex), -163 outside 0..5.
int32_t ProfileTaskIcon(int32_t iconIndex);
// The task that applies `profile`, named by its 1-based position `number`
// in the collection (what the next start of the program calls it).
JumpListTask ProfileTask(const CProfileData& profile, int number);
// One task per profile in collection order, for the first 12 profiles only.
std::vector<JumpListTask> ProfileTasks(const CProfileCollection& profiles);
// The bulk-edit tool's task (its target is EditToolPath).
JumpListTask EditToolTask();
// Drive and folder of the main program's path, followed by the tool's file name.
Text EditToolPath(const Text& programPath);
