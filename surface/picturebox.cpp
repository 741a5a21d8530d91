// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "surface/picturebox.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(int width, int height, QRgb backColour, QWidget *parent)
    : QWidget(parent)
    , canvas_(width, height, backColour, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0)
{
    setFixedSize(width, height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    canvas_.SetChangeHandler([this] { update(); });
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QImage &image = canvas_.Image();
    const QRect dirty = event->rect();
    const qreal ratio = image.devicePixelRatio();
    const QRectF source(dirty.x() * ratio, dirty.y() * ratio, dirty.width() * ratio,
                        dirty.height() * ratio);
    painter.drawImage(QRectF(dirty), image, source);
}
