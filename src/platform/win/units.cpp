#include "platform/win/units.h"

int MulDivRounded(int value, int numerator, int denominator) {
    if (denominator <= 0) return 0;
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}
