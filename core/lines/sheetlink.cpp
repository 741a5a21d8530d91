// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/sheetlink.h"

#include "plane/planesizes.h"

#include <double-conversion/double-to-string.h>
#include <double-conversion/string-to-double.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The size keys, in the order of PlaneSizes: 小, 中, 大.
constexpr std::array<char, 3> SizeCodes = {'s', 'm', 'l'};
constexpr int LineNumbers = 5;

std::string DigitsOf(int n)
{
    return std::to_string(n);
}

// The shortest text of `value` in the link's grammar. The shortest digits
// that read back to the single are fixed; what is left is where the point
// goes. Plain decimals ("0.001", "1.5", "1200") or the digits as a whole
// number with an exponent ("15e-8", "12e7"), whichever is shorter, plain
// when both are as long: a point inside the mantissa costs a character and
// saves at most one of the exponent's.
std::string NumberOf(float value)
{
    std::array<char, 32> digits{};
    bool sign = false;
    int length = 0;
    int point = 0;
    double_conversion::DoubleToStringConverter::DoubleToAscii(
        value, double_conversion::DoubleToStringConverter::SHORTEST_SINGLE, 0, digits.data(),
        static_cast<int>(digits.size()), &sign, &length, &point);
    const std::string shortest(digits.data(), static_cast<std::size_t>(length));
    std::string plain;
    if (point <= 0)
        plain = "0." + std::string(static_cast<std::size_t>(-point), '0') + shortest;
    else if (point >= length)
        plain = shortest + std::string(static_cast<std::size_t>(point - length), '0');
    else
        plain = shortest.substr(0, static_cast<std::size_t>(point)) + "." +
                shortest.substr(static_cast<std::size_t>(point));
    const std::string scaled = shortest + "e" + DigitsOf(point - length);
    const std::string &chosen = scaled.size() < plain.size() ? scaled : plain;
    return std::signbit(value) ? "-" + chosen : chosen;
}

bool Finite(const LineSlot &line)
{
    return std::isfinite(line.A) && std::isfinite(line.B) && std::isfinite(line.C) &&
           std::isfinite(line.From) && std::isfinite(line.To);
}

bool Written(const LineSlot &line)
{
    return line.IsDrawn() && Finite(line);
}

// The slot drawing the written lines in slot order leaves selected.
int SlotAfter(int highest)
{
    return (highest + 1) % SlotButtonCount;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Skips a run of digits from `at`; says whether there was at least one.
bool SkipDigits(std::string_view text, std::size_t &at)
{
    const std::size_t from = at;
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at > from;
}

// Whether `text` is "-"? digits ("." digits)? ("e" [+-]? digits)?.
bool FollowsGrammar(std::string_view text)
{
    std::size_t at = 0;
    if (at < text.size() && text[at] == '-')
        ++at;
    if (!SkipDigits(text, at))
        return false;
    if (at < text.size() && text[at] == '.') {
        ++at;
        if (!SkipDigits(text, at))
            return false;
    }
    if (at < text.size() && text[at] == 'e') {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-'))
            ++at;
        if (!SkipDigits(text, at))
            return false;
    }
    return at == text.size();
}

// One number of a line, rounded correctly to single; nothing with `fault`
// set when it is not one.
std::optional<float> ReadNumberOfLink(std::string_view text, LinkFault &fault)
{
    if (!FollowsGrammar(text)) {
        fault = LinkFault::BadNumber;
        return std::nullopt;
    }
    static const double_conversion::StringToDoubleConverter converter(
        double_conversion::StringToDoubleConverter::NO_FLAGS, 0.0, 0.0, nullptr, nullptr);
    int processed = 0;
    const float value =
        converter.StringToFloat(text.data(), static_cast<int>(text.size()), &processed);
    if (processed != static_cast<int>(text.size())) {
        fault = LinkFault::BadNumber;
        return std::nullopt;
    }
    if (!std::isfinite(value)) {
        fault = LinkFault::NotFinite;
        return std::nullopt;
    }
    return value;
}

// The keys a link knows besides the slots, each at most once.
enum class Key { Size, Marks, View, Slot, Count };

std::optional<Key> KnownKey(std::string_view key)
{
    if (key == "size")
        return Key::Size;
    if (key == "marks")
        return Key::Marks;
    if (key == "view")
        return Key::View;
    if (key == "slot")
        return Key::Slot;
    return std::nullopt;
}

// "1" to "8" as a slot, 0 to 7; -1 for anything else.
int SlotOf(std::string_view text)
{
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '8')
        return text[0] - '1';
    return -1;
}

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// What reading collects before the sheet is made.
struct Lesson {
    std::array<std::optional<LineSlot>, SlotButtonCount> lines;
    std::array<bool, static_cast<std::size_t>(Key::Count)> given{};
    bool anyKey = false; // a line or a known key
    std::size_t size = StartPlaneSize;
    bool marks = false;
    bool view = false;
    int slot = -1;
};

LinkReading Refused(LinkFault fault, int slot, std::string_view key)
{
    LinkReading reading;
    reading.fault = fault;
    reading.slot = slot;
    // A key may be anything; a few characters name it well enough.
    reading.key = std::string(key.substr(0, 8));
    return reading;
}

