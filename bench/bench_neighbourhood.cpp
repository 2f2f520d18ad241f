// The neighbourhood operations on the 4000 x 3000 benchmark picture. Each
// iteration starts from the picture itself (restored outside the timing),
// since the outline and antialias work depends on the picture's edges.
#include <benchmark/benchmark.h>

#include "bench/BenchImages.h"
#include "ops/filters/FilterKernel.h"
#include "ops/filters/FilterOps.h"

namespace {

void BM_Filter3x3(benchmark::State& state) {
    FilterKernel kernel;
    const double sharpen[9] = {-1, -1, -1, -1, 12, -1, -1, -1, -1};
    for (int i = 0; i < 9; ++i)
        kernel.coefficients[i] = sharpen[i];
    kernel.divisor = 4;
    kernel.addend = 0.5;
    OnFreshCopy(state, [&](CImage& image) { image.ApplyFilter3x3(kernel); });
}
BENCHMARK(BM_Filter3x3)->Unit(benchmark::kMillisecond);

void BM_Emboss(benchmark::State& state) {
    OnFreshCopy(state, [](CImage& image) { Emboss(image); });
}
BENCHMARK(BM_Emboss)->Unit(benchmark::kMillisecond);

void BM_Median(benchmark::State& state) {
    OnFreshCopy(state, [](CImage& image) { image.MedianFilter(); });
}
BENCHMARK(BM_Median)->Unit(benchmark::kMillisecond);

// Arguments: range, centre weight in tenths.
void BM_Blur(benchmark::State& state) {
    const int32_t range = int32_t(state.range(0));
    const double weight = double(state.range(1)) / 10;
    OnFreshCopy(state, [&](CImage& image) { image.Blur(range, weight); });
}
BENCHMARK(BM_Blur)->Args({1, 10})->Args({1, 2})->Args({6, 10})->Args({6, 2})->Unit(
    benchmark::kMillisecond);

// Arguments: range, strength in tenths.
void BM_UnsharpMask(benchmark::State& state) {
    const int32_t range = int32_t(state.range(0));
    const double strength = double(state.range(1)) / 10;
    OnFreshCopy(state, [&](CImage& image) { image.UnsharpMask(range, strength); });
}
BENCHMARK(BM_UnsharpMask)->Args({1, 4})->Args({6, 4})->Unit(benchmark::kMillisecond);

// Argument: the threshold; the windows start at 64 and 128, and 16 marks most
// of the noisy picture.
void BM_Outline(benchmark::State& state) {
    const int32_t threshold = int32_t(state.range(0));
    OnFreshCopy(state, [&](CImage& image) { AddOutline(image, threshold, 0); });
}
BENCHMARK(BM_Outline)->Arg(64)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_Antialias(benchmark::State& state) {
    const int32_t threshold = int32_t(state.range(0));
    OnFreshCopy(state, [&](CImage& image) { Antialias(image, threshold); });
}
BENCHMARK(BM_Antialias)->Arg(128)->Arg(16)->Unit(benchmark::kMillisecond);

} // namespace
