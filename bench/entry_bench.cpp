// Start-up and switch benchmark of the main program under Wine (bench/run.sh).
//
//   ortivo_bench [--runs N] [--only start|profiles|switch|service|arrival] [--program FILE]
//       N alternating runs of each measurement (default 7); --only runs one
//       part; --program measures another build of the main program, copied
//       beside this one under the name FILE
//
// 1. Start to the first visible window and working set: the main program
//    and the floor program (ortivo_floor), alternately, with 3 profiles.
// 2. Start of the main program with 3, 250, 500 and 1,000 profiles, in turn.
// 3. A switch: start with /RunProfile1 (fixed address, no checks) to message
//    169. What it takes from the visible main dialog to message 169 beyond
//    the setting applier's run (from its creation to its end: its commands
//    and its 5 s pause) and the 1 s full bar is its overhead. The same for
//    /RunProfile2, which also sets the proxy (WinINet is loaded for it).
// 4. The same switch (/RunProfile1) through the setting service and through
//    the applier, alternately in one run: the service is registered and
//    running for the one and removed for the other. From the visible main
//    dialog to message 169; both include the 5 s pause and the full bar.
// 5. Arriving is switching (bench/Arrival.h), in the test network only: run
//    alone with --only arrival.
// Prints the medians, the ratios and the goals.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bench/Arrival.h"
#include "bench/BenchPrefix.h"
#include "bench/Median.h"
#include "bench/ProcessTimer.h"
#include "tests/wine/support/SettingServiceHost.h"
#include "tests/wine/support/TestSupport.h"

