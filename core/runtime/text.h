// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

// Text is UTF-8 throughout the program.

// The true minus sign, which a speech synthesizer reads as "minus" rather
// than as a dash, and which the lesson writes in front of a negative number.
inline constexpr std::string_view MinusSign = "\u2212";

// The parts with `separator` between each two.
std::string Join(const std::vector<std::string> &parts, std::string_view separator);

// The text without blanks at either end.
std::string_view Trimmed(std::string_view text);

// A whole number in full-width digits, as the slot buttons write them: "１２".
std::string FullWidthDigits(int number);
