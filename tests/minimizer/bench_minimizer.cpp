// Minimizer time for the slowest families of 7- and 8-variable functions. Each family is one
// benchmark that times every member on its own; the counters give the family's median, 90th
// percentile and slowest member in milliseconds (the benchmark's own time is the whole family
// once). The covering search's stats (qm::SolveStats), summed over the family's members that
// finished, follow: search nodes, exact relaxations, Lagrangian bounds, tie-break questions
// and the searches and nodes they took, the tie-breaks cut short, the counts and literal counts
// proven by probing and by cuts, and the time of each phase (members answered from the covers
// known in advance add nothing).
//
// Times are CPU time. Every member runs in a child process stopped at a cap of CPU time
// (--cap-ms=N, default 10 s); the counter over_cap tells how many members reached it, and they
// count at the cap.
// --with-hardest adds the 8-variable symmetric families (every totally symmetric function, each
// again with one don't-care count, and the bands with don't-care edges), the hardest covering
// problems met here. bench_minimizer --write-inputs DIR writes one input file per member of
// the usual families instead (with --with-hardest or --wide, of those), for timing the whole
// process with bench_process.sh or comparing two builds' answers (tools/compare_qm.sh).
// --wide runs the families beyond the usual ones instead (qm_bench::wideFamilies): transformed
// symmetric functions, don't-care-count sets, partly symmetric and dense random functions.

#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "minimizer/minimize.h"
#include "minimizer/symmetric_minima.h"
#include "tests/minimizer/function_families.h"

namespace {

constexpr int kRandomMembers = 30;

double cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

// One member's time and what its search did.
struct Measured {
    double milliseconds = 0.0;
    qm::SolveStats stats;
};

// What qm::minimize does, with the search's stats kept.
std::vector<logic::Cube> minimizeCounting(const logic::Function& function, qm::SolveStats& stats) {
    return qm::minimize(function, qm::Deadline::max(), nullptr, &stats);
}

Measured fastestOfFew(const logic::Function& function) {
    // CPU time, since the machine is shared; the fastest of a few runs, slow members once.
    Measured best{1e300, {}};
    for (int run = 0; run < 3; ++run) {
        qm::SolveStats stats;
        const double start = cpuMilliseconds();
        benchmark::DoNotOptimize(minimizeCounting(function, stats));
        const double time = cpuMilliseconds() - start;
        if (time < best.milliseconds) best = {time, stats};
        if (best.milliseconds > 50.0) break;
    }
    return best;
}

// CPU time a child process has used so far.
double childCpuMilliseconds(pid_t child) {
    std::ifstream in("/proc/" + std::to_string(child) + "/stat");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    if (close == std::string::npos) return 0.0;
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long user = 0, system = 0;
    // Fields 3 to 13 come before utime (14) and stime (15).
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) user = std::atol(field.c_str());
        if (i == 15) system = std::atol(field.c_str());
    }
    return static_cast<double>(user + system) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double capMilliseconds = 10000.0;

// Times one member in a child process, so that a member that runs for minutes is stopped once
// its CPU time passes the cap (and reported at the cap, without stats) instead of stalling the
// whole benchmark.
Measured measure(const logic::Function& function, bool& capped) {
    capped = false;
    int channel[2];
    if (pipe(channel) != 0) return fastestOfFew(function);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        const Measured measured = fastestOfFew(function);
        const bool sent = write(channel[1], &measured, sizeof measured) == sizeof measured;
        _exit(sent ? 0 : 1);
    }
    close(channel[1]);
    Measured time{capMilliseconds, {}};
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            if (read(channel[0], &time, sizeof time) != sizeof time) time = {capMilliseconds, {}};
            break;
        }
        const auto waited = std::chrono::steady_clock::now() - start;
        if (childCpuMilliseconds(child) > capMilliseconds ||
            std::chrono::duration<double, std::milli>(waited).count() > 50 * capMilliseconds) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            capped = true;
            break;
        }
        usleep(200);
    }
    close(channel[0]);
    return time;
}

