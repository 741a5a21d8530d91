// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/exactline.h"

#include "runtime/numbers.h"
#include "runtime/text.h"
#include "surface/surface.h"

#include <double-conversion/double-to-string.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace {

// Ten to the power `exponent`, which may be negative.
Rational PowerOfTen(int exponent)
{
    const Integer power = boost::multiprecision::pow(Integer(10), std::abs(exponent));
    return exponent >= 0 ? Rational(power) : Rational(Integer(1), power);
}

// Reads a finite NumberText text: a sign or blank, digits with at most one point,
// and maybe an exponent. NumberText writes at most seven digits, so they fit.
Rational ReadShown(const std::string &text)
{
    std::int64_t digits = 0;
    int exponent = 0;
    bool afterPoint = false;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            afterPoint = true;
        } else if (c == 'E') {
            exponent += std::stoi(text.substr(i + 1));
            break;
        } else {
            digits = digits * 10 + (c - '0');
            if (afterPoint)
                --exponent;
        }
    }
    Rational value = Rational(Integer(digits)) * PowerOfTen(exponent);
    return text.front() == '-' ? Rational(-value) : value;
}

// Rounds numerator / denominator (the denominator positive, the fraction in
// any terms) to the nearest F, ties to even, subnormals included. The
// conversion Boost offers rounds twice for subnormal results, so the one
// rounding step is spelled out here.
template <typename F> F Nearest(Integer numerator, Integer denominator)
{
    if (numerator == 0)
        return F(0);
    const bool negative = numerator < 0;
    if (negative)
        numerator = -numerator;

    // The value lies in [2^e, 2^(e+1)).
    long e = static_cast<long>(msb(numerator)) - static_cast<long>(msb(denominator));
    const bool below = e >= 0 ? numerator < (denominator << e) : (numerator << -e) < denominator;
    if (below)
        --e;

    constexpr long digits = std::numeric_limits<F>::digits;
    // The place of the last bit of the smallest subnormal: 2^-149 for a single.
    constexpr long lowest = std::numeric_limits<F>::min_exponent - digits;
    const F sign = negative ? F(-1) : F(1);
    if (e >= std::numeric_limits<F>::max_exponent)
        return sign * std::numeric_limits<F>::infinity();
    if (e < lowest - 1)
        return sign * F(0);

    // Counted in units of the last kept bit, the value is q + r / denominator.
    const long unit = std::max(e - (digits - 1), lowest);
    if (unit >= 0)
        denominator <<= unit;
    else
        numerator <<= -unit;
    Integer quotient;
    Integer remainder;
    divide_qr(numerator, denominator, quotient, remainder);
    const int half = Integer(remainder << 1).compare(denominator);
    if (half > 0 || (half == 0 && bit_test(quotient, 0)))
        ++quotient;
    // At most 2^digits, so the conversion is exact; ldexp overflows to an
    // infinity where rounding up leaves the range.
    return sign * std::ldexp(quotient.convert_to<F>(), static_cast<int>(unit));
}

// A pixel coordinate as a fraction over the point's own denominator.
struct Pixel {
    Integer numerator;
    Integer denominator;
};

Pixel Across(const Rational &x, const PlaneView &view)
{
    const Integer denominator = boost::multiprecision::denominator(x);
    return {PixelX(Integer(boost::multiprecision::numerator(x)), view, denominator), denominator};
}

Pixel Down(const Rational &y, const PlaneView &view)
{
    const Integer denominator = boost::multiprecision::denominator(y);
    return {PixelY(Integer(boost::multiprecision::numerator(y)), view, denominator), denominator};
}

// No more than four digits above and below the fraction bar.
bool Writable(const Rational &value)
{
    const Integer limit = 9999;
    return Integer(abs(boost::multiprecision::numerator(value))) <= limit &&
           boost::multiprecision::denominator(value) <= limit;
}

// The digits above and below the fraction bar, without a sign; nothing below
// the bar for a whole number.
struct Digits {
    std::string above;
    std::string below;
};

Digits DigitsOf(const Rational &value)
{
    const Integer above = abs(boost::multiprecision::numerator(value));
    const Integer below = boost::multiprecision::denominator(value);
    return {above.str(), below == 1 ? std::string() : below.str()};
}

// A positive double with six decimals and an exponent of at least two
// digits: "6.800000E+38".
std::string ExponentForm(double magnitude)
{
    char buffer[40];
    double_conversion::StringBuilder builder(buffer, sizeof buffer);
    double_conversion::DoubleToStringConverter::EcmaScriptConverter().ToExponential(magnitude, 6,
                                                                                    &builder);
    std::string text = builder.Finalize();
    const std::size_t mark = text.find('e');
    std::string exponent = text.substr(mark + 2);
    if (exponent.size() < 2)
        exponent.insert(0, 1, '0');
    return text.substr(0, mark) + 'E' + text[mark + 1] + exponent;
}

// The NumberText text of the nearest single, split into its sign and the rest. The
// sign is the text's own: a tiny negative value rounds to a zero shown as "0".
struct Rounded {
    bool negative;
    std::string magnitude;
};

Rounded RoundedForm(const Rational &value)
{
    const float single = NearestSingle(value);
    // Beyond the single range NumberText would show an infinity, yet the point is
    // finite; below the normal singles the single keeps fewer digits than NumberText
    // shows. The double holds it, shown the same way, seven digits and an
    // exponent ("6.8E+38", "1E-40").
    if (std::isinf(single) || (single != 0.0f && std::fabs(single) < FLT_MIN)) {
        const double nearest = NearestDouble(value);
        const std::string text = ExponentForm(std::fabs(nearest));
        const std::size_t mark = text.find('E');
        std::string digits = text.substr(0, mark);
        while (digits.ends_with('0'))
            digits.pop_back();
        if (digits.ends_with('.'))
            digits.pop_back();
        return {nearest < 0, digits + text.substr(mark)};
    }
    const std::string shown = NumberText(single);
    return {shown.front() == '-', shown.substr(1)};
}

} // namespace

