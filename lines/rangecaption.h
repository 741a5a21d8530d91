// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <optional>

// The caption "≦ ｙ≦" rests either under the draw button, where nothing of it
// shows and the range row reads "≦χ≦", or over "≦χ≦", for a vertical line.
inline constexpr int RangeCaptionHiddenTop = 456;
inline constexpr int RangeCaptionShownTop = 408;

// Where the caption goes for the text typed as b: over "≦χ≦" when b reads as
// exactly 0 (b = 0 is a vertical line, ranged in y), hidden otherwise. An
// empty text moves nothing.
std::optional<int> RangeCaptionTopFor(const QString &bText);
