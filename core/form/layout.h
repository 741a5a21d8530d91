// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/rangecaption.h"
#include "plane/planesizes.h"
#include "surface/surface.h"

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

// Everything Form1 shows, as laid out on its 935 x 650 client area. Every face
// builds its controls from this table.
enum class ControlKind { Surface, Label, Button, Option, Box, Shape };

// Font styles: size in points and weight.
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

// The colours of the window: its green ground, the olive panel, the white
// captions on both and the black frame of the panel.
inline constexpr vb::Rgb WindowGround = vb::RgbOf(0, 128, 0);
inline constexpr vb::Rgb PanelGround = vb::RgbOf(128, 128, 0);
inline constexpr vb::Rgb CaptionColour = vb::RgbOf(255, 255, 255);
inline constexpr vb::Rgb PanelFrameColour = vb::RgbOf(0, 0, 0);

constexpr vb::Rgb GroundColour(Ground ground)
{
    return ground == Ground::Panel ? PanelGround : WindowGround;
}

// The size buttons show the chosen plane size large and bold, the others
// plain.
inline constexpr FontStyle ScaleButtonPlainFont = FontStyle::R12;
inline constexpr FontStyle ScaleButtonChosenFont = FontStyle::B20;
constexpr FontStyle ScaleButtonFont(std::size_t index, std::size_t chosen = StartPlaneSize)
{
    return index == chosen ? ScaleButtonChosenFont : ScaleButtonPlainFont;
}

namespace layout_table {

using K = ControlKind;
using F = FontStyle;
using G = Ground;

// Every control, in creation order, which is stacking order: the shape and
// the labels back to front, then the buttons, boxes and the surface in front
// of all of them.
inline constexpr std::array<ControlLayout, 37> Controls = {{
    // Labels and the shape, back to front.
    {"Shape1", -1, K::Shape, 648, 240, 273, 313, "", F::None, G::Panel},
    {"Label1", -1, K::Label, 720, 56, 130, 16, "座標平面の大きさ", F::B12, G::Window},
    {"Label5", 0, K::Label, 304, 0, 25, 33, "ｙ", F::B20, G::Window},
    {"Label5", 1, K::Label, 616, 328, 25, 33, "χ", F::B20, G::Window},
    {"Label2", -1, K::Label, 816, 344, 49, 33, "ｙ＝", F::B20, G::Panel},
    {"Label3", -1, K::Label, 704, 344, 25, 33, "χ", F::B20, G::Panel},
    {"Label4", -1, K::Label, 728, 344, 25, 33, "＋", F::B20, G::Panel},
    {"Label6", 0, K::Label, 744, RangeCaptionShownTop, 89, 33, "≦χ≦", F::B20, G::Panel},
    {"Label7", 0, K::Label, 672, 136, 241, 25, "１～８本の直線が描けます。", F::B14, G::Window},
    {"Label7", 1, K::Label, 672, 160, 225, 25, "番号の○にチェックし，", F::B14, G::Window},
    {"Label7", 2, K::Label, 672, 184, 249, 25, "ａ，ｂ，ｃの値と変域をいれて", F::B14, G::Window},
    {"Label7", 3, K::Label, 672, 208, 225, 25, "「線を引く」で描きます。", F::B14, G::Window},
    {"Label8", 0, K::Label, 680, 317, 17, 25, "ａ", F::B14, G::Panel},
    {"Label8", 1, K::Label, 784, 317, 17, 25, "ｂ", F::B14, G::Panel},
    {"Label9", -1, K::Label, 888, 317, 17, 25, "ｃ", F::B14, G::Panel},
    {"Label6", 1, K::Label, 744, RangeCaptionHiddenTop, 89, 33, "≦ ｙ≦", F::B20, G::Panel},
    // Everything else stands in front of them.
    {"Picture1", -1, K::Surface, 16, 32, SurfaceWidth, SurfaceHeight, "", F::None, G::Window, 9},
    {"Command2", -1, K::Button, 824, 16, 89, 33, "初期画面", F::B12, G::Window, 7},
    {"Command3", 0, K::Button, 664, 80, 65, 33, PlaneSizes[0].caption, ScaleButtonFont(0),
     G::Window, 10},
    {"Command3", 1, K::Button, 752, 80, 65, 33, PlaneSizes[1].caption, ScaleButtonFont(1),
     G::Window, 11},
    {"Command3", 2, K::Button, 840, 80, 65, 33, PlaneSizes[2].caption, ScaleButtonFont(2),
     G::Window, 12},
    {"Option1", 0, K::Option, 664, 248, 33, 33, "１", F::B14, G::Panel, 16},
    {"Option1", 1, K::Option, 720, 248, 33, 33, "２", F::B14, G::Panel, 6},
    {"Option1", 2, K::Option, 776, 248, 33, 33, "３", F::B14, G::Panel, 17},
    {"Option1", 3, K::Option, 832, 248, 33, 33, "４", F::B14, G::Panel, 18},
    {"Option1", 4, K::Option, 664, 280, 33, 33, "５", F::B14, G::Panel, 19},
    {"Option1", 5, K::Option, 720, 280, 33, 33, "６", F::B14, G::Panel, 20},
    {"Option1", 6, K::Option, 776, 280, 33, 33, "７", F::B14, G::Panel, 21},
    {"Option1", 7, K::Option, 832, 280, 33, 33, "８", F::B14, G::Panel, 22},
    {"Text1", -1, K::Box, 656, 336, 49, 41, "", F::R24, G::Panel, 0},
    {"Text2", -1, K::Box, 760, 336, 49, 41, "", F::R24, G::Panel, 1},
    {"Text3", -1, K::Box, 864, 336, 49, 41, "", F::R24, G::Panel, 2},
    {"Text4", -1, K::Box, 680, 400, 57, 41, "", F::R24, G::Panel, 3},
    {"Text5", -1, K::Box, 832, 400, 57, 41, "", F::R24, G::Panel, 33},
    {"Command4", -1, K::Button, 744, RangeCaptionHiddenTop, 161, 33, "線を引く", F::B14, G::Panel,
     4},
    {"Command5", -1, K::Button, 744, 504, 161, 33, "線を消す", F::B14, G::Panel, 5},
    {"Command1", -1, K::Button, 792, 600, 121, 33, "終　了", F::B12, G::Window, 8},
}};

} // namespace layout_table

inline constexpr std::size_t ControlCount = layout_table::Controls.size();

inline std::span<const ControlLayout> FormLayout()
{
    return layout_table::Controls;
}

// Where a control stands in the layout table, which is the number every face
// and Form1 call it by; -1 for a name the table does not hold.
constexpr int ControlNumber(std::string_view name, int index = -1)
{
    for (std::size_t i = 0; i < layout_table::Controls.size(); ++i) {
        if (layout_table::Controls[i].name == name && layout_table::Controls[i].index == index)
            return static_cast<int>(i);
    }
    return -1;
}

// The name the faces give a control: "Text1", "Option1(3)".
std::string ControlName(int control);

// A style's size in points, its size in pixels at the layout's 96 pixels per
// inch, and its weight.
float Points(FontStyle style);
int PixelSize(FontStyle style);
bool IsBold(FontStyle style);
