// Repainting the banner: an unchanged file costs no decoding; a replaced one is
// decoded once at its next repaint.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "PictureCache.h"

namespace {

namespace fs = std::filesystem;

const std::string& DemoLogo() {
    static const std::string path = (fs::path(VELMORA_DEMO_DIR) / "logo" / "logo.jpg").string();
    return path;
}

void BM_LogoRepaint_Unchanged(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(PictureCache::Get(DemoLogo()));
}
BENCHMARK(BM_LogoRepaint_Unchanged)->Unit(benchmark::kMicrosecond);

// Each repaint finds another file under the name, as when the picture is replaced.
void BM_LogoRepaint_Replaced(benchmark::State& state) {
    const fs::path folder = fs::temp_directory_path() / "velmora-bench-logo";
    fs::create_directories(folder);
    const fs::path logo = folder / "logo.jpg";
    std::ostringstream bytes;
    bytes << std::ifstream(DemoLogo(), std::ios::binary).rdbuf();
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const fs::path next = folder / ("next" + std::to_string(round++ % 2));
        std::ofstream(next, std::ios::binary) << bytes.str();
        fs::rename(next, logo);
        state.ResumeTiming();
        benchmark::DoNotOptimize(PictureCache::Get(logo.string()));
    }
    fs::remove_all(folder);
}
BENCHMARK(BM_LogoRepaint_Replaced)->Unit(benchmark::kMicrosecond);

}  // namespace
