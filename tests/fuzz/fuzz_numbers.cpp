// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whatever a pupil types into a box, ReadNumber must give a number, and every single
// shown with NumberText must read back as the value the box shows. A violated rule
// aborts so that libFuzzer keeps the input that broke it.
#include "runtime/numbers.h"
#include "tests/support/sevendigits.h"

#include <QString>

#include <algorithm>
#include <bit>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// Where the value under test came from; the text is only formatted when a
// rule fails, so passing inputs cost no string building.
struct Origin {
    const char *reading;
    const QString *text = nullptr;
};

std::string escaped(const QString &text)
{
    constexpr qsizetype kShown = 120;
    std::string out;
    for (qsizetype i = 0; i < text.size() && i < kShown; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 0x20 && c < 0x7F && c != u'\\' && c != u'"') {
            out.push_back(static_cast<char>(c));
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04X", static_cast<unsigned>(c));
            out += buffer;
        }
    }
    if (text.size() > kShown)
        out += "...";
    return out;
}

[[noreturn]] void fail(const Origin &origin, const char *rule, double value,
                       const QString *shown = nullptr)
{
    std::fprintf(stderr, "\nfuzz_numbers: rule broken: %s\n", rule);
    std::fprintf(stderr, "  input read as %s", origin.reading);
    if (origin.text != nullptr)
        std::fprintf(stderr, ": \"%s\" (%lld UTF-16 units)", escaped(*origin.text).c_str(),
                     static_cast<long long>(origin.text->size()));
    std::fprintf(stderr, "\n  value: %.17g (%a)\n", value, value);
    if (shown != nullptr)
        std::fprintf(stderr, "  NumberText gives: \"%s\"\n", escaped(*shown).c_str());
    std::fflush(stderr);
    std::abort();
}

float sevenDigitSingle(const Origin &origin, float value)
{
    const std::optional<float> rounded = SevenDigitSingle(value);
    if (!rounded)
        fail(origin, "the seven-digit reference could not be computed", value);
    return *rounded;
}

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The shape of a finite, non-zero NumberText text after its leading blank or minus:
// plain decimals while at most seven integer digits and at most seven decimal
// places hold the (at most seven) digits, the exponent form "d.dddE+XX" only
// where the plain form could not hold them. Returns the broken rule or null.
const char *shapeError(const QString &shown)
{
    const qsizetype size = shown.size();
    qsizetype at = 1;
    const auto digitsFrom = [&](qsizetype from) {
        qsizetype end = from;
        while (end < size && isAsciiDigit(shown.at(end).unicode()))
            ++end;
        return end;
    };

    const qsizetype integerEnd = digitsFrom(at);
    const qsizetype integerDigits = integerEnd - at;
    qsizetype fractionDigits = 0;
    at = integerEnd;
    if (at < size && shown.at(at) == u'.') {
        const qsizetype fractionEnd = digitsFrom(at + 1);
        fractionDigits = fractionEnd - at - 1;
        if (fractionDigits == 0)
            return "NumberText writes a point with no digit after it";
        if (shown.at(fractionEnd - 1) == u'0')
            return "NumberText keeps a trailing zero after the point";
        at = fractionEnd;
    }
    if (integerDigits == 0 && fractionDigits == 0)
        return "NumberText writes no digit";
    if (integerDigits > 0 && shown.at(1) == u'0')
        return "NumberText writes a leading zero";

    if (at == size) {
        // Plain decimals: count the significant digits, leading zeros of the
        // fraction aside.
        qsizetype significant = integerDigits + fractionDigits;
        if (integerDigits == 0) {
            for (qsizetype i = 2; i < size && shown.at(i) == u'0'; ++i)
                --significant;
        }
        if (integerDigits > 7 || fractionDigits > 7 || significant > 7)
            return "NumberText writes plain decimals beyond seven digits or places";
        return nullptr;
    }

    // Exponent form: one digit from 1 to 9 before the point, a sign and at
    // least two exponent digits, and only where plain decimals do not fit.
    if (integerDigits != 1 || shown.at(1) == u'0' || fractionDigits > 6)
        return "NumberText writes a malformed exponent mantissa";
    if (shown.at(at) != u'E' || at + 1 >= size ||
        (shown.at(at + 1) != u'+' && shown.at(at + 1) != u'-'))
        return "NumberText writes a malformed exponent";
    const qsizetype exponentEnd = digitsFrom(at + 2);
    if (exponentEnd != size || exponentEnd - at - 2 < 2)
        return "NumberText writes a malformed exponent";
    const int exponent =
        (shown.at(at + 1) == u'-' ? -1 : 1) * QStringView(shown).sliced(at + 2).toInt();
    const bool plainFits = exponent < 7 && (exponent >= 0 || fractionDigits - exponent <= 7);
    if (plainFits)
        return "NumberText writes the exponent form where plain decimals fit";
    return nullptr;
}

