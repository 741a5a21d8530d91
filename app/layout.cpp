// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/layout.h"

#include "lines/rangecaption.h"
#include "plane/planesizes.h"
#include "runtime/uifont.h"
#include "surface/surface.h"

#include <array>

namespace {

using K = ControlKind;
using F = FontStyle;
using G = Ground;

constexpr std::array<ControlLayout, 37> layout = {{
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

} // namespace

std::span<const ControlLayout> FormLayout()
{
    return layout;
}

int PixelSize(FontStyle style)
{
    switch (style) {
    case FontStyle::R12:
    case FontStyle::B12:
        return 16;
    case FontStyle::B14:
        return 19;
    case FontStyle::B20:
        return 27;
    case FontStyle::R24:
        return 32;
    case FontStyle::None:
        break;
    }
    return 16;
}

QFont ControlFont(FontStyle style)
{
    return vb::GothicFont(PixelSize(style), IsBold(style));
}

bool IsBold(FontStyle style)
{
    return style == FontStyle::B12 || style == FontStyle::B14 || style == FontStyle::B20;
}
