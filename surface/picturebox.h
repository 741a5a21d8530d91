// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "surface/imagecanvas.h"

#include <QWidget>

// The drawing surface on the window. Everything is drawn into the backing
// image of its canvas, which keeps it until the next Cls; painting the widget
// only copies that image, so the picture survives covering and minimising.
class PictureBox final : public QWidget {
    Q_OBJECT

public:
    PictureBox(int width, int height, QRgb backColour, QWidget *parent = nullptr);

    ImageCanvas &Canvas() { return canvas_; }
    // The picture as drawn so far, at device resolution.
    const QImage &Image() { return canvas_.Image(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ImageCanvas canvas_;
};
