// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/linetable.h"
#include "plane/planeview.h"

#include <QPointF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

// Where the stored lines cross, worked out exactly from the numbers their
// boxes show, and the words for it: "直線１と直線２の交点 (4/3, 8/3)".

enum class CrossingKind {
    Point,    // the two lines meet in one point
    Parallel, // same direction, different lines: they never meet
    SameLine, // one line written twice, as 2x + 2y = 8 and x + y = 4
};

// One pair of lines. The coordinates and the pixel are set for a Point only.
struct Crossing {
    int first = 0;  // slot of the first line, 0 to 9
    int second = 0; // slot of the second line, after the first
    CrossingKind kind = CrossingKind::Point;
    QString x; // "4/3", "−4/3", "3", "≈1.234568E+10"
    QString y;
    QString spokenX; // "3分の4", "マイナス3分の4", "3", "約1.234568かける10の10乗"
    QString spokenY;
    // The point lies on the drawn stretch of both lines and on the surface
    // (its border included), and both lines can be drawn at this view: it
    // gets a dot. Never set for parallel lines or one line twice.
    bool marked = false;
    // Where the dot goes, rounded from the exact point; far away or infinite
    // for a point that is not marked.
    QPointF pixel;
};

// Every pair of stored lines in slot order, (1, 2), (1, 3), ..., (2, 3), ...,
// over the slots that are drawn and hold a line: a slot with a = b = 0 or
// with a value that is not finite takes no part. `surface` is the size of the
// picture in pixels.
std::vector<Crossing> Crossings(const LineTable &table, const PlaneView &view, QSize surface);

// "(4/3, 8/3)" and "(3分の4, 3分の8)".
QString PointText(const Crossing &crossing);
QString SpokenPoint(const Crossing &crossing);

// Written words keep "4/3" (the clipboard text); spoken words read the
// fraction the Japanese way, "3分の4" (for a speech synthesizer).
enum class Wording { Written, Spoken };

// "直線１と直線２の交点 (3, 1)", with "（描いた範囲の外）" after a point that
// is not marked; "直線１と直線３は平行で交わりません"; "直線１と直線４は同じ直線です".
QString DescribeCrossing(const Crossing &crossing, Wording wording = Wording::Written);

// One sentence per pair, in slot order, for the text of a copied picture and
// the picture's description.
QStringList DescribeCrossings(const LineTable &table, const PlaneView &view, QSize surface,
                              Wording wording = Wording::Written);
QStringList DescribeCrossings(const std::vector<Crossing> &crossings,
                              Wording wording = Wording::Written);

// What the line just drawn in `slot` meets, for the announcement after
// drawing, one part per other stored line in slot order, spoken:
// "直線１との交点 (3分の4, 3分の8)", "直線３と平行で交わりません",
// "直線４と同じ直線です". Nothing when `slot` holds no line.
QStringList AnnounceCrossings(int slot, const LineTable &table, const PlaneView &view,
                              QSize surface);
