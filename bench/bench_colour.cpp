// The colour and tone operations on the 4000 x 3000 benchmark picture. Each
// iteration starts from the picture's own colours (restored untimed), as the
// operations change the image in place.
#include <benchmark/benchmark.h>

#include "bench/BenchImages.h"
#include "ops/colour/ColourOps.h"

namespace {

const double kMatrix[12] = {0.9, 0.1, 0.05, 3.5, -0.2, 1.1, 0.1, -2, 0.333, 0.333, 0.333, 0};

void BM_Gray(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { ConvertToGray(i); });
}
void BM_Invert(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { InvertColors(i); });
}
void BM_Reduce216(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { ReduceTo216Colors(i); });
}
void BM_AdjustRgb(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { ApplyComponentOffsets(i, ColourModel::Rgb, 20, -10, 64); });
}
void BM_AdjustYcc(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { ApplyComponentOffsets(i, ColourModel::YCrCb, 20, -10, 64); });
}
void BM_RgbMatrix(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { ConvertRgb(i, kMatrix); });
}
void BM_MapLuminance(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { MapLuminanceRange(&i, 30, 220, 0, 255); });
}
void BM_MaximizeContrast(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { MaximizeContrast(i); });
}
void BM_Saturation(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { AdjustSaturation(i, 20); });
}
void BM_Gamma(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { CorrectGamma(i, 1.5); });
}
void BM_Posterize(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { Posterize(i, 4, 26, 98); });
}
void BM_ToneCut(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { ToneCut(i, 1, 128, 255, 0, 0); });
}
void BM_Replace(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { ReplaceColor(i, 128, 64, 96, 0, 0, 0); });
}
void BM_ColorDiff(benchmark::State& s) {
    OnFreshCopy(s, [](CImage& i) { EnlargeColorDifference(i, 0.5); });
}

} // namespace

BENCHMARK(BM_Gray)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Invert)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reduce216)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdjustRgb)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AdjustYcc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RgbMatrix)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapLuminance)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MaximizeContrast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Saturation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gamma)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Posterize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToneCut)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Replace)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ColorDiff)->Unit(benchmark::kMillisecond);
