#include "app/win/JumpListManager.h"

#include <objbase.h>
#include <propidl.h>
#include <propsys.h>
#include <shlobj.h>

#include "framework/win/ApartmentCall.h"
#include "framework/win/ComRef.h"
#include "framework/win/WideText.h"

namespace {

// Property keys of the shell link's property store.
const PROPERTYKEY kTitleKey = {{0xf29f85e0, 0x4ff9, 0x1068, {0xab, 0x91, 0x08, 0x00, 0x2b, 0x27, 0xb3, 0xd9}}, 2};
const PROPERTYKEY kSeparatorKey = {{0x9f4c2855, 0x9f79, 0x4b39, {0xa8, 0xd0, 0xe1, 0xd4, 0x2d, 0xe1, 0xd5, 0xf3}},
                                   6};

// No destination list on this system: nothing to maintain.
bool NoDestinationList(HRESULT hr) { return hr == REGDB_E_CLASSNOTREG || hr == E_NOTIMPL; }

HRESULT SetStringProperty(IPropertyStore* store, const PROPERTYKEY& key, const std::wstring& value) {
    PROPVARIANT pv;
    PropVariantInit(&pv);
    const std::size_t bytes = (value.size() + 1) * sizeof(wchar_t);
    pv.pwszVal = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (pv.pwszVal == nullptr) return E_OUTOFMEMORY;
    CopyMemory(pv.pwszVal, value.c_str(), bytes);
    pv.vt = VT_LPWSTR;
    const HRESULT hr = store->SetValue(key, pv);
    PropVariantClear(&pv);
    return hr;
}

HRESULT SetTrueProperty(IPropertyStore* store, const PROPERTYKEY& key) {
    PROPVARIANT pv;
    PropVariantInit(&pv);
    pv.vt = VT_BOOL;
    pv.boolVal = VARIANT_TRUE;
    return store->SetValue(key, pv);
}

bool IsEmptyTask(const JumpListTask& task) {
    return task.arguments.empty() && task.description.empty() && task.title.empty() && task.icon == -1;
}

}  // namespace

// One shell link for a task, added to the collection.
bool CJumpListManager::AddLink(IObjectCollection* collection, const std::wstring& target,
                               const JumpListTask& task) const {
    ComRef<IShellLinkW> link;
    ComRef<IPropertyStore> store;
    if (FAILED(shell_.createLink(link.Out())) || link.Get() == nullptr) return false;
    if (FAILED(link->SetPath(target.c_str())) || FAILED(link->SetArguments(WPtr(task.arguments))) ||
        FAILED(link->SetDescription(WPtr(task.description))) ||
        FAILED(link->SetIconLocation(target.c_str(), task.icon)))
        return false;
    if (FAILED(link->QueryInterface(IID_IPropertyStore, store.OutVoid()))) return false;
    if (FAILED(SetStringProperty(store.Get(), kTitleKey, W(task.title))) || FAILED(store->Commit())) return false;
    return SUCCEEDED(collection->AddObject(link.Get()));
}

bool CJumpListManager::AddSeparator(IObjectCollection* collection) const {
    ComRef<IShellLinkW> link;
    ComRef<IPropertyStore> store;
    if (FAILED(shell_.createLink(link.Out())) || link.Get() == nullptr) return false;
    if (FAILED(link->QueryInterface(IID_IPropertyStore, store.OutVoid()))) return false;
    if (FAILED(SetTrueProperty(store.Get(), kSeparatorKey)) || FAILED(store->Commit())) return false;
    return SUCCEEDED(collection->AddObject(link.Get()));
}

HRESULT CreateShellDestinationList(ICustomDestinationList** list) {
    return CoCreateInstance(CLSID_DestinationList, nullptr, CLSCTX_INPROC_SERVER, IID_ICustomDestinationList,
                            reinterpret_cast<void**>(list));
}

HRESULT CreateShellObjectCollection(IObjectCollection** collection) {
    return CoCreateInstance(CLSID_EnumerableObjectCollection, nullptr, CLSCTX_INPROC_SERVER, IID_IObjectCollection,
                            reinterpret_cast<void**>(collection));
}

HRESULT CreateShellLink(IShellLinkW** link) {
    return CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                            reinterpret_cast<void**>(link));
}

std::wstring ProgramPath() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::wstring(path, n < MAX_PATH ? n : MAX_PATH);
}

CJumpListManager::CJumpListManager(JumpListShell shell) : shell_(std::move(shell)) { ClearTasks(); }

CJumpListManager::~CJumpListManager() { ReleaseList(); }

void CJumpListManager::ReleaseList() {
    if (list_ != nullptr) list_->Release();
    list_ = nullptr;
}

void CJumpListManager::ClearTasks() {
    for (JumpListTask& task : tasks_) task = JumpListTask();
    taskCount_ = 0;
}

bool CJumpListManager::AddTask(const JumpListTask& task) {
    if (taskCount_ >= kMaxJumpListTasks) return false;
    tasks_[static_cast<std::size_t>(taskCount_++)] = task;
    return true;
}

bool CJumpListManager::AddTasksTo(IObjectCollection* collection, bool withEditTool) const {
    const std::wstring program = ProgramPath();
    for (int i = 0; i < taskCount_; ++i) {
        const JumpListTask& task = tasks_[static_cast<std::size_t>(i)];
        if (!IsEmptyTask(task) && !AddLink(collection, program, task)) return false;
    }
    if (!withEditTool) return true;
    return AddSeparator(collection) && AddLink(collection, W(EditToolPath(T(program))), EditToolTask());
}

bool CJumpListManager::Publish(bool withEditTool) {
    ReleaseList();
    HRESULT hr = shell_.createList(&list_);
    if (FAILED(hr) || list_ == nullptr) return NoDestinationList(hr);
    hr = list_->SetAppID(kTaskbarIdentity);
    if (FAILED(hr)) return NoDestinationList(hr);
    UINT slots = 0;
    ComRef<IObjectArray> removed;
    hr = list_->BeginList(&slots, IID_IObjectArray, removed.OutVoid());
    if (FAILED(hr)) return NoDestinationList(hr);

    ComRef<IObjectCollection> collection;
    ComRef<IObjectArray> tasks;
    if (SUCCEEDED(shell_.createCollection(collection.Out())) && collection.Get() != nullptr &&
        AddTasksTo(collection.Get(), withEditTool) &&
        SUCCEEDED(collection->QueryInterface(IID_IObjectArray, tasks.OutVoid())))
        list_->AddUserTasks(tasks.Get());
    return SUCCEEDED(list_->CommitList());
}

bool RefreshJumpList(const CProfileCollection* profiles, bool withEditTool, JumpListShell shell) {
    // The shell's list objects are apartment-threaded, and the program's
    // user-interface thread is in the multithreaded apartment (the WMI
    // connection's).
    return CallInOwnApartment([&] {
        CJumpListManager manager(std::move(shell));
        if (profiles != nullptr)
            for (const JumpListTask& task : ProfileTasks(*profiles)) manager.AddTask(task);
        return manager.Publish(withEditTool);
    });
}