void checkSingle(const Origin &origin, float value)
{
    if (std::isnan(value))
        return;
    const QString shown = QString::fromStdString(NumberText(value));
    if (shown.isEmpty())
        fail(origin, "NumberText gives an empty text", value);
    const char16_t lead = shown.front().unicode();
    if (lead != u' ' && lead != u'-')
        fail(origin, "NumberText starts with neither a blank nor a minus", value, &shown);
    if ((lead == u'-') != (value < 0))
        fail(origin, "NumberText shows the wrong sign", value, &shown);
    if (!std::isfinite(value))
        return;

    if (value != 0.0f) {
        if (const char *error = shapeError(shown))
            fail(origin, error, value, &shown);
    }

    const float back = ToSingle(ReadNumber(shown.toStdString()));
    // -0 is shown as " 0" and reads back as +0; == counts the two zeros equal
    // and is exact for everything else.
    if (!(back == sevenDigitSingle(origin, value)))
        fail(origin, "ReadNumber(NumberText(x)) is not x rounded to seven digits", value, &shown);
    // Showing the value read back need not repeat the text: the single nearest
    // 1E+28 is 9.999999E+27, so that rule is deliberately not checked.
}

bool isOtherMinus(QChar c)
{
    return c == u'\u30FC' || c == u'\u2212' || c == u'\u2010';
}

void checkText(const Origin &origin)
{
    const double value = ReadNumber(origin.text->toStdString());
    if (std::isnan(value))
        fail(origin, "ReadNumber gives NaN", value);
    // The minus keys of other input methods read exactly as "-" does, in
    // every place of the text.
    if (std::any_of(origin.text->cbegin(), origin.text->cend(), isOtherMinus)) {
        QString ascii = *origin.text;
        std::replace_if(ascii.begin(), ascii.end(), isOtherMinus, QChar(u'-'));
        const double asciiValue = ReadNumber(ascii.toStdString());
        if (std::memcmp(&value, &asciiValue, sizeof value) != 0)
            fail(origin, "an input method's minus reads unlike \"-\"", value);
    }
    const float single = ToSingle(value);
    if (std::isnan(single))
        fail(origin, "ToSingle(ReadNumber(text)) is NaN", value);
    checkSingle(origin, single);
}

void checkDouble(const Origin &origin, double value)
{
    const float single = ToSingle(value);
    if (std::isnan(value) != std::isnan(single))
        fail(origin, "ToSingle makes or loses a NaN", value);
    if (std::isnan(value))
        return;
    if (std::signbit(value) != std::signbit(single))
        fail(origin, "ToSingle changes the sign", value);
    // Inside the single range the hardware conversion is defined and is the
    // reference.
    if (std::fabs(value) <= FLT_MAX && single != static_cast<float>(value))
        fail(origin, "ToSingle differs from the hardware conversion", value);
    checkSingle(origin, single);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The bytes as they come, well-formed UTF-8 or not: a face may hand over
    // anything.
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    if (std::isnan(ReadNumber(bytes)))
        fail({"raw bytes"}, "ReadNumber gives NaN", 0);
    const QString utf8 =
        QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    checkText({"UTF-8", &utf8});

    // Raw code units reach full-width forms, U+3000 and lone surrogates
    // without depending on what the UTF-8 decoder accepts.
    if (size >= 2) {
        QString units(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
        std::memcpy(units.data(), data, (size / 2) * sizeof(char16_t));
        checkText({"UTF-16", &units});
    }

    if (size >= 4) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        checkSingle({"the bits of a single (first 4 bytes)"}, std::bit_cast<float>(bits));
    }
    if (size >= 8) {
        std::uint64_t bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        checkDouble({"the bits of a double (first 8 bytes)"}, std::bit_cast<double>(bits));
    }
    return 0;
}
