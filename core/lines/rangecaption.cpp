// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/rangecaption.h"

#include "runtime/vbnumber.h"

std::optional<RangeOf> RangeForTypedB(std::string_view bText)
{
    if (bText.empty())
        return std::nullopt;
    // The test is made on the double that is read, not on the single that a
    // drawn line will store: 1E-50 is not 0 here.
    return RangeFor(vb::Val(bText));
}
