#include "switching/win/HandoffWriter.h"

#include <sddl.h>

#include <string>
#include <vector>

#include "framework/win/UniqueHandle.h"
#include "switching/win/HandoffBlock.h"

namespace {

// The SID of the user this process runs as, as text; empty when unreadable.
std::wstring CurrentUserSid() {
    CKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Receive())) return std::wstring();
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size))
        return std::wstring();
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text))
        return std::wstring();
    CLocalMemory owned(text);
    return text;
}

std::wstring HandoffBlockSddl(const std::wstring& userSid) {
    // Full section access (SECTION_ALL_ACCESS) for the user and SYSTEM;
    // read control, query and map-for-reading for Administrators. The list
    // is protected: nothing is inherited into it.
    return L"D:P(A;;0xf001f;;;" + userSid + L")(A;;0xf001f;;;SY)(A;;0x20005;;;BA)";
}

// The block's security descriptor, in memory the system allocated.
bool MakeBlockSecurity(CLocalMemory& descriptor) {
    const std::wstring user = CurrentUserSid();
    if (user.empty()) return false;
    PSECURITY_DESCRIPTOR made = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(HandoffBlockSddl(user).c_str(), SDDL_REVISION_1,
                                                              &made, nullptr))
        return false;
    descriptor.Reset(made);
    return true;
}

HANDLE CreateNewHandoffBlock(std::size_t size) {
    CLocalMemory descriptor;
    if (!MakeBlockSecurity(descriptor)) return nullptr;
    SECURITY_ATTRIBUTES security = {sizeof(security), descriptor.Get(), FALSE};
    SetLastError(ERROR_SUCCESS);
    CKernelHandle mapping(CreateFileMappingW(INVALID_HANDLE_VALUE, &security, PAGE_READWRITE, 0,
                                             static_cast<DWORD>(size), HandoffBlockName()));
    if (mapping.Valid() && GetLastError() == ERROR_ALREADY_EXISTS) return nullptr;
    return mapping.Release();
}

}  // namespace

HANDLE WriteHandoffBlock(const HandoffImage& image) {
    if (image.size() < kHandoffExtensionOffset || image.size() > kHandoffMaxSize) return nullptr;
    CKernelHandle mapping(CreateNewHandoffBlock(image.size()));
    if (!mapping.Valid()) return nullptr;
    {
        HandoffView view(mapping.Get(), FILE_MAP_WRITE);
        if (view.Size() < image.size()) return nullptr;
        CopyMemory(view.Data(), image.data(), image.size());
    }
    return mapping.Release();
}
