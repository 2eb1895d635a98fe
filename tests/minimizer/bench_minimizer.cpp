// Minimizer time for the slowest families of 8-variable functions. Each family is one benchmark
// that times every member on its own; the counters give the family's median and slowest member
// in milliseconds (the benchmark's own time is the whole family once).
//
// --with-hardest adds the symmetric functions with don't-care edges, some of which take
// seconds to minutes. bench_minimizer --write-inputs DIR writes one input file per member of
// the usual families instead, for timing the whole process with bench_process.sh.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "function_families.h"
#include "minimize.h"

namespace {

constexpr int kRandomMembers = 30;

double millisecondsFor(const qm::Function& function) {
    // The fastest of a few runs, so that one preemption does not count; slow members once.
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(qm::minimize(function));
        const auto stop = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(stop - start).count());
        if (best > 50.0) break;
    }
    return best;
}

void timeFamily(benchmark::State& state, const qm_bench::Family& family) {
    std::vector<double> times;
    for (auto _ : state) {
        times.clear();
        for (const auto& member : family.members) times.push_back(millisecondsFor(member));
    }
    std::sort(times.begin(), times.end());
    state.counters["members"] = static_cast<double>(times.size());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["max_ms"] = times.back();
}

std::string codeLine(int row, int width) {
    std::string code;
    for (int bit = width - 1; bit >= 0; --bit) code += ((row >> bit) & 1) ? '1' : '0';
    return code;
}

int writeInputs(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    int written = 0;
    for (const auto& family : qm_bench::allFamilies(kRandomMembers, false)) {
        std::string stem = family.name;
        for (char& c : stem) {
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        }
        for (std::size_t m = 0; m < family.members.size(); ++m) {
            const qm::Function& function = family.members[m];
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
    if (argc == 3 && std::strcmp(argv[1], "--write-inputs") == 0) return writeInputs(argv[2]);
    bool withHardest = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--with-hardest") == 0) withHardest = true;
    }
    static const std::vector<qm_bench::Family> families =
        qm_bench::allFamilies(kRandomMembers, withHardest);
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
