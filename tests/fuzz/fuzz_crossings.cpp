// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whatever numbers a pupil stores, the crossings must come out without a
// crash or a hang, and exactly: a point satisfies both equations when put
// back in, parallel lines and one line twice have proportional coefficients,
// and every rounding is to the nearest. A violated rule aborts so that
// libFuzzer keeps the input that broke it.
#include "lines/crossings.h"
#include "lines/exactline.h"
#include "lines/linedrawing.h"
#include "runtime/numbers.h"
#include "surface/surface.h"
#include "window/sentences.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

LineTable table;

[[noreturn]] void fail(const char *rule)
{
    std::fprintf(stderr, "\nfuzz_crossings: rule broken: %s\n", rule);
    for (int slot = 0; slot < LineTable::SlotCount; ++slot) {
        const LineSlot &line = table.Slot(slot);
        std::fprintf(stderr, "  slot %d%s: %a x + %a y = %a, from %a to %a\n", slot,
                     line.IsDrawn() ? "" : " (empty)", double(line.A), double(line.B),
                     double(line.C), double(line.From), double(line.To));
    }
    std::fflush(stderr);
    std::abort();
}

void require(bool holds, const char *rule)
{
    if (!holds)
        fail(rule);
}

// A value as a pupil might store it: a raw single (every infinity, NaN,
// subnormal and huge value), a small whole number, a decimal with up to
// eight places, or one of the edges of the single range.
float StoredValue(FuzzedDataProvider &input)
{
    static constexpr std::array<float, 12> edges = {0.0f,
                                                    -0.0f,
                                                    kInf,
                                                    -kInf,
                                                    std::numeric_limits<float>::quiet_NaN(),
                                                    FLT_MAX,
                                                    -FLT_MAX,
                                                    FLT_MIN,
                                                    std::numeric_limits<float>::denorm_min(),
                                                    1e-38f,
                                                    1e38f,
                                                    0.1f};
    switch (input.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return std::bit_cast<float>(input.ConsumeIntegral<std::uint32_t>());
    case 1:
        return static_cast<float>(input.ConsumeIntegralInRange(-20, 20));
    case 2: {
        const auto digits = input.ConsumeIntegral<std::int32_t>();
        const int places = input.ConsumeIntegralInRange(0, 8);
        return ToSingle(double(digits) / std::pow(10.0, places));
    }
    default:
        return input.PickValueInArray(edges);
    }
}

// The rational exactly equal to a finite float or double.
template <typename F> Rational Exactly(F value)
{
    int exponent = 0;
    const F mantissa = std::frexp(value, &exponent);
    constexpr int digits = std::numeric_limits<F>::digits;
    const auto scaled = static_cast<std::int64_t>(std::ldexp(mantissa, digits));
    Rational exact(scaled);
    const int shift = exponent - digits;
    const Integer power = Integer(1) << std::abs(shift);
    return shift >= 0 ? Rational(exact * power) : Rational(exact / power);
}

// The nearest F, ties to even: no neighbour is closer, a tie keeps the even
// bit pattern, and only what lies at or beyond the halfway point past the
// largest F becomes an infinity.
template <typename F> void CheckNearest(const Rational &value, F nearest, const char *rule)
{
    constexpr F largest = std::numeric_limits<F>::max();
    const Rational beyond =
        (Exactly(largest) + Rational(Integer(1) << std::numeric_limits<F>::max_exponent)) / 2;
    require(std::isinf(nearest) == (abs(value) >= beyond), rule);
    if (std::isinf(nearest))
        return;
    const Rational distance = abs(value - Exactly(nearest));
    for (const F neighbour :
         {std::nextafter(nearest, -largest), std::nextafter(nearest, largest)}) {
        const Rational other = abs(value - Exactly(neighbour));
        require(distance <= other, rule);
        if (distance == other && neighbour != nearest) {
            using Bits = std::conditional_t<sizeof(F) == 4, std::uint32_t, std::uint64_t>;
            require(std::bit_cast<Bits>(nearest) % 2 == 0, rule);
        }
    }
}

