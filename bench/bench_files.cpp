// Reading and writing the 4000 x 3000 benchmark picture as BMP and YCC files
// (in the system's temporary folder) and as bytes in memory.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "bench/BenchImages.h"
#include "formats/ImageFiles.h"

namespace {

std::string BenchFile(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

void BM_WriteBmp(benchmark::State& state) {
    const CImage& picture = BenchPicture();
    const std::string path = BenchFile("iromaki-bench.bmp");
    for (auto _ : state)
        if (!WriteBmp(picture, path.c_str())) state.SkipWithError("write failed");
    std::filesystem::remove(path);
}

void BM_ReadBmp(benchmark::State& state) {
    const std::string path = BenchFile("iromaki-bench-read.bmp");
    WriteBmp(BenchPicture(), path.c_str());
    CImage image;
    for (auto _ : state)
        if (!ReadBmp(image, path.c_str())) state.SkipWithError("read failed");
    std::filesystem::remove(path);
}

void BM_EncodeBmp(benchmark::State& state) {
    const CImage& picture = BenchPicture();
    for (auto _ : state) {
        ByteBlock file;
        EncodeBmp(picture, file);
        benchmark::DoNotOptimize(file.data.get());
    }
}

void BM_DecodeBmp(benchmark::State& state) {
    ByteBlock file;
    EncodeBmp(BenchPicture(), file);
    CImage image;
    for (auto _ : state) {
        DecodeBmp(image, file.data.get(), file.size);
        benchmark::DoNotOptimize(image.Bits());
    }
}

void BM_WriteYcc(benchmark::State& state) {
    CImage picture = BenchPicture();
    const std::string path = BenchFile("iromaki-bench.ycc");
    for (auto _ : state)
        if (!WriteYcc(picture, path.c_str())) state.SkipWithError("write failed");
    std::filesystem::remove(path);
}

void BM_ReadYcc(benchmark::State& state) {
    CImage picture = BenchPicture();
    const std::string path = BenchFile("iromaki-bench-read.ycc");
    WriteYcc(picture, path.c_str());
    CImage image;
    for (auto _ : state)
        if (!ReadYcc(image, path.c_str())) state.SkipWithError("read failed");
    std::filesystem::remove(path);
}

} // namespace

BENCHMARK(BM_WriteBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteYcc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadYcc)->Unit(benchmark::kMillisecond);
