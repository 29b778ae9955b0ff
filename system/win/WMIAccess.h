#pragma once
#include <windows.h>
#include <wbemidl.h>

#include <string>

#include "framework/Object.h"

// The application's connection to WMI ("\\.\root\cimv2").
class CWMIAccess : public CObject {
public:
    CWMIAccess();   // CoInitializeEx(NULL, COINIT_MULTITHREADED), result not checked
    ~CWMIAccess() override;  // Release()

    int Connect();  // 0 or -1
    // Win32_NetworkAdapter with this MAC text has NetConnectionStatus 2.
    // MAC texts are compared without regard to letter case.
    bool IsConnected(const std::wstring& macText);
    void Release();  // safe to call twice

private:
    IWbemLocator* locator_ = nullptr;
    IWbemServices* services_ = nullptr;
    BSTR nameSpace_ = nullptr;
    IEnumWbemClassObject* enumerator_ = nullptr;
    IWbemClassObject* object_ = nullptr;
};
