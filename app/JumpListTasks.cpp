#include "app/JumpListTasks.h"

#include "profile/ProfileDescription.h"
#include "resources/resource.h"

Text RunProfileArguments(int number) { return u"/RunProfile" + text::Decimal(number); }

int32_t ProfileTaskIcon(int32_t iconIndex) {
    const int32_t index = (iconIndex >= 0 && iconIndex <= 5) ? iconIndex : 0;
    return -(IDI_PROFILE_FIRST + index);
}

JumpListTask ProfileTask(const CProfileData& profile, int number) {
    JumpListTask task;
    task.arguments = RunProfileArguments(number);
    task.description = ComposeTaskDescription(profile);
    task.title = profile.GetText(ProfileText::profileName);
    task.icon = ProfileTaskIcon(profile.Record().iconIndex);
    return task;
}

std::vector<JumpListTask> ProfileTasks(const CProfileCollection& profiles) {
    std::vector<JumpListTask> tasks;
    CProfileData profile;
    for (int position = 0; position < profiles.Count() && position < kMaxJumpListTasks; ++position) {
        if (profiles.GetByPosition(position, &profile) != 0) break;
        tasks.push_back(ProfileTask(profile, position + 1));
    }
    return tasks;
}

JumpListTask EditToolTask() {
    JumpListTask task;
    task.description = kEditToolTitle;
    task.title = kEditToolTitle;
    task.icon = kEditToolIcon;
    return task;
}

Text EditToolPath(const Text& programPath) {
    const std::size_t separator = programPath.find_last_of(u"\\/");
    std::size_t folderEnd = 0;
    if (separator != Text::npos)
        folderEnd = separator + 1;
    else if (programPath.size() >= 2 && programPath[1] == u':')
        folderEnd = 2;
    return programPath.substr(0, folderEnd) + kEditToolFileName;
}
