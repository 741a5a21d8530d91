// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"
#include "plane/planesizes.h"
#include "runtime/palette.h"
#include "surface/surface.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>

// The window as laid out on its 935 x 650 client area. Every face builds its
// controls from the table below, and the window and the faces call a control
// by its row in it.

// What a control is for. Controls of the same role are told apart by their
// member number: the boxes a, b, c, the range's start and end are the Box
// members 0 to 4, the slot buttons １ to ８ the SlotButton members 0 to 7.
enum class Role {
    PanelFrame,   // the frame of the olive input panel
    SizeTitle,    // "座標平面の大きさ" over the size buttons
    AxisName,     // "ｙ" beside the y axis, "χ" beside the x axis
    EquationSign, // "χ", "＋" and "ｙ＝" between the boxes a, b and c
    RangeCaption, // "≦χ≦" and, over it for a range of y, "≦ ｙ≦"
    Instructions, // the four lines of help
    BoxName,      // "ａ", "ｂ", "ｃ" over their boxes
    Surface,      // the drawing surface
    ClearButton,  // "初期画面": every line erased
    SizeButton,   // "小", "中", "大"
    SlotButton,   // "１" to "８"
    Box,          // a, b, c, the range's start and end
    DrawButton,   // "線を引く"
    EraseButton,  // "線を消す"
    EndButton,    // "終　了"
};

// How a face shows a control.
enum class ControlKind { Surface, Label, Button, Option, Box, Shape };

constexpr ControlKind KindOf(Role role)
{
    switch (role) {
    case Role::PanelFrame:
        return ControlKind::Shape;
    case Role::Surface:
        return ControlKind::Surface;
    case Role::ClearButton:
    case Role::SizeButton:
    case Role::DrawButton:
    case Role::EraseButton:
    case Role::EndButton:
        return ControlKind::Button;
    case Role::SlotButton:
        return ControlKind::Option;
    case Role::Box:
        return ControlKind::Box;
    default:
        return ControlKind::Label;
    }
}

// Font styles: size in points and weight.
enum class FontStyle { None, R12, B12, B14, B20, R24 };

// The names of the gothic face every control and the surface are drawn in,
// in order of preference: each face takes the first its system has.
inline constexpr std::array<const char *, 10> GothicFamilies = {
    // The original face, under both of its names.
    "ＭＳ Ｐゴシック",
    "MS PGothic",
    // The IPA face, metric-compatible with it, so that every caption fits its
    // control as laid out.
    "IPAPGothic",
    "IPA Pゴシック",
    // The Japanese gothic faces of other systems.
    "Hiragino Sans",
    "Hiragino Kaku Gothic ProN",
    "VL PGothic",
    "Noto Sans CJK JP",
    "IPAGothic",
    "TakaoPGothic",
};

// What a control stands on: the green window or the olive panel. Labels and
// slot buttons take its colour; buttons and boxes keep the platform's own.
enum class Ground { Window, Panel };

// The tab index of a control that never takes the focus: labels and the shape.
inline constexpr int NoTabStop = -1;

struct ControlLayout {
    const char *name; // the control's object name; control arrays add an index
    int index;        // index in its control array, or -1
    Role role;
    int member; // which of the controls of its role, from 0
    int left;
    int top;
    int width;
    int height;
    const char *text; // UTF-8 caption
    FontStyle font;
    Ground ground;
    int tabIndex = NoTabStop;

    constexpr ControlKind Kind() const { return KindOf(role); }
};

inline constexpr int FormWidth = 935;
inline constexpr int FormHeight = 650;
inline constexpr int FormLeft = 4;
inline constexpr int FormTop = 30;

// While the formula and table are shown, their panel stands to the right of
// the window, as high as the window; the window grows by its width and
// nothing of it moves.
inline constexpr int FunctionPanelWidth = 400;

// The colours of the window: its green ground, the olive panel, the white
// captions on both and the black frame of the panel.
inline constexpr Rgb WindowGround = RgbOf(0, 128, 0);
inline constexpr Rgb PanelGround = RgbOf(128, 128, 0);
inline constexpr Rgb CaptionColour = RgbOf(255, 255, 255);
inline constexpr Rgb PanelFrameColour = RgbOf(0, 0, 0);

