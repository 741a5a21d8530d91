// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/startup.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QStyleFactory>
#include <QWidget>

namespace {

// A plain top-level widget would be reported as a filler and the surface as
// a featureless panel; a screen reader should meet a frame named after the
// window's title and a picture it can describe.
QAccessibleInterface *AccessibleRole(const QString &className, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    if (widget == nullptr)
        return nullptr;
    if (className == QLatin1String("FormWindow"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (className == QLatin1String("PictureBox"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    return nullptr;
}

} // namespace

void PrepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Tolvane"));
    // Ties the window to its launcher entry, for the dock and the task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tolvane.Tolvane"));
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    QAccessible::installFactory(AccessibleRole);
}
