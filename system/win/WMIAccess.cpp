#include "system/win/WMIAccess.h"

#include "framework/win/WideText.h"
#include "system/MacText.h"

namespace {

// WbemAdministrativeLocator.
const CLSID kAdministrativeLocator = {0xCB8555CC, 0x9128, 0x11D1, {0xAD, 0x9B, 0x00, 0xC0, 0x4F, 0xD8, 0xFD, 0xFF}};
const IID kWbemLocator = {0xDC12A687, 0x737F, 0x11CF, {0x88, 0x4D, 0x00, 0xAA, 0x00, 0x4B, 0x2E, 0x24}};
constexpr LONG kNetConnectionConnected = 2;

template <typename T>
void ReleaseAndClear(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

// A property read from a WMI object, cleared when the owner goes.
class Property {
public:
    Property(IWbemClassObject* object, const wchar_t* name) {
        VariantInit(&value_);
        if (FAILED(object->Get(name, 0, &value_, nullptr, nullptr))) VariantInit(&value_);
    }
    ~Property() { VariantClear(&value_); }
    Property(const Property&) = delete;
    Property& operator=(const Property&) = delete;

    const VARIANT& Value() const { return value_; }

private:
    VARIANT value_;
};

// Is this adapter the one with the MAC text? `connected` receives its state.
bool Matches(IWbemClassObject* adapter, const std::wstring& macText, bool& connected) {
    const Property mac(adapter, L"MACAddress");
    if (mac.Value().vt != VT_BSTR || !mac.Value().bstrVal) return false;
    if (!mactext::Same(T(mac.Value().bstrVal), T(macText))) return false;
    const Property status(adapter, L"NetConnectionStatus");
    connected = status.Value().vt == VT_I4 && status.Value().lVal == kNetConnectionConnected;
    return true;
}

}  // namespace

CWMIAccess::CWMIAccess() { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }

CWMIAccess::~CWMIAccess() { Release(); }

int CWMIAccess::Connect() {
    Release();
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_DEFAULT, RPC_C_IMP_LEVEL_IMPERSONATE,
                         nullptr, EOAC_NONE, nullptr);
    bool ok = SUCCEEDED(CoCreateInstance(kAdministrativeLocator, nullptr, CLSCTX_INPROC_SERVER, kWbemLocator,
                                         reinterpret_cast<void**>(&locator_)));
    if (ok) {
        nameSpace_ = SysAllocString(L"\\\\.\\root\\cimv2");
        ok = nameSpace_ != nullptr;
    }
    ok = ok && SUCCEEDED(locator_->ConnectServer(nameSpace_, nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                                 &services_));
    ok = ok && SUCCEEDED(CoSetProxyBlanket(services_, RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                                           RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, EOAC_NONE));
    if (ok) return 0;
    Release();
    return -1;
}

bool CWMIAccess::IsConnected(const std::wstring& macText) {
    if (!services_) return false;
    ReleaseAndClear(object_);
    ReleaseAndClear(enumerator_);
    BSTR className = SysAllocString(L"Win32_NetworkAdapter");
    if (!className) return false;
    const HRESULT hr = services_->CreateInstanceEnum(className, WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_SHALLOW, nullptr,
                                                     &enumerator_);
    SysFreeString(className);
    if (FAILED(hr) || !enumerator_) return false;
    for (;;) {
        ReleaseAndClear(object_);
        ULONG returned = 0;
        if (enumerator_->Next(static_cast<LONG>(WBEM_INFINITE), 1, &object_, &returned) != WBEM_S_NO_ERROR ||
            returned == 0)
            return false;
        bool connected = false;
        if (Matches(object_, macText, connected)) return connected;
    }
}

void CWMIAccess::Release() {
    ReleaseAndClear(object_);
    ReleaseAndClear(enumerator_);
    ReleaseAndClear(services_);
    if (nameSpace_) SysFreeString(nameSpace_);
    nameSpace_ = nullptr;
    ReleaseAndClear(locator_);
}
