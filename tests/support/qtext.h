// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "surface/geometry.h"

#include <QRectF>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <string>
#include <vector>

// The core speaks UTF-8 and plain geometry; the tests compare in Qt's types.
inline QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

inline QStringList Q(const std::vector<std::string> &texts)
{
    QStringList list;
    for (const std::string &text : texts)
        list << Q(text);
    return list;
}

inline QRectF Q(const Box &box)
{
    return {box.left, box.top, box.width, box.height};
}

inline QSizeF Q(Extent size)
{
    return {size.width, size.height};
}

// A list of UTF-8 literals, such as the five values of a line.
inline QStringList Texts(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list << QString::fromUtf8(text);
    return list;
}
