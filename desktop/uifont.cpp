// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/uifont.h"

#include <QStringList>


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

} // namespace vb

QFont ControlFont(FontStyle style)
{
    return vb::GothicFont(PixelSize(style), IsBold(style));
}
