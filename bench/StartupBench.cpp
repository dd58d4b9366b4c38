// Process start until the first window is shown, offscreen: the tool's login
// window against a minimal Qt program with one empty dialog. Each run is a fresh
// process (fork, exec, wait4) in a working folder holding a copy of the demo
// folder, with a virtual recorder of its own; peak memory is its ru_maxrss.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>

#include "BenchWorkspace.h"

namespace {

namespace fs = std::filesystem;

fs::path ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path(); }

void StartAndWait(benchmark::State& state, const std::string& program) {
    BenchWorkspace workspace;
    const std::string path = (ProgramFolder() / program).string();
    long peakKb = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            // The toolkit's warnings would fill the report.
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDOUT_FILENO);
            dup2(null, STDERR_FILENO);
            execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return state.SkipWithError((program + " failed").c_str());
        peakKb = std::max(peakKb, usage.ru_maxrss);
    }
    state.counters["peak_rss_kB"] = static_cast<double>(peakKb);
}

void BM_Start_MinimalDialog(benchmark::State& state) { StartAndWait(state, "velmora_minimal_dialog"); }
void BM_Start_LoginWindow(benchmark::State& state) { StartAndWait(state, "velmora_bench_login"); }
BENCHMARK(BM_Start_MinimalDialog)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);
BENCHMARK(BM_Start_LoginWindow)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

}  // namespace
