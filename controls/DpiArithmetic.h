#pragma once
// Scaling of sizes designed for 96 DPI. Portable.

namespace dpi {

constexpr int kDesignDpi = 96;

// MulDiv: number × numerator / denominator, rounded half away from zero;
// -1 for a zero denominator.
int MulDiv(int number, int numerator, int denominator);

// n at the given DPI: MulDiv(n, dpi, 96).
inline int Scale(int n, int dpiValue) { return MulDiv(n, dpiValue, kDesignDpi); }

// n × Scale(100) / 100, in 32-bit arithmetic truncating toward zero.
inline int ScalePercent(int n, int dpiValue) { return n * Scale(100, dpiValue) / 100; }

}  // namespace dpi