constexpr Rgb GroundColour(Ground ground)
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

// The caption "≦ ｙ≦" rests either under the draw button, where nothing of it
// shows and the range row reads "≦χ≦", or over "≦χ≦", for a range of y.
inline constexpr int RangeCaptionHiddenTop = 456;
inline constexpr int RangeCaptionShownTop = 408;
constexpr int RangeCaptionTop(RangeOf range)
{
    return range == RangeOf::Y ? RangeCaptionShownTop : RangeCaptionHiddenTop;
}

namespace layout_table {

using R = Role;
using F = FontStyle;
using G = Ground;

// Every control, in creation order, which is stacking order: the shape and
// the labels back to front, then the buttons, boxes and the surface in front
// of all of them.
inline constexpr std::array<ControlLayout, 37> Controls = {{
    // Labels and the shape, back to front.
    {"Shape1", -1, R::PanelFrame, 0, 648, 240, 273, 313, "", F::None, G::Panel},
    {"Label1", -1, R::SizeTitle, 0, 720, 56, 130, 16, "座標平面の大きさ", F::B12, G::Window},
    {"Label5", 0, R::AxisName, 0, 304, 0, 25, 33, "ｙ", F::B20, G::Window},
    {"Label5", 1, R::AxisName, 1, 616, 328, 25, 33, "χ", F::B20, G::Window},
    {"Label2", -1, R::EquationSign, 2, 816, 344, 49, 33, "ｙ＝", F::B20, G::Panel},
    {"Label3", -1, R::EquationSign, 0, 704, 344, 25, 33, "χ", F::B20, G::Panel},
    {"Label4", -1, R::EquationSign, 1, 728, 344, 25, 33, "＋", F::B20, G::Panel},
    {"Label6", 0, R::RangeCaption, 0, 744, RangeCaptionShownTop, 89, 33, "≦χ≦", F::B20, G::Panel},
    {"Label7", 0, R::Instructions, 0, 672, 136, 241, 25, "１～８本の直線が描けます。", F::B14,
     G::Window},
    {"Label7", 1, R::Instructions, 1, 672, 160, 225, 25, "番号の○にチェックし，", F::B14,
     G::Window},
    {"Label7", 2, R::Instructions, 2, 672, 184, 249, 25, "ａ，ｂ，ｃの値と変域をいれて", F::B14,
     G::Window},
    {"Label7", 3, R::Instructions, 3, 672, 208, 225, 25, "「線を引く」で描きます。", F::B14,
     G::Window},
    {"Label8", 0, R::BoxName, 0, 680, 317, 17, 25, "ａ", F::B14, G::Panel},
    {"Label8", 1, R::BoxName, 1, 784, 317, 17, 25, "ｂ", F::B14, G::Panel},
    {"Label9", -1, R::BoxName, 2, 888, 317, 17, 25, "ｃ", F::B14, G::Panel},
    {"Label6", 1, R::RangeCaption, 1, 744, RangeCaptionHiddenTop, 89, 33, "≦ ｙ≦", F::B20,
     G::Panel},
    // Everything else stands in front of them.
    {"Picture1", -1, R::Surface, 0, 16, 32, SurfaceWidth, SurfaceHeight, "", F::None, G::Window, 9},
    {"Command2", -1, R::ClearButton, 0, 824, 16, 89, 33, "初期画面", F::B12, G::Window, 7},
    {"Command3", 0, R::SizeButton, 0, 664, 80, 65, 33, PlaneSizes[0].caption, ScaleButtonFont(0),
     G::Window, 10},
    {"Command3", 1, R::SizeButton, 1, 752, 80, 65, 33, PlaneSizes[1].caption, ScaleButtonFont(1),
     G::Window, 11},
    {"Command3", 2, R::SizeButton, 2, 840, 80, 65, 33, PlaneSizes[2].caption, ScaleButtonFont(2),
     G::Window, 12},
    {"Option1", 0, R::SlotButton, 0, 664, 248, 33, 33, "１", F::B14, G::Panel, 16},
    {"Option1", 1, R::SlotButton, 1, 720, 248, 33, 33, "２", F::B14, G::Panel, 6},
    {"Option1", 2, R::SlotButton, 2, 776, 248, 33, 33, "３", F::B14, G::Panel, 17},
    {"Option1", 3, R::SlotButton, 3, 832, 248, 33, 33, "４", F::B14, G::Panel, 18},
    {"Option1", 4, R::SlotButton, 4, 664, 280, 33, 33, "５", F::B14, G::Panel, 19},
    {"Option1", 5, R::SlotButton, 5, 720, 280, 33, 33, "６", F::B14, G::Panel, 20},
    {"Option1", 6, R::SlotButton, 6, 776, 280, 33, 33, "７", F::B14, G::Panel, 21},
    {"Option1", 7, R::SlotButton, 7, 832, 280, 33, 33, "８", F::B14, G::Panel, 22},
    {"Text1", -1, R::Box, 0, 656, 336, 49, 41, "", F::R24, G::Panel, 0},
    {"Text2", -1, R::Box, 1, 760, 336, 49, 41, "", F::R24, G::Panel, 1},
    {"Text3", -1, R::Box, 2, 864, 336, 49, 41, "", F::R24, G::Panel, 2},
    {"Text4", -1, R::Box, 3, 680, 400, 57, 41, "", F::R24, G::Panel, 3},
    {"Text5", -1, R::Box, 4, 832, 400, 57, 41, "", F::R24, G::Panel, 33},
    {"Command4", -1, R::DrawButton, 0, 744, RangeCaptionHiddenTop, 161, 33, "線を引く", F::B14,
     G::Panel, 4},
    {"Command5", -1, R::EraseButton, 0, 744, 504, 161, 33, "線を消す", F::B14, G::Panel, 5},
    {"Command1", -1, R::EndButton, 0, 792, 600, 121, 33, "終　了", F::B12, G::Window, 8},
}};

} // namespace layout_table

