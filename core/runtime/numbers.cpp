// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/numbers.h"

#include <double-conversion/double-to-string.h>
#include <double-conversion/string-to-double.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

// A halfway point between two doubles has at most 767 significant digits, so
// keeping 780 digits plus one sticky digit for the rest rounds like the full
// text would.
constexpr int kMaxDigits = 780;

// Any exponent beyond this magnitude already overflows or underflows, so the
// accumulation may stop growing without changing the result.
constexpr std::int64_t kExponentCap = 1'000'000'000;

// Walks the text the way the old reader did: blanks are invisible and
// full-width forms stand for their ASCII twins.
class Reader {
public:
    explicit Reader(std::string_view text)
        : text_(text)
    {}

    // The next visible character, folded to ASCII where it has a twin, or 0
    // at the end of the text.
    char32_t peek()
    {
        while (pos_ < text_.size()) {
            char32_t c = Decode();
            if (c == U' ' || c == U'\t' || c == U'\n' || c == 0x3000) {
                pos_ += length_;
                continue;
            }
            if (c >= 0xFF01 && c <= 0xFF5E)
                c -= 0xFEE0;
            // The minus key of a Japanese input method types the long vowel
            // mark in hiragana mode, and other input methods type the minus
            // sign or the hyphen: all of them mean "-", as the full-width
            // minus does.
            if (c == 0x30FC || c == 0x2212 || c == 0x2010)
                c = U'-';
            return c == 0 ? 0xFFFF : c;
        }
        return 0;
    }

