#include "tests/wine/support/RegistrySeed.h"

#include "tests/wine/support/TestSupport.h"

namespace {

const wchar_t kSeedMutex[] = L"Local\\OrtivoTestRegistrySeed";
constexpr DWORD kTurnWaitMs = 120000;

bool KeyExists(HKEY root, const std::wstring& path) {
    CRegKey key;
    return RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

bool StartsWithKey(const std::wstring& path, const std::wstring& ancestor) {
    return path.size() >= ancestor.size() && _wcsnicmp(path.c_str(), ancestor.c_str(), ancestor.size()) == 0 &&
           (path.size() == ancestor.size() || path[ancestor.size()] == L'\\');
}

CRegistrySeed::Result Failed(const char* what, HKEY root, const std::wstring& path, const wchar_t* name, LONG rc) {
    const char* rootName = root == HKEY_LOCAL_MACHINE ? "HKLM" : root == HKEY_CURRENT_USER ? "HKCU" : "HK?";
    return ::testing::AssertionFailure() << what << " " << rootName << "\\" << testsupport::Narrow(path) << "\\"
                                         << testsupport::Narrow(name) << " failed (error " << rc << ")";
}

}  // namespace

CRegistrySeed::CRegistrySeed() : mutex_(CreateMutexW(nullptr, FALSE, kSeedMutex)) {
    if (mutex_.Valid()) WaitForSingleObject(mutex_.Get(), kTurnWaitMs);  // an abandoned turn is ours too
}

CRegistrySeed::~CRegistrySeed() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) Restore(*it);
    for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
        RegDeleteTreeW(it->root, it->path.c_str());  // what lies below
        RegDeleteKeyW(it->root, it->path.c_str());   // and the key itself
    }
    if (mutex_.Valid()) ReleaseMutex(mutex_.Get());
}

bool CRegistrySeed::IsCreatedHere(HKEY root, const std::wstring& path) const {
    for (const CreatedKey& k : created_)
        if (k.root == root && StartsWithKey(path, k.path)) return true;
    return false;
}

LONG CRegistrySeed::OpenForWriting(HKEY root, const std::wstring& path, CRegKey& key) {
    if (!IsCreatedHere(root, path)) {
        // The topmost missing key along the path is the one to delete later.
        for (std::size_t pos = 0; pos != std::wstring::npos;) {
            pos = path.find(L'\\', pos + 1);
            const std::wstring prefix = path.substr(0, pos);
            if (!KeyExists(root, prefix)) {
                created_.push_back(CreatedKey{root, prefix});
                break;
            }
        }
    }
    return RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                           key.Receive(), nullptr);
}

void CRegistrySeed::Save(HKEY key, HKEY root, const std::wstring& path, const wchar_t* name) {
    if (IsCreatedHere(root, path)) return;  // goes away with its key
    for (const SavedValue& v : saved_)
        if (v.root == root && _wcsicmp(v.path.c_str(), path.c_str()) == 0 && _wcsicmp(v.name.c_str(), name) == 0)
            return;  // the first contents count
    SavedValue v{root, path, name, false, REG_NONE, {}};
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
        v.data.resize(size);
        v.existed = RegQueryValueExW(key, name, nullptr, &v.type, v.data.data(), &size) == ERROR_SUCCESS;
        v.data.resize(size);
    }
    saved_.push_back(v);
}

void CRegistrySeed::Restore(const SavedValue& v) const {
    CRegKey key;
    if (RegOpenKeyExW(v.root, v.path.c_str(), 0, KEY_SET_VALUE, key.Receive()) != ERROR_SUCCESS) return;
    if (v.existed)
        RegSetValueExW(key.Get(), v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
    else
        RegDeleteValueW(key.Get(), v.name.c_str());
}

CRegistrySeed::Result CRegistrySeed::SetBytes(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type,
                                              const void* data, DWORD size) {
    CRegKey key;
    LONG rc = OpenForWriting(root, path, key);
    if (rc != ERROR_SUCCESS) return Failed("opening the key of", root, path, name, rc);
    Save(key.Get(), root, path, name);
    rc = RegSetValueExW(key.Get(), name, 0, type, static_cast<const BYTE*>(data), size);
    return rc == ERROR_SUCCESS ? ::testing::AssertionSuccess() : Failed("setting", root, path, name, rc);
}

CRegistrySeed::Result CRegistrySeed::SetString(HKEY root, const std::wstring& path, const wchar_t* name,
                                               const std::wstring& value, DWORD type) {
    return SetBytes(root, path, name, type, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

CRegistrySeed::Result CRegistrySeed::SetMultiString(HKEY root, const std::wstring& path, const wchar_t* name,
                                                    const std::vector<std::wstring>& entries) {
    std::wstring block;
    for (const std::wstring& e : entries) block += e + L'\0';
    block += L'\0';
    return SetBytes(root, path, name, REG_MULTI_SZ, block.data(), static_cast<DWORD>(block.size() * sizeof(wchar_t)));
}

CRegistrySeed::Result CRegistrySeed::SetDword(HKEY root, const std::wstring& path, const wchar_t* name, DWORD value) {
    return SetBytes(root, path, name, REG_DWORD, &value, sizeof(value));
}

CRegistrySeed::Result CRegistrySeed::DeleteValue(HKEY root, const std::wstring& path, const wchar_t* name) {
    CRegKey key;
    LONG rc = OpenForWriting(root, path, key);
    if (rc != ERROR_SUCCESS) return Failed("opening the key of", root, path, name, rc);
    Save(key.Get(), root, path, name);
    rc = RegDeleteValueW(key.Get(), name);
    if (rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND) return ::testing::AssertionSuccess();
    return Failed("deleting", root, path, name, rc);
}

CRegistrySeed::Result CRegistrySeed::Preserve(HKEY root, const std::wstring& path, const wchar_t* name) {
    CRegKey key;
    const LONG rc = OpenForWriting(root, path, key);
    if (rc != ERROR_SUCCESS) return Failed("opening the key of", root, path, name, rc);
    Save(key.Get(), root, path, name);
    return ::testing::AssertionSuccess();
}

void CRegistrySeed::PreserveKey(HKEY root, const std::wstring& path) {
    if (!IsCreatedHere(root, path) && !KeyExists(root, path)) created_.push_back(CreatedKey{root, path});
}

bool ReadRegistryValue(HKEY root, const std::wstring& path, const wchar_t* name, DWORD* type,
                       std::vector<BYTE>* data) {
    CRegKey key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return false;
    DWORD size = 0;
    bool ok = RegQueryValueExW(key.Get(), name, nullptr, type, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        data->assign(size, 0);
        ok = RegQueryValueExW(key.Get(), name, nullptr, type, data->empty() ? nullptr : data->data(), &size) ==
             ERROR_SUCCESS;
        data->resize(size);
    }
    return ok;
}

long long RegistryDword(HKEY root, const std::wstring& path, const wchar_t* name) {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    if (!ReadRegistryValue(root, path, name, &type, &data) || type != REG_DWORD || data.size() != sizeof(DWORD))
        return -1;
    DWORD value = 0;
    memcpy(&value, data.data(), sizeof(value));
    return value;
}

std::wstring RegistryString(HKEY root, const std::wstring& path, const wchar_t* name) {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    if (!ReadRegistryValue(root, path, name, &type, &data) || type != REG_SZ) return L"(none)";
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

std::wstring AdapterTcpipKey(const std::wstring& guid) {
    return L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\" + guid;
}

std::wstring AdapterConnectionKey(const std::wstring& guid) {
    return L"SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}\\" + guid +
           L"\\Connection";
}
