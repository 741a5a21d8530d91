// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/picturebox.h"

#include "window/sentences.h"
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

void PictureBox::SetMenuActions(const QList<QAction *> &actions)
{
    menuActions_ = actions;
    if (menu_ != nullptr)
        menu_->clear(); // filled again at the next opening
}

void PictureBox::ShowMenu(const QPoint &at)
{
    // One menu, kept from its first opening on: Qt 6.4 ties the accessible
    // entry of an action to the first menu that showed it, so in a menu made
    // afresh for each opening a screen reader finds the entries only the
    // first time. Closing it gives the focus back to where it was.
    if (menu_ == nullptr)
        menu_ = new QMenu(this);
    if (menu_->actions().isEmpty()) {
        menu_->addAction(copyAction_);
        if (!menuActions_.isEmpty())
            menu_->addSeparator();
        for (QAction *action : menuActions_) {
            if (action != nullptr)
                menu_->addAction(action);
            else
                menu_->addSeparator();
        }
    }
    menu_->popup(at);
}
