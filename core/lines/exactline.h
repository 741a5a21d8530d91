// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"
#include "lines/meeting.h"
#include "plane/planeview.h"

#include "surface/geometry.h"

#include <boost/multiprecision/cpp_int.hpp>

#include <optional>
#include <string>

// The exact arithmetic behind the crossings: every number a pupil sees in a
// box is taken as the decimal it shows and worked with as a fraction, so no
// rounding can make two parallel lines meet or one line look like two.
// Boost stays in this header, which only the crossing code and its checks
// include; the window works with crossings.h.

// Fractions of any size, always in lowest terms with a positive denominator,
// and the whole numbers above and below their bar.
using Rational = boost::multiprecision::cpp_rational;
using Integer = boost::multiprecision::cpp_int;

// The exact decimal that a box shows for `value`: the NumberText text, seven
// significant digits, its exponent form included (" 1.5E-07" is 15/10^8).
// Nothing for an infinity or NaN, which stand for no number.
std::optional<Rational> ShownValue(float value);

// A stored line a*x + b*y = c over its range, every value as its box shows it.
struct ExactLine {
    Rational a;
    Rational b;
    Rational c;
    Rational from;
    Rational to;
};

// Nothing for a slot that holds no line: a = b = 0, or a value that is not
// finite. The Drawn mark is not looked at.
std::optional<ExactLine> ExactLineOf(const LineSlot &slot);

// A line that is a function of x (b not 0): y = slope * x + intercept, over
// its range read from the smaller end to the larger.
struct ExactFunction {
    Rational slope;
    Rational intercept;
    Rational low;
    Rational high;

    Rational At(const Rational &x) const { return slope * x + intercept; }
};

// Nothing for a vertical line, b = 0.
std::optional<ExactFunction> ExactFunctionOf(const ExactLine &line);

// a <= b, by cross multiplication: Boost.Rational's own comparison walks a
// continued fraction and is many times slower.
bool NotAbove(const Rational &a, const Rational &b);

// The largest whole number not above the value, and the smallest not below.
Integer Floor(const Rational &value);
Integer Ceil(const Rational &value);

// How two lines meet: in one point (x, y), or not at all (parallel), or
// everywhere (the same line). x and y are 0 unless they meet in a point.
struct Meeting {
    CrossingKind kind = CrossingKind::Point;
    Rational x;
    Rational y;
};

// A line's equation times the least common denominator of a, b and c: the
// same line in whole numbers, which is all the solver needs.
struct WholeEquation {
    Integer a;
    Integer b;
    Integer c;
};
WholeEquation WholeNumbers(const ExactLine &line);

// Solves the two equations exactly. Both lines must have a or b non-zero.
Meeting Solve(const WholeEquation &first, const WholeEquation &second);

// Whether (x, y) lies on the stretch of `line` that is drawn: x between the
// ends of the range when b is not 0, y between them when b is 0. The ends
// count, and either end may be the larger one.
bool InsideRange(const ExactLine &line, const Rational &x, const Rational &y);

// Whether the point lies on the surface, its border included: a crossing
// exactly on the edge of the picture still shows half its dot.
bool InsideSurface(const Rational &x, const Rational &y, const PlaneView &view);

// The pixel for the dot: each coordinate the double nearest the exact one.
Point NearestPixel(const Rational &x, const Rational &y, const PlaneView &view);

// The nearest single and the nearest double, ties to even, as the hardware
// would round the exact value; beyond the range an infinity, below it 0.
float NearestSingle(const Rational &value);
double NearestDouble(const Rational &value);

// A coordinate as the lesson writes and reads it: exact when the numerator
// and the denominator have at most four digits each; otherwise rounded to
// the NumberText of the nearest single; beyond the single range, where
// NumberText would say infinity, and below the normal singles, where the
// single's last digits are not the point's, the nearest double in the same
// form ("6.8E+38", "1E-40").
Coordinate CoordinateOf(const Rational &value);
