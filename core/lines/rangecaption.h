// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"

#include <optional>
#include <string_view>

// The caption "≦ ｙ≦" rests either under the draw button, where nothing of it
// shows and the range row reads "≦χ≦", or over "≦χ≦", for a range of y.
inline constexpr int RangeCaptionHiddenTop = 456;
inline constexpr int RangeCaptionShownTop = 408;
constexpr int RangeCaptionTop(RangeOf range)
{
    return range == RangeOf::Y ? RangeCaptionShownTop : RangeCaptionHiddenTop;
}

// What the range of the line being typed runs over, going by the text typed
// as b; nothing for an empty text, which moves no caption.
std::optional<RangeOf> RangeForTypedB(std::string_view bText);