namespace {

using bench::Fastest;
using bench::Median;

constexpr int kProfileCounts[] = {3, 250, 500, 1000};
constexpr double kFullBarMs = 1000;
constexpr wchar_t kSwitchDone[] = L"ネットワーク設定の切替えを完了しました。";

struct StartSeries {
    std::vector<double> ms, mb;
    void Add(const bench::StartFigures& f) {
        ms.push_back(f.visibleMs);
        mb.push_back(f.workingSetMb);
    }
};

std::wstring Program(const wchar_t* name) { return testsupport::ExeDir() + L"\\" + name; }

// The main program under measurement (--program).
const wchar_t* g_main = L"Tolvik_Network.exe";

bool Measure(StartSeries& series, const wchar_t* program, const wchar_t* arguments = L"") {
    const bench::StartFigures f = bench::MeasureStart(Program(program), arguments);
    if (!f.ok) std::fwprintf(stderr, L"%ls did not start\n", program);
    else series.Add(f);
    return f.ok;
}

const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

// 1. The main program against the floor, in alternating order.
bool CompareWithFloor(int runs, const std::wstring& threeProfiles) {
    StartSeries main, floor;
    if (!bench::UseProfileFile(threeProfiles)) return false;
    for (int run = 0; run < runs; ++run) {
        const bool mainFirst = run % 2 == 0;
        if (!Measure(mainFirst ? main : floor, mainFirst ? g_main : L"ortivo_floor.exe")) return false;
        if (!Measure(mainFirst ? floor : main, mainFirst ? L"ortivo_floor.exe" : g_main)) return false;
    }
    std::printf("start to visible main dialog:  main %7.1f ms   floor %7.1f ms   ratio %.2f (goal <= 1.15: %s)\n",
                Median(main.ms), Median(floor.ms), Median(main.ms) / Median(floor.ms),
                Verdict(Median(main.ms) <= 1.15 * Median(floor.ms)));
    const double fastestMain = Fastest(main.ms);
    const double fastestFloor = Fastest(floor.ms);
    std::printf("  fastest runs:                main %7.1f ms   floor %7.1f ms   ratio %.2f\n", fastestMain,
                fastestFloor, fastestMain / fastestFloor);
    std::printf("working set after start:       main %7.1f MB   floor %7.1f MB   ratio %.2f (goal <= 1.10: %s)\n",
                Median(main.mb), Median(floor.mb), Median(main.mb) / Median(floor.mb),
                Verdict(Median(main.mb) <= 1.10 * Median(floor.mb)));
    return true;
}

// 2. Starts with growing data files, each size in turn within a run.
bool CompareProfileCounts(int runs, const std::map<int, std::wstring>& files) {
    std::map<int, StartSeries> series;
    for (int run = 0; run < runs; ++run)
        for (std::size_t i = 0; i < std::size(kProfileCounts); ++i) {
            const int count = kProfileCounts[(i + static_cast<std::size_t>(run)) % std::size(kProfileCounts)];
            if (!bench::UseProfileFile(files.at(count)) || !Measure(series[count], g_main))
                return false;
        }
    const double base = Median(series[3].ms);
    for (const int count : kProfileCounts)
        std::printf("start with %4d profiles:       %7.1f ms   %6.1f MB   added %6.1f ms   fastest %7.1f ms\n", count,
                    Median(series[count].ms), Median(series[count].mb), Median(series[count].ms) - base,
                    Fastest(series[count].ms));
    const double added = Median(series[1000].ms) - base;
    std::printf("1,000 profiles add %.1f ms (goal <= 300: %s); per 250 profiles: %.1f, %.1f, %.1f ms\n", added,
                Verdict(added <= 300), Median(series[250].ms) - base, Median(series[500].ms) - Median(series[250].ms),
                (Median(series[1000].ms) - Median(series[500].ms)) / 2);
    return true;
}

struct SwitchSeries {
    std::vector<double> toMessage, applier, overhead;
};

// One switch started from the command line, timed from the visible main
// dialog to message 169: the setting applier's run (its commands and its
// pause) and the 1 s full bar are fixed; the rest, before the applier
// starts and after it ends, is the switch's own.
bool RunSwitch(int number, SwitchSeries& series) {
    const bench::MessageFigures f = bench::MeasureUntilMessage(
        Program(g_main), L"/RunProfile" + std::to_wstring(number), kSwitchDone, L"Tolvik_NetworkSetting.exe");
    if (!f.ok || !f.childSeen) return false;
    series.toMessage.push_back(f.messageMs);
    series.applier.push_back(f.childEndMs - f.childStartMs);
    series.overhead.push_back((f.childStartMs - f.dialogMs) + (f.messageMs - f.childEndMs - kFullBarMs));
    return true;
}

void PrintSwitch(const char* what, const SwitchSeries& series) {
    const double overhead = Median(series.overhead);
    std::printf("switch %s: start to message 169 %7.1f ms, applier's run %7.1f ms\n", what,
                Median(series.toMessage), Median(series.applier));
    std::printf("  main dialog to message 169 beyond the applier's run and the full bar: %.1f ms (goal <= 100: %s)\n",
                overhead, Verdict(overhead <= 100));
}

// 3. Switches from the command line, in turn: profile 1 leaves the proxy as
//    it is, profile 2 sets "no proxy".
bool MeasureSwitch(int runs, const std::wstring& threeProfiles) {
    SwitchSeries unchangedProxy, noProxy;
    if (!bench::UseProfileFile(threeProfiles)) return false;
    for (int run = 0; run < runs; ++run) {
        const bool firstFirst = run % 2 == 0;
        if (!RunSwitch(firstFirst ? 1 : 2, firstFirst ? unchangedProxy : noProxy) ||
            !RunSwitch(firstFirst ? 2 : 1, firstFirst ? noProxy : unchangedProxy))
            return false;
    }
    PrintSwitch("/RunProfile1 (proxy left as it is)", unchangedProxy);
    PrintSwitch("/RunProfile2 (proxy set to none)", noProxy);
    return true;
}

// 4. The switch through the setting service beside the switch through the
//    applier.
bool CompareSettingPaths(int runs, const std::wstring& threeProfiles) {
    std::vector<double> service, applier;
    if (!bench::UseProfileFile(threeProfiles)) return false;
    for (int run = 0; run < 2 * runs; ++run) {
        const bool throughService = run % 2 == 0;
        std::optional<testsupport::CRunningSettingService> running;
        if (throughService && !running.emplace().Running()) return false;
        const bench::MessageFigures f = bench::MeasureUntilMessage(Program(g_main), L"/RunProfile1", kSwitchDone,
                                                                   L"Tolvik_NetworkSetting.exe");
        // Through the service no applier may start; through the applier it must.
        if (!f.ok || f.childSeen == throughService) return false;
        (throughService ? service : applier).push_back(f.messageMs - f.dialogMs);
    }
    std::printf("switch /RunProfile1, main dialog to message 169: through the service %7.1f ms, through the applier "
                "%7.1f ms (service - applier %+.1f ms)\n",
                Median(service), Median(applier), Median(service) - Median(applier));
    return true;
}

// The value after `name` on the command line, or empty.
std::wstring Option(int argc, wchar_t** argv, const wchar_t* name) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wcscmp(argv[i], name) == 0) return argv[i + 1];
    return {};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring runsText = Option(argc, argv, L"--runs");
    const int runs = runsText.empty() ? 7 : std::max(1, _wtoi(runsText.c_str()));
    const std::wstring only = Option(argc, argv, L"--only");
    const auto wanted = [&](const wchar_t* part) { return only.empty() || only == part; };
    const std::wstring program = Option(argc, argv, L"--program");
    if (!program.empty()) g_main = program.c_str();
    if (!bench::PreparePrefix()) {
        std::fprintf(stderr, "the prefix could not be prepared\n");
        return 1;
    }
    if (only == L"arrival") return bench::MeasureArrival(runs) ? 0 : 1;
    std::map<int, std::wstring> files;
    for (const int count : kProfileCounts)
        if ((files[count] = bench::MakeProfileFile(count)).empty()) {
            std::fprintf(stderr, "no data file of %d profiles\n", count);
            return 1;
        }
    std::printf("%ls: medians of %d alternating runs each\n", g_main, runs);
    const bool ok = (!wanted(L"start") || CompareWithFloor(runs, files[3])) &&
                    (!wanted(L"profiles") || CompareProfileCounts(runs, files)) &&
                    (!wanted(L"switch") || MeasureSwitch(runs, files[3])) &&
                    (!wanted(L"service") || CompareSettingPaths(runs, files[3]));
    std::fflush(stdout);
    return ok ? 0 : 1;
}