std::optional<Rational> ShownValue(float value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    return ReadShown(NumberText(value));
}

std::optional<ExactLine> ExactLineOf(const LineSlot &slot)
{
    const auto a = ShownValue(slot.A);
    const auto b = ShownValue(slot.B);
    const auto c = ShownValue(slot.C);
    const auto from = ShownValue(slot.From);
    const auto to = ShownValue(slot.To);
    if (!a || !b || !c || !from || !to || (*a == 0 && *b == 0))
        return std::nullopt;
    return ExactLine{*a, *b, *c, *from, *to};
}

std::optional<ExactFunction> ExactFunctionOf(const ExactLine &line)
{
    if (line.b == 0)
        return std::nullopt;
    const bool reversed = !NotAbove(line.from, line.to);
    return ExactFunction{-line.a / line.b, line.c / line.b, reversed ? line.to : line.from,
                         reversed ? line.from : line.to};
}

bool NotAbove(const Rational &a, const Rational &b)
{
    // Denominators are positive.
    using boost::multiprecision::denominator;
    using boost::multiprecision::numerator;
    return numerator(a) * denominator(b) <= numerator(b) * denominator(a);
}

Integer Floor(const Rational &value)
{
    // Integer division cuts towards 0, which is one too high below 0.
    const Integer above = boost::multiprecision::numerator(value);
    const Integer below = boost::multiprecision::denominator(value);
    Integer quotient;
    Integer remainder;
    divide_qr(above, below, quotient, remainder);
    return remainder < 0 ? Integer(quotient - 1) : quotient;
}

Integer Ceil(const Rational &value)
{
    return -Floor(-value);
}

WholeEquation WholeNumbers(const ExactLine &line)
{
    using boost::multiprecision::denominator;
    using boost::multiprecision::numerator;
    const Integer common = lcm(lcm(denominator(line.a), denominator(line.b)), denominator(line.c));
    const auto whole = [&common](const Rational &value) {
        return Integer(numerator(value) * (common / denominator(value)));
    };
    return {whole(line.a), whole(line.b), whole(line.c)};
}

Meeting Solve(const WholeEquation &first, const WholeEquation &second)
{
    // Cramer's rule, in whole numbers until the two last divisions. A
    // determinant of exactly 0 means the same direction; then the lines are
    // one when c is in the same proportion as a and b.
    Integer determinant = first.a * second.b - second.a * first.b;
    if (determinant != 0) {
        Integer x = first.c * second.b - second.c * first.b;
        Integer y = first.a * second.c - second.a * first.c;
        // Boost 1.74 throws on a negative denominator given to the
        // constructor (its guard for the most negative fixed-width integer
        // reads 0 as the limit of cpp_int), so the sign goes up first.
        if (determinant < 0) {
            determinant = -determinant;
            x = -x;
            y = -y;
        }
        return {CrossingKind::Point, Rational(x, determinant), Rational(y, determinant)};
    }
    const bool same =
        first.a * second.c == second.a * first.c && first.b * second.c == second.b * first.c;
    return {same ? CrossingKind::SameLine : CrossingKind::Parallel, Rational(), Rational()};
}

bool InsideRange(const ExactLine &line, const Rational &x, const Rational &y)
{
    // The range follows b, as its caption does.
    const Rational &along = line.b != 0 ? x : y;
    const bool reversed = NotAbove(line.to, line.from);
    const Rational &low = reversed ? line.to : line.from;
    const Rational &high = reversed ? line.from : line.to;
    return NotAbove(low, along) && NotAbove(along, high);
}

bool InsideSurface(const Rational &x, const Rational &y, const PlaneView &view)
{
    // 0 <= pixel <= size, multiplied through by the point's denominator.
    const auto within = [](const Pixel &pixel, int size) {
        return pixel.numerator >= 0 && pixel.numerator <= pixel.denominator * size;
    };
    return within(Across(x, view), SurfaceWidth) && within(Down(y, view), SurfaceHeight);
}

Point NearestPixel(const Rational &x, const Rational &y, const PlaneView &view)
{
    const Pixel across = Across(x, view);
    const Pixel down = Down(y, view);
    return {Nearest<double>(across.numerator, across.denominator),
            Nearest<double>(down.numerator, down.denominator)};
}

float NearestSingle(const Rational &value)
{
    return Nearest<float>(boost::multiprecision::numerator(value),
                          boost::multiprecision::denominator(value));
}

double NearestDouble(const Rational &value)
{
    return Nearest<double>(boost::multiprecision::numerator(value),
                           boost::multiprecision::denominator(value));
}

Coordinate CoordinateOf(const Rational &value)
{
    if (!Writable(value)) {
        Rounded rounded = RoundedForm(value);
        return {rounded.negative, true, std::move(rounded.magnitude), {}};
    }
    Digits digits = DigitsOf(value);
    return {boost::multiprecision::numerator(value).sign() < 0, false, std::move(digits.above),
            std::move(digits.below)};
}

std::string WrittenCoordinate(const Coordinate &coordinate)
{
    std::string text = coordinate.rounded ? "≈" : "";
    if (coordinate.negative)
        text += MinusSign;
    text += coordinate.above;
    if (!coordinate.below.empty())
        text += '/' + coordinate.below;
    return text;
}
