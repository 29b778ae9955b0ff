#pragma once
#include <windows.h>
#include <shobjidl.h>

#include <array>
#include <functional>
#include <string>

#include "app/JumpListTasks.h"
#include "framework/Object.h"
#include "profile/ProfileCollection.h"

// The taskbar identity of the process and of its jump list.
inline constexpr wchar_t kTaskbarIdentity[] = L"TOLVIK_NETWORK_CHANGER.FOR.WINDOWS_SEVEN";

// The shell objects a jump list is built from. Each can be replaced, so
// that a test can look at exactly what is published.
HRESULT CreateShellDestinationList(ICustomDestinationList** list);
HRESULT CreateShellObjectCollection(IObjectCollection** collection);
HRESULT CreateShellLink(IShellLinkW** link);

struct JumpListShell {
    std::function<HRESULT(ICustomDestinationList**)> createList = CreateShellDestinationList;
    std::function<HRESULT(IObjectCollection**)> createCollection = CreateShellObjectCollection;
    std::function<HRESULT(IShellLinkW**)> createLink = CreateShellLink;
};

// Keeps the user tasks of the jump list (at most 12) and publishes them
// through the shell's custom destination list. COM must be initialised on
// the calling thread.
class CJumpListManager : public CObject {
public:
    explicit CJumpListManager(JumpListShell shell = JumpListShell());
    ~CJumpListManager() override;
    CJumpListManager(const CJumpListManager&) = delete;
    CJumpListManager& operator=(const CJumpListManager&) = delete;

    void ClearTasks();
    // Stores the task in the next free entry; false once all 12 are used.
    bool AddTask(const JumpListTask& task);
    int TaskCount() const { return taskCount_; }

    // Replaces the whole list with the stored tasks and, when asked for, a
    // separator and the bulk-edit tool's task. True when the list was
    // committed, or when the system offers no destination list at all.
    bool Publish(bool withEditTool);

private:
    bool AddTasksTo(IObjectCollection* collection, bool withEditTool) const;
    bool AddLink(IObjectCollection* collection, const std::wstring& target, const JumpListTask& task) const;
    bool AddSeparator(IObjectCollection* collection) const;
    void ReleaseList();

    JumpListShell shell_;
    ICustomDestinationList* list_ = nullptr;
    std::array<JumpListTask, kMaxJumpListTasks> tasks_;
    int taskCount_ = 0;
};

// Rebuilds the jump list: one task per profile of `profiles` (none when
// null), and the bulk-edit tool's task when asked for. The shell's objects
// are made and used on a short-lived thread of their own COM apartment.
bool RefreshJumpList(const CProfileCollection* profiles, bool withEditTool,
                     JumpListShell shell = JumpListShell());

// Full path of the running program (at most MAX_PATH characters).
std::wstring ProgramPath();
