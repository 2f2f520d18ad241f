// The benchmark picture: 4000 x 3000, a smooth gradient with noise, made the
// same way every run.
#pragma once

#include "core/Image.h"

constexpr int32_t kBenchWidth = 4000;
constexpr int32_t kBenchHeight = 3000;

// A fresh copy of the benchmark picture (the original is built once).
const CImage& BenchPicture();
