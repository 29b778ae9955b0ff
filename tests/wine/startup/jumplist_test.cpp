// CJumpListManager against a destination list that records what it is given.
#include <windows.h>
#include <objbase.h>
#include <gtest/gtest.h>

#include <propsys.h>
#include <shobjidl.h>

#include "app/win/JumpListManager.h"
#include "framework/win/WideText.h"
#include "tests/wine/support/TestSupport.h"

namespace {

const PROPERTYKEY kTitleKey = {{0xf29f85e0, 0x4ff9, 0x1068, {0xab, 0x91, 0x08, 0x00, 0x2b, 0x27, 0xb3, 0xd9}}, 2};
const PROPERTYKEY kSeparatorKey = {{0x9f4c2855, 0x9f79, 0x4b39, {0xa8, 0xd0, 0xe1, 0xd4, 0x2d, 0xe1, 0xd5, 0xf3}},
                                   6};
// Asks a fake link for itself.
const IID kFakeLinkIid = {0x6b1d2a61, 0x3c1f, 0x4f0e, {0x9a, 0x51, 0x0c, 0x2e, 0x7d, 0x4b, 0x11, 0x90}};

int g_liveFakes = 0;  // fake COM objects not yet released to zero

// Reference counting shared by the fakes.
class Counted {
public:
    Counted() { ++g_liveFakes; }
    virtual ~Counted() { --g_liveFakes; }
    ULONG Add() { return static_cast<ULONG>(++refs_); }
    ULONG Drop() {
        const ULONG left = static_cast<ULONG>(--refs_);
        if (left == 0) delete this;
        return left;
    }

private:
    long refs_ = 1;
};

// What one published task looked like.
struct SeenTask {
    bool separator = false;
    std::wstring path, arguments, description, iconPath, title;
    int icon = 0;
    std::vector<std::string> calls;
};

// A shell link with its property store that only remembers what is set.
class FakeLink : public IShellLinkW, public IPropertyStore, public Counted {
public:
    SeenTask seen;
    bool committed = false;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IShellLinkW) {
            *out = static_cast<IShellLinkW*>(this);
        } else if (riid == IID_IPropertyStore) {
            *out = static_cast<IPropertyStore*>(this);
        } else if (riid == kFakeLinkIid) {
            *out = this;
        } else {
            *out = nullptr;
            return E_NOINTERFACE;
        }
        Add();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return Drop(); }

    HRESULT STDMETHODCALLTYPE SetPath(LPCWSTR v) override { return Set(seen.path, v, "SetPath"); }
    HRESULT STDMETHODCALLTYPE SetArguments(LPCWSTR v) override { return Set(seen.arguments, v, "SetArguments"); }
    HRESULT STDMETHODCALLTYPE SetDescription(LPCWSTR v) override { return Set(seen.description, v, "SetDescription"); }
    HRESULT STDMETHODCALLTYPE SetIconLocation(LPCWSTR v, int icon) override {
        seen.icon = icon;
        return Set(seen.iconPath, v, "SetIconLocation");
    }
    HRESULT STDMETHODCALLTYPE GetPath(LPWSTR, int, WIN32_FIND_DATAW*, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDList(PIDLIST_ABSOLUTE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetIDList(PCIDLIST_ABSOLUTE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDescription(LPWSTR, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetWorkingDirectory(LPWSTR, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetWorkingDirectory(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetArguments(LPWSTR, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetHotkey(WORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetHotkey(WORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetShowCmd(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetShowCmd(int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIconLocation(LPWSTR, int, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetRelativePath(LPCWSTR, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Resolve(HWND, DWORD) override { return E_NOTIMPL; }

    HRESULT STDMETHODCALLTYPE GetCount(DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAt(DWORD, PROPERTYKEY*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetValue(REFPROPERTYKEY, PROPVARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetValue(REFPROPERTYKEY key, REFPROPVARIANT value) override {
        if (IsEqualPropertyKey(key, kTitleKey) && value.vt == VT_LPWSTR) {
            seen.title = value.pwszVal;
            seen.calls.push_back("SetValue(Title)");
        } else if (IsEqualPropertyKey(key, kSeparatorKey) && value.vt == VT_BOOL) {
            seen.separator = value.boolVal == VARIANT_TRUE;
            seen.calls.push_back("SetValue(Separator)");
        } else {
            seen.calls.push_back("SetValue(?)");
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Commit() override {
        seen.calls.push_back("Commit");
        return S_OK;
    }

private:
    HRESULT Set(std::wstring& field, LPCWSTR value, const char* call) {
        field = value ? value : L"";
        seen.calls.push_back(call);
        return S_OK;
    }
};

// An object collection holding what is added, in order.
class FakeCollection : public IObjectCollection, public Counted {
public:
    ~FakeCollection() override {
        for (IUnknown* o : objects_) o->Release();
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_IObjectArray || riid == IID_IObjectCollection) {
            *out = static_cast<IObjectCollection*>(this);
            Add();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return Drop(); }
    HRESULT STDMETHODCALLTYPE GetCount(UINT* count) override {
        *count = static_cast<UINT>(objects_.size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetAt(UINT i, REFIID riid, void** out) override {
        if (i >= objects_.size()) return E_INVALIDARG;
        return objects_[i]->QueryInterface(riid, out);
    }
    HRESULT STDMETHODCALLTYPE AddObject(IUnknown* object) override {
        object->AddRef();
        objects_.push_back(object);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE AddFromArray(IObjectArray*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveObjectAt(UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Clear() override { return E_NOTIMPL; }

private:
    std::vector<IUnknown*> objects_;
};

// Records the calls and the user tasks; every call succeeds unless told.
class FakeDestinationList : public ICustomDestinationList, public Counted {
public:
    std::vector<std::string> calls;
    std::vector<SeenTask> tasks;
    std::wstring appId;
    HRESULT setAppIdResult = S_OK;
    HRESULT beginListResult = S_OK;
    HRESULT commitResult = S_OK;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (riid == IID_IUnknown || riid == IID_ICustomDestinationList) {
            *out = static_cast<ICustomDestinationList*>(this);
            Add();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return Add(); }
    ULONG STDMETHODCALLTYPE Release() override { return Drop(); }
    HRESULT STDMETHODCALLTYPE SetAppID(LPCWSTR id) override {
        calls.push_back("SetAppID");
        appId = id ? id : L"";
        return setAppIdResult;
    }
    HRESULT STDMETHODCALLTYPE BeginList(UINT* slots, REFIID riid, void** out) override {
        calls.push_back("BeginList");
        *out = nullptr;
        if (FAILED(beginListResult)) return beginListResult;
        *slots = 10;
        FakeCollection* removed = new FakeCollection;
        const HRESULT hr = removed->QueryInterface(riid, out);
        removed->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE AppendCategory(LPCWSTR, IObjectArray*) override {
        calls.push_back("AppendCategory");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE AppendKnownCategory(KNOWNDESTCATEGORY) override {
        calls.push_back("AppendKnownCategory");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE AddUserTasks(IObjectArray* array) override {
        calls.push_back("AddUserTasks");
        UINT count = 0;
        array->GetCount(&count);
        for (UINT i = 0; i < count; ++i) {
            FakeLink* link = nullptr;
            if (SUCCEEDED(array->GetAt(i, kFakeLinkIid, reinterpret_cast<void**>(&link)))) {
                tasks.push_back(link->seen);
                link->Release();
            }
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CommitList() override {
        calls.push_back("CommitList");
        return commitResult;
    }
    HRESULT STDMETHODCALLTYPE GetRemovedDestinations(REFIID, void** out) override {
        *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DeleteList(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AbortList() override {
        calls.push_back("AbortList");
        return S_OK;
    }
};

class JumpList : public ::testing::Test {
protected:
    void SetUp() override {
        com_ = CoInitialize(nullptr);
        list_ = new FakeDestinationList;
    }
    void TearDown() override {
        list_->Release();
        EXPECT_EQ(g_liveFakes, 0) << "a COM object was not released";
        if (SUCCEEDED(com_)) CoUninitialize();
    }

    // The fakes in place of the shell's objects.
    JumpListShell Factory() {
        JumpListShell shell;
        shell.createList = [this](ICustomDestinationList** list) {
            list_->AddRef();
            *list = list_;
            return S_OK;
        };
        shell.createCollection = [](IObjectCollection** collection) {
            *collection = new FakeCollection;
            return S_OK;
        };
        shell.createLink = [](IShellLinkW** link) {
            *link = new FakeLink;
            return S_OK;
        };
        return shell;
    }

    static CProfileData Profile(const char16_t* name, int32_t icon) {
        CProfileData p;
        p.SetText(ProfileText::profileName, name);
        p.SetText(ProfileText::connectionName, u"LAN");
        p.Record().iconIndex = icon;
        return p;
    }

    CProfileCollection TwoProfiles() {
        CProfileCollection profiles;
        profiles.Add(Profile(u"A", 2));
        profiles.Add(Profile(u"B", -1));
        return profiles;
    }

    HRESULT com_ = E_FAIL;
    FakeDestinationList* list_ = nullptr;
};

using Calls = std::vector<std::string>;

TEST_F(JumpList, TwoProfilesGiveTwoTasksUnderTheTaskbarIdentity) {
    const CProfileCollection profiles = TwoProfiles();
    ASSERT_TRUE(RefreshJumpList(&profiles, false, Factory()));
    EXPECT_EQ(list_->calls, (Calls{"SetAppID", "BeginList", "AddUserTasks", "CommitList"}));
    EXPECT_EQ(list_->appId, L"TOLVIK_NETWORK_CHANGER.FOR.WINDOWS_SEVEN");
    ASSERT_EQ(list_->tasks.size(), 2u);
    const std::wstring program = ProgramPath();
    EXPECT_EQ(list_->tasks[0].title, L"A");
    EXPECT_EQ(list_->tasks[0].arguments, L"/RunProfile1");
    EXPECT_EQ(list_->tasks[0].icon, -165);
    EXPECT_EQ(_wcsicmp(list_->tasks[0].path.c_str(), program.c_str()), 0) << testsupport::Narrow(list_->tasks[0].path);
    EXPECT_EQ(_wcsicmp(list_->tasks[0].iconPath.c_str(), program.c_str()), 0);
    EXPECT_EQ(list_->tasks[0].description,
              L"ネットワーク接続名\r\n  LAN\r\nTCP/IP設定\r\n  接続方法：DHCP接続\r\n  DNSサーバ取得方法：自動取得\r\n");
    EXPECT_EQ(list_->tasks[1].title, L"B");
    EXPECT_EQ(list_->tasks[1].arguments, L"/RunProfile2");
    EXPECT_EQ(list_->tasks[1].icon, -163);
    EXPECT_FALSE(list_->tasks[0].separator);
    EXPECT_EQ(list_->tasks[0].calls, (Calls{"SetPath", "SetArguments", "SetDescription", "SetIconLocation",
                                           "SetValue(Title)", "Commit"}));
}

TEST_F(JumpList, AtExitASeparatorAndTheBulkEditToolFollow) {
    const CProfileCollection profiles = TwoProfiles();
    ASSERT_TRUE(RefreshJumpList(&profiles, true, Factory()));
    ASSERT_EQ(list_->tasks.size(), 4u);
    EXPECT_TRUE(list_->tasks[2].separator);
    EXPECT_EQ(list_->tasks[2].calls, (Calls{"SetValue(Separator)", "Commit"}));
    const SeenTask& tool = list_->tasks[3];
    const std::wstring expected = testsupport::ExeDir() + L"\\Tolvik_EditProfile.exe";
    EXPECT_EQ(_wcsicmp(tool.path.c_str(), expected.c_str()), 0) << testsupport::Narrow(tool.path);
    EXPECT_EQ(tool.arguments, L"");
    EXPECT_EQ(tool.title, L"Relabrin");
    EXPECT_EQ(tool.description, L"Relabrin");
    EXPECT_EQ(tool.icon, -128);
    EXPECT_EQ(_wcsicmp(tool.iconPath.c_str(), expected.c_str()), 0);
    // The target is the real tool, with the icon resource the task shows.
    HMODULE target = LoadLibraryExW(tool.path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(target, nullptr) << "no program at the task's target";
    EXPECT_NE(FindResourceW(target, MAKEINTRESOURCEW(128), RT_GROUP_ICON), nullptr);
    EXPECT_NE(FindResourceW(target, MAKEINTRESOURCEW(400), RT_DIALOG), nullptr) << "not the tool's window";
    FreeLibrary(target);
}

TEST_F(JumpList, NoProfilesCommitsAnEmptyList) {
    ASSERT_TRUE(RefreshJumpList(nullptr, false, Factory()));
    EXPECT_EQ(list_->calls, (Calls{"SetAppID", "BeginList", "AddUserTasks", "CommitList"}));
    EXPECT_TRUE(list_->tasks.empty());
}

TEST_F(JumpList, FailuresOfTheListAreFailuresButAMissingListIsNot) {
    list_->commitResult = E_FAIL;
    EXPECT_FALSE(RefreshJumpList(nullptr, false, Factory()));
    list_->commitResult = S_OK;
    list_->beginListResult = E_ACCESSDENIED;
    EXPECT_FALSE(RefreshJumpList(nullptr, false, Factory()));
    list_->beginListResult = E_NOTIMPL;
    EXPECT_TRUE(RefreshJumpList(nullptr, false, Factory()));
    list_->beginListResult = S_OK;
    list_->setAppIdResult = E_FAIL;
    list_->calls.clear();
    EXPECT_FALSE(RefreshJumpList(nullptr, false, Factory()));
    EXPECT_EQ(list_->calls, (Calls{"SetAppID"}));
    JumpListShell absent = Factory();
    absent.createList = [](ICustomDestinationList** list) {
        *list = nullptr;
        return REGDB_E_CLASSNOTREG;
    };
    EXPECT_TRUE(RefreshJumpList(nullptr, false, absent));
    absent.createList = [](ICustomDestinationList** list) {
        *list = nullptr;
        return E_OUTOFMEMORY;
    };
    EXPECT_FALSE(RefreshJumpList(nullptr, false, absent));
}

TEST_F(JumpList, AFailedTaskStillCommitsTheListWithoutTasks) {
    const CProfileCollection profiles = TwoProfiles();
    JumpListShell shell = Factory();
    int links = 0;
    shell.createLink = [&links](IShellLinkW** link) {
        *link = nullptr;
        if (++links == 2) return E_OUTOFMEMORY;
        *link = new FakeLink;
        return S_OK;
    };
    EXPECT_TRUE(RefreshJumpList(&profiles, false, shell));
    EXPECT_EQ(list_->calls, (Calls{"SetAppID", "BeginList", "CommitList"}));
    EXPECT_TRUE(list_->tasks.empty());
}

TEST_F(JumpList, TheManagerKeepsAtMostTwelveTasks) {
    CJumpListManager manager(Factory());
    JumpListTask task;
    task.title = u"t";
    for (int i = 0; i < 12; ++i) EXPECT_TRUE(manager.AddTask(task));
    EXPECT_FALSE(manager.AddTask(task));
    EXPECT_EQ(manager.TaskCount(), 12);
    manager.ClearTasks();
    EXPECT_EQ(manager.TaskCount(), 0);
    manager.AddTask(JumpListTask());  // an empty entry is never published
    ASSERT_TRUE(manager.Publish(false));
    EXPECT_TRUE(list_->tasks.empty());
}

// A system whose destination list cannot take the taskbar identity (Wine's
// answers E_NOTIMPL) has no jump list to maintain: nothing more is asked of
// the list, and that is no failure.
TEST_F(JumpList, AListThatCannotTakeTheIdentityIsLeftAloneWithoutFailing) {
    list_->setAppIdResult = E_NOTIMPL;
    const CProfileCollection profiles = TwoProfiles();
    EXPECT_TRUE(RefreshJumpList(&profiles, true, Factory()));
    EXPECT_EQ(list_->calls, (Calls{"SetAppID"}));
    EXPECT_TRUE(list_->tasks.empty());
}

}  // namespace
