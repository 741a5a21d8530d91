// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/picturebox.h"

#include "form/sentences.h"
#include "surface/surface.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent)
    : QWidget(parent)
    , canvas_(SurfaceWidth, SurfaceHeight, SurfaceBackColour,
              qGuiApp ? qGuiApp->devicePixelRatio() : 1.0)
    , copyAction_(new QAction(QString::fromUtf8(CopyPictureEntry), this))
{
    setFixedSize(SurfaceWidth, SurfaceHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Tab reaches it in its place; a left click focuses it in mousePressEvent,
    // so that a right click opens the menu without moving the focus.
    setFocusPolicy(Qt::TabFocus);
    canvas_.SetChangeHandler([this] { update(); });

    copyAction_->setShortcut(QKeySequence::Copy);
    copyAction_->setShortcutContext(Qt::WidgetShortcut);
    connect(copyAction_, &QAction::triggered, this, &PictureBox::CopyToClipboard);
    addAction(copyAction_);
}

void PictureBox::CopyToClipboard()
{
    // The clipboard owns the data and frees what it held before, so copying
    // again and again holds one picture at a time. Qt hands the data to the
    // desktop's clipboard manager when the program ends.
    auto *data = new QMimeData;
    data->setImageData(canvas_.Image());
    data->setText(copyText_);
    QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
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

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(event);
}

void PictureBox::keyPressEvent(QKeyEvent *event)
{
    // The context-menu key and Shift+F10 open the menu where the picture is.
    if (event->key() == Qt::Key_Menu ||
        (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
        ShowMenu(mapToGlobal(rect().center()));
        return;
    }
    QWidget::keyPressEvent(event);
}

void PictureBox::contextMenuEvent(QContextMenuEvent *event)
{
    const QPoint at = event->reason() == QContextMenuEvent::Mouse ? event->globalPos()
                                                                  : mapToGlobal(rect().center());
    ShowMenu(at);
}

void PictureBox::ShowMenu(const QPoint &at)
{
    // Made afresh for each opening and gone when it closes, as the boxes' own
    // menus are; closing it gives the focus back to where it was.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addAction(copyAction_);
    if (!menuActions_.isEmpty())
        menu->addSeparator();
    for (QAction *action : menuActions_) {
        if (action != nullptr)
            menu->addAction(action);
        else
            menu->addSeparator();
    }
    menu->popup(at);
}
