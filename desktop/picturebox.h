// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktop/imagecanvas.h"

#include <QList>
#include <QWidget>

class QAction;
class QMenu;

// The drawing surface on the window. Everything is drawn into the backing
// image of its canvas, which keeps it until the next Clear; painting the widget
// only copies that image, so the picture survives covering and minimising.
// A click gives it the keyboard focus; Ctrl+C, or "図をコピー" in its context
// menu, puts the picture on the clipboard for a worksheet.
class PictureBox final : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

    ImageCanvas &Canvas() { return canvas_; }
    // The picture as drawn so far, at device resolution.
    const QImage &Image() { return canvas_.Image(); }

    // The words that go with a copied picture, for pasting into plain text.
    void SetCopyText(const QString &text) { copyText_ = text; }
    // Puts the picture as shown and the copy text on the clipboard.
    void CopyToClipboard();
    // Further entries of the context menu, shown below "図をコピー" in this
    // order; a null entry stands for a separator.
    void SetMenuActions(const QList<QAction *> &actions);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void ShowMenu(const QPoint &at);

    ImageCanvas canvas_;
    QString copyText_;
    QAction *copyAction_ = nullptr;
    QList<QAction *> menuActions_;
    // Made at the first opening and kept; see ShowMenu.
    QMenu *menu_ = nullptr;
};
