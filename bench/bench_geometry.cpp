// Geometric operations on the 4000 x 3000 benchmark picture: flips, XY
// exchange, trimming, resampling, the fixed scalings, pixel exchange and the
// pinhole look.
#include <benchmark/benchmark.h>

#include "bench/BenchImages.h"
#include "core/Random.h"
#include "ops/filters/FilterOps.h"

namespace {

void BM_FlipVertical(benchmark::State& state) {
    OnFreshCopy(state, [](CImage& image) { FlipVertical(image); });
}
BENCHMARK(BM_FlipVertical)->Unit(benchmark::kMillisecond);

void BM_FlipHorizontal(benchmark::State& state) {
    OnFreshCopy(state, [](CImage& image) { FlipHorizontal(image); });
}
BENCHMARK(BM_FlipHorizontal)->Unit(benchmark::kMillisecond);

void BM_ExchangeXY(benchmark::State& state) {
    OnFreshCopy(state, [](CImage& image) { ExchangeXY(image); });
}
BENCHMARK(BM_ExchangeXY)->Unit(benchmark::kMillisecond);

void BM_Trim(benchmark::State& state) {
    OnFreshCopy(state, [](CImage& image) { image.Trim(100, 100, 3800, 2800); });
}
BENCHMARK(BM_Trim)->Unit(benchmark::kMillisecond);

void BM_ResampleHalf(benchmark::State& state) {
    OnFreshCopy(state, [](CImage& image) { image.Resample(kBenchWidth / 2, kBenchHeight / 2); });
}
BENCHMARK(BM_ResampleHalf)->Unit(benchmark::kMillisecond);

void BM_ResampleDouble(benchmark::State& state) {
    OnFreshCopy(state, [](CImage& image) { image.Resample(kBenchWidth * 2, kBenchHeight * 2); });
}
BENCHMARK(BM_ResampleDouble)->Unit(benchmark::kMillisecond);

// The parameter windows' preview copy: at most 128 pixels on the longer side.
void BM_ResamplePreview(benchmark::State& state) {
    OnFreshCopy(state, [](CImage& image) { image.Resample(128, 96); });
}
BENCHMARK(BM_ResamplePreview)->Unit(benchmark::kMillisecond);

void BM_Scale(benchmark::State& state) {
    const int32_t percent = int32_t(state.range(0));
    for (auto _ : state) {
        std::unique_ptr<CImage> scaled = ScaleImageByPercent(BenchPicture(), percent);
        benchmark::DoNotOptimize(scaled.get());
    }
}
BENCHMARK(BM_Scale)->Arg(50)->Arg(150)->Arg(200)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_ExchangePixels(benchmark::State& state) {
    SeedRandom(1);
    OnFreshCopy(state, [](CImage& image) { ExchangePixels(image, 10); });
}
BENCHMARK(BM_ExchangePixels)->Unit(benchmark::kMillisecond);

void BM_PinholeCamera(benchmark::State& state) {
    OnFreshCopy(state, [](CImage& image) { PinholeCamera(image); });
}
BENCHMARK(BM_PinholeCamera)->Unit(benchmark::kMillisecond);

} // namespace
