// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktop/imagecanvas.h"
#include "lines/crossings.h"
#include "lines/linetable.h"
#include "lines/marks.h"
#include "lines/picture.h"
#include "plane/planeview.h"
#include "support/uifacts.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdint>
#include <memory>

// The view with the origin in the middle of the surface at `gridUnit` pixels
// per unit.
inline PlaneView ViewAt(int gridUnit)
{
    PlaneView view;
    view.OriginX = PlaneOrigin;
    view.OriginY = PlaneOrigin;
    view.GridUnit = static_cast<std::int16_t>(gridUnit);
    return view;
}

// A surface that has never been drawn on, at the screen's pixel ratio, with
// the whole picture of the table drawn on it, and the lines' numbers and
// crossings when `marks` is set: what a full redraw must show.
inline std::unique_ptr<ImageCanvas> SurfaceDrawnAfresh(const LineTable &table,
                                                       const PlaneView &view, bool marks = false)
{
    auto canvas = std::make_unique<ImageCanvas>(SurfaceSize, SurfaceSize, SurfaceYellow,
                                                qGuiApp->devicePixelRatio());
    canvas->SetFontSize(SurfaceTextPoints);
    DrawPictureOn(*canvas, table, view);
    if (marks)
        DrawMarksOn(*canvas, table, view, Crossings(table, view));
    return canvas;
}

inline QImage PictureDrawnAfresh(const LineTable &table, const PlaneView &view, bool marks = false)
{
    return SurfaceDrawnAfresh(table, view, marks)->Image().convertToFormat(QImage::Format_RGB32);
}
