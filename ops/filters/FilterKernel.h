// The custom 3x3 filter's parameters.
#pragma once

// Entry 3k + l weighs the pixel at (x + l - 1, y + k - 1); rows of the kernel
// run from the row below the pixel to the row above.
struct FilterKernel {
    double coefficients[9] = {};
    double addend = 0.0;
    double divisor = 0.0; // 0 while the window is open; 9999 after a cancel
};
