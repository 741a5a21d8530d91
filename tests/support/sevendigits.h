// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/numbers.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

// The nearest single to `value` rounded to seven significant digits, halfway
// cases away from zero, worked out without NumberText or ReadNumber so that both can be
// checked against it: printf writes the exact digits and the eighth decides,
// and the C library reads the rounded digits back. Both are exact in glibc
// and in emscripten's musl; the texts hold no decimal point, so the locale
// cannot change them.
// Nothing when the reference cannot be computed (NaN and infinities).
inline std::optional<float> SevenDigitSingle(float value)
{
    // "+d.ddd...e-XX": the first digit, then the fraction from index 3.
    char exact[160];
    const int length = std::snprintf(exact, sizeof exact, "%+.120e", static_cast<double>(value));
    if (length <= 0 || length >= static_cast<int>(sizeof exact) || exact[1] < '0' || exact[1] > '9')
        return std::nullopt;
    long long digits = exact[1] - '0';
    for (int i = 3; i < 10; ++i)
        digits = digits * 10 + (exact[i] - '0');
    digits = digits / 10 + (digits % 10 >= 5 ? 1 : 0);
    const int exponent = std::atoi(std::strchr(exact, 'e') + 1);

    char buffer[48];
    const int written = std::snprintf(buffer, sizeof buffer, "%s%llde%d",
                                      exact[0] == '-' ? "-" : "", digits, exponent - 6);
    if (written <= 0 || written >= static_cast<int>(sizeof buffer))
        return std::nullopt;
    char *end = nullptr;
    const double rounded = std::strtod(buffer, &end);
    if (end != buffer + written)
        return std::nullopt;
    return ToSingle(rounded);
}
