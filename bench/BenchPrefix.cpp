#include "bench/BenchPrefix.h"

#include <shlobj.h>

#include "framework/win/WideText.h"
#include "profile/win/ProfileFileAccess.h"
#include "system/win/RegAccess.h"
#include "tests/wine/support/TestSupport.h"

namespace bench {
namespace {

constexpr uint32_t kNetwork = 0xC0A80000;  // 192.168.0.0/24

std::wstring KeptFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"ortivo-bench";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

CProfileData BenchProfile(int number) {
    CProfileData profile;
    profile.Record().profileId = number;  // the collection hands out its own; the applier needs one
    profile.SetText(ProfileText::profileName, T(L"Bench " + std::to_wstring(number)));
    profile.SetText(ProfileText::connectionName, u"Ortivo Bench LAN");
    profile.Record().iconIndex = number % 6;
    if (number == 2) profile.Record().proxyMode = 0;  // no proxy; the others leave it as it is
    profile.Record().ipMode = 1;
    profile.Record().ipAddress = kNetwork | static_cast<uint32_t>(10 + number % 200);
    profile.Record().subnetMask = 0xFFFFFF00;
    profile.Record().defaultGateway = kNetwork | 1;
    profile.Record().dnsMode = 1;
    profile.Record().preferredDns = kNetwork | 1;
    return profile;
}

}  // namespace

bool PreparePrefix() {
    const std::wstring dataFile = CommonDataFilePath();
    if (dataFile.empty()) return false;
    SHCreateDirectoryExW(nullptr, dataFile.substr(0, dataFile.rfind(L'\\')).c_str(), nullptr);
    testsupport::UseRecordLog(KeptFolder() + L"\\record.log");
    return CRegAccess().WriteHideHints(1) >= 0 &&
           testsupport::InstallStandIn(testsupport::SystemDir() + L"\\netsh.exe") &&
           testsupport::InstallStandIn(testsupport::SystemDir() + L"\\ipconfig.exe");
}

std::wstring MakeProfileFile(int count) {
    CProfileCollection profiles;
    for (int i = 1; i <= count; ++i) profiles.Add(BenchProfile(i));
    const std::wstring kept = KeptFolder() + L"\\profiles-" + std::to_wstring(count) + L".dat";
    CProfileFileAccess file(profiles, testsupport::ExeDir());
    if (file.Write() != 0 || !CopyFileW(file.DataFilePath().c_str(), kept.c_str(), FALSE)) return {};
    return kept;
}

bool UseProfileFile(const std::wstring& keptFile) {
    // A link, not a copy: a copy of 26 MB would still be written out to the
    // disk during the next starts and slow them down.
    const std::wstring dataFile = CommonDataFilePath();
    DeleteFileW(dataFile.c_str());
    const bool placed = CreateHardLinkW(dataFile.c_str(), keptFile.c_str(), nullptr) ||
                        CopyFileW(keptFile.c_str(), dataFile.c_str(), FALSE);
    return placed && CRegAccess().StoreDatData() == 1;
}

}  // namespace bench
