// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/text.h"

std::string Join(const std::vector<std::string> &parts, std::string_view separator)
{
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            joined += separator;
        joined += parts[i];
    }
    return joined;
}

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\n\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\n\r");
    return text.substr(first, last - first + 1);
}

std::string FullWidthDigits(int number)
{
    std::string text;
    for (const char digit : std::to_string(number)) {
        if (digit == '-') {
            text += MinusSign;
            continue;
        }
        // U+FF10 to U+FF19: EF BC 90 to EF BC 99.
        text += "\xEF\xBC";
        text.push_back(static_cast<char>(0x90 + (digit - '0')));
    }
    return text;
}