// A written coordinate read back: "−4/3", "12"; nothing for the rounded form.
std::optional<Rational> ReadWritten(const std::string &text)
{
    std::string rest = text;
    const std::string minus = "\u2212";
    const bool negative = rest.starts_with(minus);
    if (negative)
        rest.erase(0, minus.size());
    const std::size_t bar = rest.find('/');
    std::vector<std::string> parts{rest.substr(0, bar)};
    if (bar != std::string::npos)
        parts.push_back(rest.substr(bar + 1));
    for (const std::string &part : parts) {
        if (part.empty() || part.size() > 4 ||
            !std::all_of(part.cbegin(), part.cend(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
    }
    const Rational value(Integer(std::stoi(parts[0])),
                         Integer(parts.size() == 1 ? 1 : std::stoi(parts[1])));
    return negative ? Rational(-value) : value;
}

void CheckCoordinate(const Rational &value)
{
    const std::string written = WrittenCoordinate(CoordinateOf(value));
    const bool small = abs(boost::multiprecision::numerator(value)) <= 9999 &&
                       boost::multiprecision::denominator(value) <= 9999;
    require(written.starts_with("≈") != small, "the rounded form is chosen for the wrong size");
    if (small)
        require(ReadWritten(written) == value, "a written coordinate is not the exact point");
    CheckNearest(value, NearestSingle(value), "the rounded coordinate is not the nearest");
}

void CheckPair(const ExactLine &first, const ExactLine &second, bool bothDrawable,
               const Crossing &crossing, const PlaneView &view)
{
    const Meeting meeting = Solve(WholeNumbers(first), WholeNumbers(second));
    require(meeting.kind == crossing.kind, "the listed kind is not the solver's");
    // The direction is shared when (a2, b2) = k (a1, b1), worked out apart
    // from the determinant the solver uses.
    const Rational k = first.a != 0 ? Rational(second.a / first.a) : Rational(second.b / first.b);
    const bool sameDirection = second.a == k * first.a && second.b == k * first.b;
    switch (meeting.kind) {
    case CrossingKind::Point:
        require(!sameDirection, "lines of one direction meet in one point");
        require(first.a * meeting.x + first.b * meeting.y == first.c,
                "the point is not on the first line");
        require(second.a * meeting.x + second.b * meeting.y == second.c,
                "the point is not on the second line");
        require(WrittenCoordinate(crossing.x) == WrittenCoordinate(CoordinateOf(meeting.x)) &&
                    WrittenCoordinate(crossing.y) == WrittenCoordinate(CoordinateOf(meeting.y)),
                "the listed coordinates are not the point's");
        CheckCoordinate(meeting.x);
        CheckCoordinate(meeting.y);
        require(crossing.marked == (bothDrawable && InsideRange(first, meeting.x, meeting.y) &&
                                    InsideRange(second, meeting.x, meeting.y) &&
                                    InsideSurface(meeting.x, meeting.y, view)),
                "a point is marked against its ranges or the surface");
        CheckNearest(PixelX(meeting.x, view), crossing.pixel.x, "the dot's x is not the nearest");
        CheckNearest(PixelY(meeting.y, view), crossing.pixel.y, "the dot's y is not the nearest");
        if (crossing.marked)
            require(crossing.pixel.x >= 0 && crossing.pixel.x <= SurfaceWidth &&
                        crossing.pixel.y >= 0 && crossing.pixel.y <= SurfaceHeight,
                    "a marked dot lies off the surface");
        break;
    case CrossingKind::Parallel:
        require(sameDirection && second.c != k * first.c, "parallel lines are not parallel");
        require(!crossing.marked, "parallel lines are marked");
        break;
    case CrossingKind::SameLine:
        require(sameDirection && second.c == k * first.c, "one line twice is not proportional");
        require(!crossing.marked, "one line twice is marked");
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    PlaneView view;
    view.GridUnit = input.PickValueInArray(std::array<std::int16_t, 3>{40, 22, 14});
    const int count = input.ConsumeIntegralInRange(2, LineTable::SlotCount);
    table = LineTable();
    for (int slot = 0; slot < count; ++slot) {
        LineSlot &line = table.Slot(slot);
        line.Drawn = input.ConsumeIntegralInRange(0, 7) == 0 ? 0.0f : 1.0f;
        line.A = StoredValue(input);
        line.B = StoredValue(input);
        line.C = StoredValue(input);
        line.From = StoredValue(input);
        line.To = StoredValue(input);
    }

    // A shown value is the decimal that ReadNumber reads back from the box.
    std::vector<int> slots;
    std::vector<ExactLine> lines;
    std::vector<bool> drawable;
    for (int slot = 0; slot < count; ++slot) {
        const LineSlot &line = table.Slot(slot);
        for (const float value : {line.A, line.B, line.C, line.From, line.To}) {
            const auto shown = ShownValue(value);
            require(shown.has_value() == std::isfinite(value), "a value is shown wrongly");
            if (shown)
                require(NearestDouble(*shown) == ReadNumber(NumberText(value)),
                        "a shown value is not the decimal ReadNumber reads");
        }
        if (const auto exact = ExactLineOf(line); exact && line.IsDrawn()) {
            slots.push_back(slot);
            lines.push_back(*exact);
            drawable.push_back(LineEnds(line, view).has_value());
        }
    }

    const std::vector<Crossing> crossings = Crossings(table, view);
    require(crossings.size() == lines.size() * (lines.size() - 1) / 2,
            "not every pair of lines is listed");
    std::size_t at = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (std::size_t j = i + 1; j < lines.size(); ++j, ++at) {
            const Crossing &crossing = crossings[at];
            require(crossing.first == slots[i] && crossing.second == slots[j],
                    "the pairs are not in slot order");
            CheckPair(lines[i], lines[j], drawable[i] && drawable[j], crossing, view);
        }
    }

    require(DescribeCrossings(crossings).size() == crossings.size(),
            "the description has a sentence too many or too few");
    for (const int slot : slots) {
        require(AnnounceCrossings(slot, table, view).size() == lines.size() - 1,
                "the announcement misses a line");
    }
    return 0;
}
