// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/linearfunction.h"

#include "lines/exactline.h"

#include <algorithm>
#include <cmath>

namespace {

using boost::multiprecision::denominator;
using boost::multiprecision::numerator;

bool Finite(const LineSlot &typed)
{
    return std::isfinite(typed.A) && std::isfinite(typed.B) && std::isfinite(typed.C) &&
           std::isfinite(typed.From) && std::isfinite(typed.To);
}

// rise / run as the textbook writes it before reducing: both brought to
// whole numbers over their least common denominator, −4/6 for −4 over 6.
std::optional<Coordinate> Unreduced(const Rational &rise, const Rational &run,
                                    const Coordinate &rate)
{
    const Integer common = lcm(denominator(rise), denominator(run));
    const Integer above = abs(numerator(rise) * (common / denominator(rise)));
    // The run is positive: the range goes from its smaller end.
    const Integer below = numerator(run) * (common / denominator(run));
    const Integer limit = 9999;
    if (above > limit || below > limit)
        return std::nullopt;
    Coordinate step{rise.sign() < 0, false, above.str(), below.str()};
    if (!rate.rounded && step.above == rate.above && step.below == rate.below)
        return std::nullopt;
    return step;
}

// The x of the table's columns, as LinearFunction::table says.
std::vector<Integer> TableX(const Rational &low, const Rational &high)
{
    const Integer first = Ceil(low);
    const Integer last = Floor(high);
    if (first > last)
        return {};
    constexpr int gaps = MostTableColumns - 1;
    const Integer step = std::max(Integer(1), Integer((last - first + (gaps - 1)) / gaps));
    std::vector<Integer> xs;
    for (Integer x = Ceil(Rational(first, step)) * step; x <= last; x += step)
        xs.push_back(x);
    return xs;
}

void ReadFunction(const ExactFunction &function, LinearFunction &read)
{
    read.slope = CoordinateOf(function.slope);
    read.intercept = CoordinateOf(function.intercept);
    const Rational y1 = function.At(function.low);
    const Rational y2 = function.At(function.high);
    const bool falling = !NotAbove(y1, y2);
    read.xLow = CoordinateOf(function.low);
    read.xHigh = CoordinateOf(function.high);
    read.yLow = CoordinateOf(falling ? y2 : y1);
    read.yHigh = CoordinateOf(falling ? y1 : y2);
    if (function.low != function.high) {
        read.rate = RateOfChange{read.xLow,
                                 CoordinateOf(y1),
                                 read.xHigh,
                                 CoordinateOf(y2),
                                 Unreduced(y2 - y1, function.high - function.low, read.slope),
                                 read.slope};
    }
    for (const Integer &x : TableX(function.low, function.high)) {
        const Rational exact(x);
        read.table.push_back({CoordinateOf(exact), CoordinateOf(function.At(exact))});
    }
}

} // namespace

LinearFunction FunctionOf(const LineSlot &typed)
{
    LinearFunction read;
    if (typed.A == 0.0f && typed.B == 0.0f)
        return read;
    const auto line = ExactLineOf(typed);
    if (!Finite(typed) || !line) {
        read.kind = FunctionKind::TooLarge;
        return read;
    }
    const auto function = ExactFunctionOf(*line);
    if (!function) {
        read.kind = FunctionKind::Vertical;
        read.verticalX = CoordinateOf(line->c / line->a);
        return read;
    }
    read.kind = FunctionKind::Function;
    ReadFunction(*function, read);
    return read;
}