// Reads a line's five numbers.
LinkReading ReadLine(Lesson &lesson, int slot, std::string_view value, std::string_view key)
{
    if (value.empty())
        return Refused(LinkFault::TooFewNumbers, slot, key);
    std::array<float, LineNumbers> numbers{};
    std::size_t count = 0;
    std::size_t from = 0;
    while (true) {
        const std::size_t comma = value.find(',', from);
        const std::string_view text = value.substr(from, comma - from);
        if (count == LineNumbers)
            return Refused(LinkFault::TooManyNumbers, slot, key);
        LinkFault fault = LinkFault::None;
        const std::optional<float> number = ReadNumberOfLink(text, fault);
        if (!number)
            return Refused(fault, slot, key);
        numbers[count++] = *number;
        if (comma == std::string_view::npos)
            break;
        from = comma + 1;
    }
    if (count < LineNumbers)
        return Refused(LinkFault::TooFewNumbers, slot, key);
    LineSlot line;
    line.A = numbers[0];
    line.B = numbers[1];
    line.C = numbers[2];
    line.From = numbers[3];
    line.To = numbers[4];
    lesson.lines[static_cast<std::size_t>(slot)] = line;
    return {};
}

// Reads one "key=value" part into `lesson`; the fault, if it is none.
LinkReading ReadPart(Lesson &lesson, std::string_view key, std::string_view value)
{
    if (!key.empty() && std::all_of(key.begin(), key.end(), IsDigit)) {
        const int slot = SlotOf(key);
        if (slot < 0)
            return Refused(LinkFault::BadSlot, -1, key);
        if (lesson.lines[static_cast<std::size_t>(slot)])
            return Refused(LinkFault::Repeated, slot, key);
        lesson.anyKey = true;
        return ReadLine(lesson, slot, value, key);
    }
    const std::optional<Key> known = KnownKey(key);
    if (!known)
        return {};
    lesson.anyKey = true;
    bool &given = lesson.given[static_cast<std::size_t>(*known)];
    if (given)
        return Refused(LinkFault::Repeated, -1, key);
    given = true;
    switch (*known) {
    case Key::Size:
        for (std::size_t size = 0; size < SizeCodes.size(); ++size) {
            if (value.size() == 1 && value[0] == SizeCodes[size]) {
                lesson.size = size;
                return {};
            }
        }
        return Refused(LinkFault::BadValue, -1, key);
    case Key::Marks:
    case Key::View: {
        if (value != "0" && value != "1")
            return Refused(LinkFault::BadValue, -1, key);
        (*known == Key::Marks ? lesson.marks : lesson.view) = value == "1";
        return {};
    }
    case Key::Slot:
        lesson.slot = SlotOf(value);
        if (lesson.slot < 0)
            return Refused(LinkFault::BadSlot, -1, key);
        return {};
    case Key::Count:
        break;
    }
    return {};
}

Sheet SheetOf(const Lesson &lesson)
{
    // Drawn as a pupil would draw them, into their slots in slot order.
    Sheet drawn;
    for (int slot = 0; slot < SlotButtonCount; ++slot) {
        if (const auto &line = lesson.lines[static_cast<std::size_t>(slot)]) {
            drawn.Select(slot);
            drawn.DrawLine(*line);
        }
    }
    if (lesson.slot >= 0)
        drawn.Select(lesson.slot);
    drawn.ChooseSize(lesson.size);
    drawn.ShowMarks(lesson.marks);
    drawn.ShowFunction(lesson.view);
    // The same, without the steps of drawing it.
    Sheet sheet;
    sheet.Open(drawn, false);
    return sheet;
}

} // namespace

std::string LinkOf(const Sheet &sheet)
{
    std::string link = "#";
    const auto add = [&link](const std::string &part) {
        if (link.size() > 1)
            link += '&';
        link += part;
    };
    int highest = -1;
    for (int slot = 0; slot < SlotButtonCount; ++slot) {
        const LineSlot &line = sheet.Lines().Slot(slot);
        if (!Written(line))
            continue;
        highest = slot;
        add(DigitsOf(slot + 1) + "=" + NumberOf(line.A) + "," + NumberOf(line.B) + "," +
            NumberOf(line.C) + "," + NumberOf(line.From) + "," + NumberOf(line.To));
    }
    if (sheet.Size() != StartPlaneSize && sheet.Size() < SizeCodes.size())
        add(std::string("size=") + SizeCodes[sheet.Size()]);
    if (sheet.MarksShown())
        add("marks=1");
    if (sheet.FunctionShown())
        add("view=1");
    if (sheet.Selected() != SlotAfter(highest))
        add("slot=" + DigitsOf(sheet.Selected() + 1));
    return link;
}

LinkReading ReadLink(std::string_view text)
{
    text = Trimmed(text);
    if (text.size() > LinkMaxLength)
        return Refused(LinkFault::TooLong, -1, {});
    // Whatever follows "#" is a lesson, even an empty one; a text without
    // "#" must be keys and values, so that an address or a sentence on the
    // clipboard is not taken for an empty lesson.
    const std::size_t hash = text.find('#');
    const bool bare = hash == std::string_view::npos;
    if (bare && text.find("://") != std::string_view::npos)
        return Refused(LinkFault::NotALink, -1, {});
    const std::string_view fragment = bare ? text : text.substr(hash + 1);
    Lesson lesson;
    std::size_t from = 0;
    while (from <= fragment.size()) {
        const std::size_t amp = std::min(fragment.find('&', from), fragment.size());
        const std::string_view part = fragment.substr(from, amp - from);
        from = amp + 1;
        if (part.empty())
            continue;
        const std::size_t equals = part.find('=');
        const std::string_view key = part.substr(0, equals);
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view{} : part.substr(equals + 1);
        LinkReading fault = ReadPart(lesson, key, value);
        if (fault.fault != LinkFault::None)
            return fault;
    }
    if (bare && !lesson.anyKey)
        return Refused(LinkFault::NotALink, -1, {});
    LinkReading reading;
    reading.sheet = SheetOf(lesson);
    return reading;
}
