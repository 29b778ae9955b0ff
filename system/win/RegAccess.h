#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/Object.h"

// The program's per-user settings key below HKEY_CURRENT_USER.
inline constexpr wchar_t kSettingsKeyPath[] = L"SOFTWARE\\Valtrecossin\\Ortivo\\3.00.000";

// The program's per-user settings, the autorun entry and the Internet
// Explorer version. Each operation opens its key and closes it again.
class CRegAccess : public CObject {
public:
    CRegAccess();
    ~CRegAccess() override = default;

    bool ReadShowSetting();
    int WriteShowSetting(int on);  // on 1: value 1, result 1; on 0: delete, result 0; -1 failure/other
    bool ReadHideHints();
    int WriteHideHints(int on);
    bool ReadDatData(uint8_t (&digest)[20]);
    int StoreDatData();            // digest of the data file into "DatData": 1 stored, -1 not
    int StoreDatData(const uint8_t (&digest)[20]);  // this digest into "DatData": 1 stored, -1 not
    int ReadAutoRun();             // 1 when the Run value "Tolvik_Network" exists as REG_SZ, else 0
    // The per-user Run value in its form (AutoRunCommandLine) for the
    // program in `programFolder`, or none: 1 written, 0 removed, -1 failure.
    int WriteAutoRun(bool on, const std::wstring& programFolder);
    // 1 when the package starts the program at logon for every user (the
    // machine's Run value "Tolvik_Network", REG_SZ), else 0.
    int ReadMachineAutoRun();
    int ReadIeMajorVersion();      // leading digits of "Version"; 0 when missing

private:
    HKEY autoRunRoot_;
    HKEY hideHintsRoot_;
    HKEY showSettingRoot_;
    HKEY datDataRoot_;
};
