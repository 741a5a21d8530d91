// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/uifont.h"

#include <QStringList>

#include <cmath>

namespace vb {

QFont GothicFont(int pixelSize, bool bold)
{
    static const QStringList families = {
        QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
        QStringLiteral("IPAPGothic"),      QStringLiteral("IPA Pゴシック"),
        QStringLiteral("VL PGothic"),      QStringLiteral("Noto Sans CJK JP"),
        QStringLiteral("IPAGothic"),       QStringLiteral("TakaoPGothic"),
    };
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize > 0 ? pixelSize : 1);
    font.setBold(bold);
    return font;
}

int PointsToPixels(double points)
{
    if (!std::isfinite(points) || points <= 0)
        return 1;
    const double pixels = std::round(points * 96.0 / 72.0);
    return pixels > 4096 ? 4096 : static_cast<int>(pixels);
}

} // namespace vb
