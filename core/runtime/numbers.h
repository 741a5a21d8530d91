// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

// The number rules the boxes and tick labels follow: text is read and
// numbers are shown as the old BASIC did (its Val and Str), so a stored line
// reads back exactly as a pupil of the original program would see it.

// Reads the leading number of `text`, UTF-8. Blanks, tabs and line feeds are skipped
// wherever they stand, then an optional sign, digits with at most one point
// and an optional exponent (E or D) are read; "&H" and "&O" read hexadecimal
// and octal. Reading stops at the first character that cannot continue the
// number; a text with no leading number gives 0. Full-width forms, as a
// Japanese input method types them, read like their ASCII twins, and so do
// the long vowel mark "ー" (what the minus key types in hiragana mode), the
// minus sign "−" and the hyphen "‐", all read as "-". Never NaN: a magnitude
// beyond the double range reads as an infinity. Bytes that are not UTF-8
// end the number, as any other character that cannot continue it.
double ReadNumber(std::string_view text);

// Rounds a double to the nearest single, the way a value is stored in a slot.
// Defined for every input: beyond the single range gives an infinity, a tiny
// magnitude may give 0, NaN stays NaN.
float ToSingle(double value);

// Shows a single as the boxes do: seven significant digits, a value exactly
// halfway rounded away from zero, no trailing zeros, no zero before the
// point, a leading blank for 0 and above and "-" below. Plain decimals as
// long as the integer part has at most seven digits and at most seven decimal
// places hold the rest (" .0000001", " 1234567", " .3333333"); beyond that
// the exponent form " 1E-08", " 1.5E-07", " 3.333333E-02", " 1.234568E+07".
std::string NumberText(float value);
