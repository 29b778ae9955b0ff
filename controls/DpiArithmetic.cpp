#include "controls/DpiArithmetic.h"

#include <cstdint>
#include <limits>

namespace dpi {

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    int64_t product = static_cast<int64_t>(number) * numerator;
    int64_t d = denominator;
    bool negative = (product < 0) != (d < 0);
    int64_t a = product < 0 ? -product : product;
    int64_t b = d < 0 ? -d : d;
    int64_t q = (a + b / 2) / b;
    int64_t result = negative ? -q : q;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return -1;
    return static_cast<int>(result);
}

}  // namespace dpi
