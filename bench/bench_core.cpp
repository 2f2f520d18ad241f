// The image core on the 4000 x 3000 benchmark picture: colour-space conversion
// both ways, counting colours and copying into an image of the same size.
#include <benchmark/benchmark.h>

#include "bench/BenchImages.h"

namespace {

void BM_RgbToYcc(benchmark::State& state) {
    CImage image(BenchPicture());
    for (auto _ : state) {
        image.RgbToYcc();
        benchmark::DoNotOptimize(image.AuxBits());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RgbToYcc)->Unit(benchmark::kMillisecond);

void BM_YccToRgb(benchmark::State& state) {
    CImage image(BenchPicture());
    image.RgbToYcc();
    for (auto _ : state) {
        image.YccToRgb();
        benchmark::DoNotOptimize(image.Bits());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_YccToRgb)->Unit(benchmark::kMillisecond);

void BM_CountColors(benchmark::State& state) {
    const CImage& image = BenchPicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(image.CountColors());
}
BENCHMARK(BM_CountColors)->Unit(benchmark::kMillisecond);

// The undo copy: the target already has the size, so no allocation is needed.
void BM_CopyFromSameSize(benchmark::State& state) {
    const CImage& source = BenchPicture();
    CImage target(source);
    for (auto _ : state) {
        benchmark::DoNotOptimize(target.CopyFrom(&source));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyFromSameSize)->Unit(benchmark::kMillisecond);

} // namespace
