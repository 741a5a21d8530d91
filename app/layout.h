// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "plane/planesizes.h"

#include <QFont>

#include <cstddef>
#include <span>

// Everything Form1 shows, as laid out on its 935 x 650 client area.
enum class ControlKind { Surface, Label, Button, Option, Box, Shape };

// Font styles: size in pixels of the em and weight.
enum class FontStyle { None, R12, B12, B14, B20, R24 };

// What a control stands on: the green window or the olive panel. Labels and
// slot buttons take its colour; buttons and boxes keep the platform's own.
enum class Ground { Window, Panel };

// The tab index of a control that never takes the focus: labels and the shape.
inline constexpr int NoTabStop = -1;

struct ControlLayout {
    const char *name; // the control's name; control arrays add an index
    int index;        // index in its control array, or -1
    ControlKind kind;
    int left;
    int top;
    int width;
    int height;
    const char *text; // UTF-8 caption
    FontStyle font;
    Ground ground;
    int tabIndex = NoTabStop;
};

inline constexpr int FormWidth = 935;
inline constexpr int FormHeight = 650;
inline constexpr int FormLeft = 4;
inline constexpr int FormTop = 30;

// Every control, in creation order, which is stacking order: the shape and
// the labels back to front, then the buttons, boxes and the surface in front
// of all of them.
std::span<const ControlLayout> FormLayout();

int PixelSize(FontStyle style);
bool IsBold(FontStyle style);
// The Japanese gothic face in a style's pixel size and weight.
QFont ControlFont(FontStyle style);

// The size buttons show the chosen plane size large and bold, the others
// plain.
inline constexpr FontStyle ScaleButtonPlainFont = FontStyle::R12;
inline constexpr FontStyle ScaleButtonChosenFont = FontStyle::B20;
constexpr FontStyle ScaleButtonFont(std::size_t index)
{
    return index == StartPlaneSize ? ScaleButtonChosenFont : ScaleButtonPlainFont;
}
