// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

// The number rules' tables, in plain C++ and UTF-8, so that the same rows run
// on the desktop under Qt Test and in the browser's arithmetic under node.
namespace numbertables {

inline constexpr double kInf = std::numeric_limits<double>::infinity();

// A UTF-8 literal as a std::string.
inline std::string u8s(const char *text)
{
    return text;
}

// The decimal digits of 5^n. 5^1076 * 10^-1075 is exactly halfway between
// the second and third smallest positive doubles, a tie that only a reader
// keeping all of its 753 digits decides right.
inline std::string PowerOfFive(int n)
{
    std::vector<int> digits{1}; // Least significant first.
    for (int i = 0; i < n; ++i) {
        int carry = 0;
        for (int &digit : digits) {
            const int product = digit * 5 + carry;
            digit = product % 10;
            carry = product / 10;
        }
        if (carry > 0)
            digits.push_back(carry);
    }
    std::string text;
    for (auto it = digits.rbegin(); it != digits.rend(); ++it)
        text += static_cast<char>('0' + *it);
    return text;
}

// A text and the double ReadNumber must read from it, to the last bit.
struct ValRow {
    std::string name;
    std::string text;
    double expected;
};

inline std::vector<ValRow> ValRows()
{
    std::vector<ValRow> rows;
    // Plain decimals and where reading stops.
    rows.push_back({"integer", u8s("12"), 12});
    rows.push_back({"12abc", u8s("12abc"), 12});
    rows.push_back({".5", u8s(".5"), 0.5});
    rows.push_back({"5.", u8s("5."), 5});
    rows.push_back({"-.25", u8s("-.25"), -0.25});
    rows.push_back({"0.0", u8s("0.0"), 0});
    rows.push_back({"0.1", u8s("0.1"), 0.1});
    rows.push_back({"1.2.3", u8s("1.2.3"), 1.2});
    rows.push_back({"+7", u8s("+7"), 7});
    rows.push_back({"1E", u8s("1E"), 1});
    rows.push_back({"1E+", u8s("1E+"), 1});
    rows.push_back({"1D2", u8s("1D2"), 100});
    rows.push_back({"1d-2", u8s("1d-2"), 0.01});
    rows.push_back({"2.5e3", u8s("2.5e3"), 2500});
    rows.push_back({"1E2E3", u8s("1E2E3"), 100});
    // Texts without a number.
    rows.push_back({"empty", std::string(), 0});
    rows.push_back({"point", u8s("."), 0});
    rows.push_back({"minus", u8s("-"), 0});
    rows.push_back({"plus", u8s("+"), 0});
    rows.push_back({"--5", u8s("--5"), 0});
    rows.push_back({"+-5", u8s("+-5"), 0});
    rows.push_back({"abc", u8s("abc"), 0});
    rows.push_back({"x", u8s("x"), 0});
    rows.push_back({"E5", u8s("E5"), 0});
    rows.push_back({"NUL stops",
                    std::string("1\0"
                                "2",
                                3),
                    1});
    // Blanks anywhere.
    rows.push_back({"1 2", u8s("1 2"), 12});
    rows.push_back({" - 5", u8s(" - 5"), -5});
    rows.push_back({"tabs and line feeds", u8s("\t1\n.\t5 E\n1"), 15});
    rows.push_back({"ideographic space", u8s("1\u30002"), 12});
    rows.push_back({"carriage return stops", u8s("1\r2"), 1});
    // Full-width forms.
    rows.push_back({"full-width 2", u8s("\uFF12"), 2});
    rows.push_back({"full-width -3.5", u8s("\uFF0D\uFF13\uFF0E\uFF15"), -3.5});
    rows.push_back({"full-width 1E2", u8s("\uFF11\uFF25\uFF12"), 100});
    rows.push_back({"full-width 1e2", u8s("\uFF11\uFF45\uFF12"), 100});
    rows.push_back({"full-width &H10", u8s("\uFF06\uFF28\uFF11\uFF10"), 16});
    // The minus keys of Japanese and other input methods.
    rows.push_back({"long vowel mark 3", u8s("\u30FC\uFF13"), -3});
    rows.push_back({"minus sign .5", u8s("\u2212.5"), -0.5});
    rows.push_back({"hyphen, blank, 4", u8s("\u2010 4"), -4});
    rows.push_back({"1E long vowel mark 2", u8s("1E\u30FC2"), 0.01});
    rows.push_back({"3 long vowel mark 1", u8s("3\u30FC1"), 3});
    rows.push_back({"two long vowel marks", u8s("\u30FC\u30FC5"), 0});
    // Hexadecimal and octal as the old 16- and 32-bit integers.
    rows.push_back({"&H10", u8s("&H10"), 16});
    rows.push_back({"&hff", u8s("&hff"), 255});
    rows.push_back({"&H7FFF", u8s("&H7FFF"), 32767});
    rows.push_back({"&H8000", u8s("&H8000"), -32768});
    rows.push_back({"&HFFFF", u8s("&HFFFF"), -1});
    rows.push_back({"&H10000", u8s("&H10000"), 65536});
    rows.push_back({"&HFFFFFFFF", u8s("&HFFFFFFFF"), -1});
    rows.push_back({"&H80000000", u8s("&H80000000"), -2147483648.0});
    rows.push_back({"&H100000000", u8s("&H100000000"), kInf});
    rows.push_back({"leading zeros", u8s("&H0000000000000000FFFF"), -1});
    rows.push_back({"&H1G", u8s("&H1G"), 1});
    rows.push_back({"blanks in hex", u8s(" & H 1 0"), 16});
    rows.push_back({"&H", u8s("&H"), 0});
    rows.push_back({"&", u8s("&"), 0});
    rows.push_back({"&Q1", u8s("&Q1"), 0});
    rows.push_back({"-&H10", u8s("-&H10"), 0});
    rows.push_back({"&O17", u8s("&O17"), 15});
    rows.push_back({"&O177777", u8s("&O177777"), -1});
    rows.push_back({"&O8", u8s("&O8"), 0});
    rows.push_back({"&O40000000000", u8s("&O40000000000"), kInf});
    // Range ends, huge exponents and long texts.
    rows.push_back({"1E308", u8s("1E308"), 1e308});
    rows.push_back({"max double", u8s("1.7976931348623157E308"), 1.7976931348623157e308});
    rows.push_back({"above max", u8s("1.7976931348623159E308"), kInf});
    rows.push_back({"1E999999999", u8s("1E999999999"), kInf});
    rows.push_back({"-1E999999999", u8s("-1E999999999"), -kInf});
    rows.push_back({"1E-huge", u8s("1E-99999999999999999999"), 0});
    rows.push_back({"0E huge", u8s("0E99999999999999999999"), 0});
    rows.push_back({"4.9E-324", u8s("4.9E-324"), std::numeric_limits<double>::denorm_min()});
    rows.push_back({"just above half denorm", u8s("2.4703282292062328E-324"),
                    std::numeric_limits<double>::denorm_min()});
    rows.push_back({"just below half denorm", u8s("2.4703282292062327E-324"), 0});
    rows.push_back({"min normal", u8s("2.2250738585072014E-308"), 2.2250738585072014e-308});
    rows.push_back({"-1E-400", u8s("-1E-400"), 0});
    const std::string zeros(1000, '0');
    rows.push_back(
        {"halfway rounds to even", u8s("9007199254740993.") + zeros, 9007199254740992.0});
    rows.push_back({"just above halfway", u8s("9007199254740993") + zeros + u8s("1E-1001"),
                    9007199254740994.0});
    const double denorm = std::numeric_limits<double>::denorm_min();
    rows.push_back({"long tie rounds to even", PowerOfFive(1076) + u8s("E-1075"), 2 * denorm});
    rows.push_back({"long tie plus a little", PowerOfFive(1076) + u8s("1E-1076"), 3 * denorm});
    rows.push_back(
        {"tie above 1", u8s("1.00000000000000011102230246251565404236316680908203125"), 1});
    rows.push_back({"400 digits", u8s("1") + std::string(399, '0'), kInf});
    rows.push_back(
        {"400 digits scaled", u8s("12345") + std::string(395, '0') + u8s("E-399"), 1.2345});
    rows.push_back({"100000 nines", std::string(100000, '9'), kInf});
    rows.push_back(
        {"100000 digits scaled", u8s("1") + std::string(99999, '0') + u8s("E-99999"), 1});
    rows.push_back(
        {"tiny fraction scaled", u8s(".") + std::string(99998, '0') + u8s("1E99999"), 1});
    rows.push_back({"1 and 99999 blanks", u8s("1") + std::string(99999, ' '), 1});
    return rows;
}

// A double and the single it is stored as.
struct SingleRow {
    const char *name;
    double value;
    float expected;
};

inline std::vector<SingleRow> ToSingleRows()
{
    std::vector<SingleRow> rows;
    const double threshold = 0x1.ffffffp127;
    const float fInf = std::numeric_limits<float>::infinity();
    rows.push_back({"0.1", 0.1, 0.1f});
    rows.push_back({"1e39", 1e39, fInf});
    rows.push_back({"-1e39", -1e39, -fInf});
    rows.push_back({"threshold", 3.4028235677973366e38, fInf});
    rows.push_back({"-threshold", -threshold, -fInf});
    rows.push_back({"below threshold", std::nextafter(threshold, 0.0), FLT_MAX});
    rows.push_back({"-below threshold", -std::nextafter(threshold, 0.0), -FLT_MAX});
    rows.push_back({"FLT_MAX", double(FLT_MAX), FLT_MAX});
    rows.push_back({"double max", DBL_MAX, fInf});
    rows.push_back({"tie to even", 16777217.0, 16777216.0f});
    rows.push_back({"1e-45", 1e-45, std::numeric_limits<float>::denorm_min()});
    rows.push_back({"7e-46", 7e-46, 0.0f});
    rows.push_back({"1e-50", 1e-50, 0.0f});
    rows.push_back(
        {"NaN", std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN()});
    return rows;
}

// A single and the text the boxes show for it.
struct StrRow {
    const char *name;
    float value;
    const char *expected;
};

inline std::vector<StrRow> StrRows()
{
    std::vector<StrRow> rows;
    rows.push_back({" 0", 0.0f, " 0"});
    rows.push_back({"-0", -0.0f, " 0"});
    rows.push_back({" 5", 5.0f, " 5"});
    rows.push_back({"-10", -10.0f, "-10"});
    rows.push_back({" 3", 3.0f, " 3"});
    rows.push_back({" 1.5", 1.5f, " 1.5"});
    rows.push_back({" .1", 0.1f, " .1"});
    rows.push_back({" .5", 0.5f, " .5"});
    rows.push_back({"-.25", -0.25f, "-.25"});
    rows.push_back({" .3333333", 1.0f / 3, " .3333333"});
    rows.push_back({" .6666667", 2.0f / 3, " .6666667"});
    rows.push_back({" .0001", 1e-4f, " .0001"});
    // Plain decimals as long as seven places hold the digits, then the
    // exponent form.
    rows.push_back({" .00001", 1e-5f, " .00001"});
    rows.push_back({"-.00001", -1e-5f, "-.00001"});
    rows.push_back({" .00005", 5e-5f, " .00005"});
    rows.push_back({" .000005", 5e-6f, " .000005"});
    rows.push_back({" .0000012", 1.2e-6f, " .0000012"});
    rows.push_back({" .0000001", 1e-7f, " .0000001"});
    rows.push_back({" 1.5E-07", 1.5e-7f, " 1.5E-07"});
    rows.push_back({" 1E-08", 1e-8f, " 1E-08"});
    rows.push_back({" 1.234E-05", 1.234e-5f, " 1.234E-05"});
    rows.push_back({" 1.234567E-02", 0.01234567f, " 1.234567E-02"});
    rows.push_back({" 123.456", 123.456f, " 123.456"});
    rows.push_back({" 1000000", 1e6f, " 1000000"});
    rows.push_back({" 9999999", 9999999.0f, " 9999999"});
    rows.push_back({" 1E+07", 1e7f, " 1E+07"});
    rows.push_back({" 1.234568E+07", 12345678.0f, " 1.234568E+07"});
    rows.push_back({"-1.234568E+07", -12345678.0f, "-1.234568E+07"});
    rows.push_back({" 1.234568E+10", 12345678901.0f, " 1.234568E+10"});
    // Exactly halfway between two seven-digit texts: away from zero.
    rows.push_back({" 654322.3", 654322.25f, " 654322.3"});
    rows.push_back({"-654322.3", -654322.25f, "-654322.3"});
    rows.push_back({" 1.439679E+07", 14396785.0f, " 1.439679E+07"});
    // Just below halfway (1.00484549999237...): a shorter rounded text would
    // look like a tie, but it must not round up.
    rows.push_back({" 1.004845", 1.0048455f, " 1.004845"});
    rows.push_back({" 3.402823E+38", FLT_MAX, " 3.402823E+38"});
    rows.push_back({" 1.401298E-45", std::numeric_limits<float>::denorm_min(), " 1.401298E-45"});
    rows.push_back({" 1.#INF", std::numeric_limits<float>::infinity(), " 1.#INF"});
    rows.push_back({"-1.#INF", -std::numeric_limits<float>::infinity(), "-1.#INF"});
    rows.push_back({" NaN", std::numeric_limits<float>::quiet_NaN(), " NaN"});
    return rows;
}

// Values a lesson uses, which must read back as themselves.
inline std::vector<float> ClassroomValues()
{
    return {0.1f,   1.5f,  -2.0f,  12.25f,  0.3333333f, -0.5f,   3.14f,
            100.0f, 0.01f, -7.75f, 2.5e-3f, 1e7f,       65536.0f};
}

} // namespace numbertables