    void advance() { pos_ += length_; }

private:
    // The code point at the current position, and its length in bytes in
    // length_. A byte that starts no well-formed sequence stands for itself
    // as a character that continues no number.
    char32_t Decode()
    {
        const auto byte = [this](std::size_t i) {
            return static_cast<unsigned char>(text_[pos_ + i]);
        };
        const unsigned char lead = byte(0);
        length_ = 1;
        if (lead < 0x80)
            return lead;
        int extra = 0;
        char32_t c = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            c = lead & 0x1Fu;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            c = lead & 0x0Fu;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            c = lead & 0x07u;
        } else {
            return 0xFFFD;
        }
        if (pos_ + static_cast<std::size_t>(extra) >= text_.size())
            return 0xFFFD;
        for (int i = 1; i <= extra; ++i) {
            const unsigned char next = byte(static_cast<std::size_t>(i));
            if ((next & 0xC0u) != 0x80u)
                return 0xFFFD;
            c = (c << 6) | (next & 0x3Fu);
        }
        // Overlong forms and surrogates are not characters.
        const bool overlong = (extra == 2 && c < 0x800) || (extra == 3 && c < 0x10000);
        if (overlong || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            return 0xFFFD;
        length_ = static_cast<std::size_t>(extra) + 1;
        return c;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t length_ = 1;
};

bool isDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

int hexValue(char32_t c)
{
    if (isDigit(c))
        return static_cast<int>(c - U'0');
    if (c >= U'a' && c <= U'f')
        return static_cast<int>(c - U'a') + 10;
    if (c >= U'A' && c <= U'F')
        return static_cast<int>(c - U'A') + 10;
    return -1;
}

// Reads the digits after "&H" or "&O" as the old 16- and 32-bit integers do.
double readRadix(Reader &reader, int radix)
{
    std::uint64_t value = 0;
    bool overflow = false;
    for (;;) {
        const int digit = hexValue(reader.peek());
        if (digit < 0 || digit >= radix)
            break;
        reader.advance();
        if (!overflow) {
            value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
            overflow = value > 0xFFFF'FFFFu;
        }
    }
    if (overflow)
        return std::numeric_limits<double>::infinity();
    if (value <= 0xFFFF)
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

double readDecimal(Reader &reader)
{
    bool negative = false;
    if (reader.peek() == U'+' || reader.peek() == U'-') {
        negative = reader.peek() == U'-';
        reader.advance();
    }

    // The value is 0.<digits> times ten to the power pointPos.
    std::string digits;
    bool truncated = false;
    std::int64_t pointPos = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    for (;;) {
        const char32_t c = reader.peek();
        if (c == U'.' && !seenPoint) {
            seenPoint = true;
            reader.advance();
            continue;
        }
        if (!isDigit(c))
            break;
        reader.advance();
        seenDigit = true;
        if (c == U'0' && digits.empty()) {
            if (seenPoint)
                --pointPos;
            continue;
        }
        if (!seenPoint)
            ++pointPos;
        if (static_cast<int>(digits.size()) < kMaxDigits)
            digits.push_back(static_cast<char>(c));
        else if (c != U'0')
            truncated = true;
    }

    // A sign or point with no digit is no number at all.
    if (!seenDigit)
        return 0.0;

    std::int64_t exponent = 0;
    const char32_t marker = reader.peek();
    if (marker == U'E' || marker == U'e' || marker == U'D' || marker == U'd') {
        reader.advance();
        bool negativeExponent = false;
        if (reader.peek() == U'+' || reader.peek() == U'-') {
            negativeExponent = reader.peek() == U'-';
            reader.advance();
        }
        while (isDigit(reader.peek())) {
            if (exponent < kExponentCap)
                exponent = exponent * 10 + static_cast<std::int64_t>(reader.peek() - U'0');
            reader.advance();
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    const double zero = negative ? -0.0 : 0.0;
    if (digits.empty())
        return zero;
    const std::int64_t scale = pointPos + exponent;
    const double infinity = negative ? -std::numeric_limits<double>::infinity()
                                     : std::numeric_limits<double>::infinity();
    if (scale > 400)
        return infinity;
    if (scale < -400)
        return zero;

    if (truncated)
        digits.push_back('1');
    // double-conversion reads with correct rounding whatever the locale, and
    // gives an infinity or 0 beyond the double range.
    const std::string buffer = "0." + digits + 'e' + std::to_string(scale);
    static const double_conversion::StringToDoubleConverter converter(
        double_conversion::StringToDoubleConverter::NO_FLAGS, 0.0, 0.0, nullptr, nullptr);
    int processed = 0;
    const double magnitude =
        converter.StringToDouble(buffer.data(), static_cast<int>(buffer.size()), &processed);
    if (processed != static_cast<int>(buffer.size()))
        return zero;
    return negative ? -magnitude : magnitude;
}

// A single is shown with seven significant digits, in plain decimals as long
// as at most seven decimal places hold them.
constexpr int kShownDigits = 7;

// The exact value of a single has at most 112 significant digits, so this
// many after the first spell every single out in full.
constexpr int kExactDigits = 120;

// A magnitude rounded to seven significant digits: digits * 10^(exponent - 6),
// with digits from 1000000 to 9999999.
struct ShownDigits {
    std::int32_t digits;
    int exponent;
};

// Rounds as the old runtime did: a value exactly halfway between two
// seven-digit texts goes away from zero, so 654322.25 shows as 654322.3.
// Deciding that needs the exact digits, not a correctly rounded shorter text.
// Writes `magnitude` as d.ddd...e+X with `decimals` digits after the point,
// correctly rounded, and returns where the 'e' stands.
int WriteExponential(float magnitude, int decimals, char *buffer, int size)
{
    double_conversion::StringBuilder builder(buffer, size);
    double_conversion::DoubleToStringConverter::EcmaScriptConverter().ToExponential(
        static_cast<double>(magnitude), decimals, &builder);
    const int length = builder.position();
    builder.Finalize();
    return static_cast<int>(std::find(buffer, buffer + length, 'e') - buffer);
}

ShownDigits RoundForShowing(float magnitude)
{
    // Seventeen digits, correctly rounded, decide the seventh as the exact
    // value would, unless they sit exactly halfway between two seven-digit
    // texts: then the exact value may lie on either side of that point, and
    // every digit is written out. Rounding the short form first is what
    // keeps the text fast enough to describe a picture on every redraw.
    constexpr int kCloseDecimals = 16;
    char buffer[kExactDigits + 16];
    int mark = WriteExponential(magnitude, kCloseDecimals, buffer, sizeof buffer);
    const char *const tail = buffer + kShownDigits + 1;
    const char *const end = buffer + mark;
    const bool halfway =
        tail[0] == '5' && std::all_of(tail + 1, end, [](char c) { return c == '0'; });
    if (halfway)
        mark = WriteExponential(magnitude, kExactDigits, buffer, sizeof buffer);
    int exponent = static_cast<int>(std::strtol(buffer + mark + 1, nullptr, 10));

    std::int32_t digits = buffer[0] - '0';
    for (int i = 1; i < kShownDigits; ++i)
        digits = digits * 10 + (buffer[i + 1] - '0');
    if (buffer[kShownDigits + 1] >= '5')
        ++digits;
    if (digits > 9'999'999) {
        digits /= 10;
        ++exponent;
    }
    return {digits, exponent};
}

} // namespace

double ReadNumber(std::string_view text)
{
    Reader reader(text);
    if (reader.peek() == U'&') {
        reader.advance();
        const char32_t kind = reader.peek();
        if (kind == U'H' || kind == U'h') {
            reader.advance();
            return readRadix(reader, 16);
        }
        if (kind == U'O' || kind == U'o') {
            reader.advance();
            return readRadix(reader, 8);
        }
        return 0.0;
    }
    return readDecimal(reader);
}

float ToSingle(double value)
{
    if (std::isnan(value))
        return std::numeric_limits<float>::quiet_NaN();
    // Beyond FLT_MAX the cast is undefined behaviour, so the rounding that the
    // hardware would do is spelled out.
    const double magnitude = std::fabs(value);
    if (magnitude >= 0x1.ffffffp127)
        return std::signbit(value) ? -std::numeric_limits<float>::infinity()
                                   : std::numeric_limits<float>::infinity();
    if (magnitude > FLT_MAX)
        return std::signbit(value) ? -FLT_MAX : FLT_MAX;
    return static_cast<float>(value);
}

std::string NumberText(float value)
{
    if (std::isnan(value))
        return " NaN";
    if (std::isinf(value))
        return value > 0 ? " 1.#INF" : "-1.#INF";
    if (value == 0.0f)
        return " 0";

    const ShownDigits shown = RoundForShowing(std::fabs(value));
    // The seven digits without their trailing zeros.
    char digits[kShownDigits];
    int count = 0;
    for (std::int32_t rest = shown.digits, place = 1'000'000; place > 0; place /= 10) {
        digits[count++] = static_cast<char>('0' + rest / place);
        rest %= place;
    }
    while (count > 1 && digits[count - 1] == '0')
        --count;

    std::string text(1, value < 0 ? '-' : ' ');
    const int exponent = shown.exponent;
    // Unlike %g, the small side switches on the decimal places the digits
    // need, not on the exponent alone: .0000012 stays plain, while 1.5E-07
    // and 3.333333E-02 would need eight places.
    const int decimals = count - 1 - exponent;
    if (exponent >= kShownDigits || decimals > kShownDigits) {
        // 1E-08, 1.234568E+10: one digit before the point and an exponent of
        // at least two digits.
        text.push_back(digits[0]);
        if (count > 1) {
            text.push_back('.');
            text.append(digits + 1, digits + count);
        }
        text += exponent < 0 ? "E-" : "E+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10)
            text.push_back('0');
        text += std::to_string(magnitude);
    } else if (exponent < 0) {
        // No zero before the point: .00005, .3333333.
        text.push_back('.');
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text.append(digits, digits + count);
    } else if (count <= exponent + 1) {
        text.append(digits, digits + count);
        text.append(static_cast<std::size_t>(exponent + 1 - count), '0');
    } else {
        text.append(digits, digits + exponent + 1);
        text.push_back('.');
        text.append(digits + exponent + 1, digits + count);
    }
    return text;
}
