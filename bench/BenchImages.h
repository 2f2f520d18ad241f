// The benchmark picture: 4000 x 3000, a smooth gradient with noise, made the
// same way every run.
#pragma once

#include <benchmark/benchmark.h>

#include "core/Image.h"

constexpr int32_t kBenchWidth = 4000;
constexpr int32_t kBenchHeight = 3000;

// A fresh copy of the benchmark picture (the original is built once).
const CImage& BenchPicture();

// Runs op on a fresh copy of the picture in every iteration; making the copy
// is not timed.
template <typename Op> void OnFreshCopy(benchmark::State& state, Op op) {
    CImage image(BenchPicture());
    for (auto _ : state) {
        state.PauseTiming();
        image.CopyFrom(&BenchPicture());
        state.ResumeTiming();
        op(image);
        benchmark::DoNotOptimize(image.Bits());
        benchmark::ClobberMemory();
    }
}
