// JPEG through the codec library, as the program uses it: reading and writing
// the 4000 x 3000 benchmark picture at quality 90 (in the system's temporary
// folder). The library must sit beside the benchmark program.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/BenchImages.h"
#include "formats/ImageFiles.h"

namespace {

std::string BenchFile(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void BM_WriteJpeg90(benchmark::State& state) {
    const CImage& picture = BenchPicture();
    const std::string path = BenchFile("iromaki-bench.jpg");
    for (auto _ : state)
        if (!WriteJpeg(picture, path.c_str(), 90)) state.SkipWithError("no codec library");
    std::filesystem::remove(path);
}

void BM_ReadJpeg90(benchmark::State& state) {
    const std::string path = BenchFile("iromaki-bench-read.jpg");
    if (!WriteJpeg(BenchPicture(), path.c_str(), 90)) {
        state.SkipWithError("no codec library");
        return;
    }
    CImage image;
    for (auto _ : state)
        if (!ReadJpeg(image, path.c_str())) state.SkipWithError("read failed");
    std::filesystem::remove(path);
}

BENCHMARK(BM_WriteJpeg90)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ReadJpeg90)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
