#include "bench/Arrival.h"

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <string>
#include <cstdio>
#include <vector>

#include "bench/Median.h"
#include "framework/win/WideText.h"
#include "profile/ProfileCollection.h"
#include "profile/win/ProfileFileAccess.h"
#include "switching/win/NetworkWatcher.h"
#include "tests/wine/support/GuiDriver.h"
#include "tests/wine/support/TestNetwork.h"
#include "tests/wine/support/TestNetworkLaptop.h"
#include "tests/wine/support/TestSupport.h"

namespace bench {

namespace {

constexpr DWORD kIdleMs = 60000;
constexpr wchar_t kQuestion[] = L"接続したネットワークに合うプロファイル[サイトB予備]を適用しますか？";

double MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Wine keeps no CPU times of its processes: they are read from Linux's
// /proc (drive Z:), for the Unix process whose command line names the
// program, summed over its threads: CPU time and wake-ups (voluntary
// context switches).
struct UnixFigures {
    double cpuMs = 0;
    double wakeUps = 0;
};

std::string FileText(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    return testsupport::ReadFileBytes(path, &bytes) ? std::string(bytes.begin(), bytes.end()) : std::string();
}

std::wstring UnixProcessOf(const std::string& program) {
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (find == INVALID_HANDLE_VALUE) return std::wstring();
    std::wstring folder;
    do {
        const std::wstring candidate = std::wstring(L"Z:\\proc\\") + found.cFileName;
        if (iswdigit(found.cFileName[0]) && FileText(candidate + L"\\cmdline").find(program) != std::string::npos)
            folder = candidate;
    } while (folder.empty() && FindNextFileW(find, &found));
    FindClose(find);
    return folder;
}

UnixFigures UnixFiguresOf(const std::wstring& process) {
    UnixFigures figures;
    const std::string stat = FileText(process + L"\\stat");
    const std::size_t afterName = stat.rfind(')');
    unsigned long long utime = 0, stime = 0;
    if (afterName != std::string::npos &&
        std::sscanf(stat.c_str() + afterName + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &utime,
                    &stime) == 2)
        figures.cpuMs = static_cast<double>(utime + stime) * 1000.0 / 100.0;  // USER_HZ
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((process + L"\\task\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return figures;
    do {
        if (!iswdigit(found.cFileName[0])) continue;
        const std::string status = FileText(process + L"\\task\\" + found.cFileName + L"\\status");
        const std::size_t at = status.find("voluntary_ctxt_switches:");
        if (at != std::string::npos && (at == 0 || status[at - 1] == '\n'))
            figures.wakeUps += std::atof(status.c_str() + at + std::strlen("voluntary_ctxt_switches:"));
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return figures;
}

bool WriteFallbackProfile(const AdapterInfo& lan) {
    CProfileData siteB = testsupport::TestNetworkProfile(lan, testsupport::Ip(198, 51, 100, 1));
    siteB.SetText(ProfileText::profileName, u"サイトB予備");
    siteB.Record().checkDhcp = siteB.Record().checkPingGateway = 0;
    siteB.Extension().fallback = ProfileExtension::Fallback::NoDhcp;
    CProfileCollection profiles;
    profiles.Add(siteB);
    return CProfileFileAccess(profiles, testsupport::ExeDir()).Write() == 0;
}

// On site A with a lease, then to site B: plug to the question.
bool OneArrival(DWORD processId, std::vector<double>& toQuestion) {
    if (testsupport::TestNetworkDo(L"plug a") != 0 || testsupport::TestNetworkDo(L"dhcp ortivo-lan") != 0) return false;
    Sleep(2 * CNetworkWatcher::kLookMs);  // the watcher has seen site A
    if (testsupport::TestNetworkDo(L"plug b") != 0) return false;
    const auto plugged = std::chrono::steady_clock::now();
    gui::MessageBoxInfo box;
    if (!gui::WaitForMessageBox(&box, processId)) return false;
    toQuestion.push_back(MsSince(plugged));
    return box.text == kQuestion && gui::Click(GetDlgItem(box.window, IDNO));
}

}  // namespace

bool MeasureArrival(int runs) {
    if (!testsupport::InTestNetwork()) {
        std::fprintf(stderr, "arrival: runs in the test network only (bench/run.sh --testnet)\n");
        return false;
    }
    const AdapterInfo lan = testsupport::TestNetworkLan();
    CRegistrySeed seed;
    if (lan.guid.empty() || !testsupport::SeedTestNetworkLan(seed, lan) || !testsupport::InstallApplierStandIns() ||
        !WriteFallbackProfile(lan)) {
        std::fprintf(stderr, "arrival: the laptop could not be prepared\n");
        return false;
    }
    gui::Program program = gui::StartProgram(testsupport::ExeDir() + L"\\Tolvik_Network.exe", L"/AutoRun");
    std::vector<double> toQuestion;
    for (int run = 0; run < runs; ++run)
        if (!OneArrival(program.Id(), toQuestion)) {
            std::fprintf(stderr, "arrival %d: no question after the cable went to site B\n", run + 1);
            return false;
        }
    // Idle: on site A with a lease, nothing changing.
    if (testsupport::TestNetworkDo(L"plug a") != 0 || testsupport::TestNetworkDo(L"dhcp ortivo-lan") != 0) return false;
    Sleep(2 * CNetworkWatcher::kLookMs);
    const std::wstring unixProcess = UnixProcessOf("Tolvik_Network.exe");
    const UnixFigures before = UnixFiguresOf(unixProcess);
    Sleep(kIdleMs);
    const UnixFigures after = UnixFiguresOf(unixProcess);
    program.Terminate();
    std::printf("arrival, cable into site B to the question: median %7.1f ms, fastest %7.1f ms (goal <= 5000: %s)\n",
                Median(toQuestion), Fastest(toQuestion), Median(toQuestion) <= 5000 ? "met" : "MISSED");
    std::printf("idle, hidden, one connection watched (%ls): %.0f ms CPU and %.0f wake-ups a minute, %lu looks\n",
                unixProcess.c_str(), after.cpuMs - before.cpuMs, after.wakeUps - before.wakeUps,
                static_cast<unsigned long>(60000 / CNetworkWatcher::kLookMs));
    return true;
}

}  // namespace bench