void timeFamily(benchmark::State& state, const qm_bench::Family& family) {
    std::vector<double> times;
    int cappedCount = 0;
    qm::SolveStats total;
    for (auto _ : state) {
        times.clear();
        cappedCount = 0;
        total = {};
        for (const auto& member : family.members) {
            bool capped = false;
            const Measured measured = measure(member, capped);
            times.push_back(measured.milliseconds);
            cappedCount += capped ? 1 : 0;
            const qm::SolveStats& s = measured.stats;
            total.nodes += s.nodes;
            total.lpSolves += s.lpSolves;
            total.boundCalls += s.boundCalls;
            total.tieBreakQuestions += s.tieBreakQuestions;
            total.tieBreakSearches += s.tieBreakSearches;
            total.tieBreakNodes += s.tieBreakNodes;
            total.choiceCutShort += s.choiceCutShort;
            total.probesClosed += s.probesClosed + s.literalProbesClosed;
            total.cutsClosed += s.cutsClosed;
            total.setupMs += s.setupMs;
            total.minimumMs += s.minimumMs;
            total.tieBreakMs += s.tieBreakMs;
        }
    }
    std::sort(times.begin(), times.end());
    state.counters["members"] = static_cast<double>(times.size());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["p90_ms"] = times[times.size() * 9 / 10];
    state.counters["max_ms"] = times.back();
    state.counters["over_cap"] = cappedCount;
    state.counters["nodes"] = static_cast<double>(total.nodes);
    state.counters["lp_solves"] = static_cast<double>(total.lpSolves);
    state.counters["bound_calls"] = static_cast<double>(total.boundCalls);
    state.counters["tb_questions"] = static_cast<double>(total.tieBreakQuestions);
    state.counters["tb_searches"] = static_cast<double>(total.tieBreakSearches);
    state.counters["tb_nodes"] = static_cast<double>(total.tieBreakNodes);
    state.counters["tb_cut_short"] = static_cast<double>(total.choiceCutShort);
    state.counters["probes_closed"] = static_cast<double>(total.probesClosed);
    state.counters["cuts_closed"] = static_cast<double>(total.cutsClosed);
    state.counters["setup_ms"] = total.setupMs;
    state.counters["minimum_ms"] = total.minimumMs;
    state.counters["tiebreak_ms"] = total.tieBreakMs;
}

std::string codeLine(int row, int width) {
    std::string code;
    for (int bit = width - 1; bit >= 0; --bit) code += ((row >> bit) & 1) ? '1' : '0';
    return code;
}

int writeInputs(const std::filesystem::path& folder,
                const std::vector<qm_bench::Family>& families) {
    std::filesystem::create_directories(folder);
    int written = 0;
    for (const auto& family : families) {
        std::string stem = family.name;
        for (char& c : stem) {
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        for (std::size_t m = 0; m < family.members.size(); ++m) {
            const logic::Function& function = family.members[m];
            std::vector<std::string> lines;
            function.on.forEach([&](int row) { lines.push_back(codeLine(row, function.width)); });
            function.dc.forEach(
                [&](int row) { lines.push_back(codeLine(row, function.width) + "d"); });
            if (lines.empty()) continue;
            std::ofstream out(folder / (stem + "_" + std::to_string(m) + ".txt"), std::ios::binary);
            for (std::size_t i = 0; i < lines.size(); ++i)
                out << lines[i] << (i + 1 < lines.size() ? "\r\n" : "");
            ++written;
        }
    }
    std::cout << written << " input files in " << folder.string() << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool withHardest = false, wide = false;
    const char* inputsFolder = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--with-hardest") == 0) withHardest = true;
        if (std::strcmp(argv[i], "--wide") == 0) wide = true;
        if (std::strcmp(argv[i], "--write-inputs") == 0 && i + 1 < argc) inputsFolder = argv[i + 1];
        if (std::strncmp(argv[i], "--cap-ms=", 9) == 0) capMilliseconds = std::atof(argv[i] + 9);
    }
    static std::vector<qm_bench::Family> families =
        wide ? std::vector<qm_bench::Family>{} : qm_bench::allFamilies(kRandomMembers, withHardest);
    if (wide) families = qm_bench::wideFamilies();
    if (inputsFolder != nullptr) return writeInputs(inputsFolder, families);
    for (const auto& family : families) {
        benchmark::RegisterBenchmark(family.name.c_str(), timeFamily, std::cref(family))
            ->Iterations(1)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