inline constexpr std::size_t ControlCount = layout_table::Controls.size();

inline std::span<const ControlLayout> FormLayout()
{
    return layout_table::Controls;
}

inline const ControlLayout &LayoutOf(int control)
{
    return layout_table::Controls.at(static_cast<std::size_t>(control));
}

// The row of the control with this role and member. Used for the constants
// below, where a control the table does not hold stops the build.
constexpr int ControlOf(Role role, int member = 0)
{
    for (std::size_t i = 0; i < layout_table::Controls.size(); ++i) {
        if (layout_table::Controls[i].role == role && layout_table::Controls[i].member == member)
            return static_cast<int>(i);
    }
    throw "the layout has no such control";
}

// The rows of the first `count` members of a role, in member order.
template <std::size_t count> constexpr std::array<int, count> ControlsOf(Role role)
{
    std::array<int, count> rows{};
    for (std::size_t member = 0; member < count; ++member)
        rows[member] = ControlOf(role, static_cast<int>(member));
    return rows;
}

// The controls the window acts on, by their row.
namespace controls {
inline constexpr int Surface = ControlOf(Role::Surface);
inline constexpr int ClearButton = ControlOf(Role::ClearButton);
inline constexpr int DrawButton = ControlOf(Role::DrawButton);
inline constexpr int EraseButton = ControlOf(Role::EraseButton);
inline constexpr int EndButton = ControlOf(Role::EndButton);
inline constexpr std::array<int, PlaneSizes.size()> SizeButtons =
    ControlsOf<PlaneSizes.size()>(Role::SizeButton);
inline constexpr std::array<int, SlotButtonCount> SlotButtons =
    ControlsOf<SlotButtonCount>(Role::SlotButton);
// The boxes in the order the Enter key walks them.
inline constexpr std::array<int, 5> Boxes = ControlsOf<5>(Role::Box);
inline constexpr std::array<int, 2> RangeCaptions = ControlsOf<2>(Role::RangeCaption);
} // namespace controls

// The boxes by their member number.
namespace box {
inline constexpr int A = 0;
inline constexpr int B = 1;
inline constexpr int C = 2;
inline constexpr int RangeStart = 3;
inline constexpr int RangeEnd = 4;
} // namespace box

// The object name the faces give a control: "Text1", "Option1(3)".
std::string ControlName(int control);

// A style's size in points, its size in pixels at the layout's 96 pixels per
// inch, and its weight.
float Points(FontStyle style);
int PixelSize(FontStyle style);
bool IsBold(FontStyle style);
