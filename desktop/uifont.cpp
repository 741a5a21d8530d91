// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/uifont.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The core's faces in their order of preference.
const QStringList &PreferredFamilies()
{
    static const QStringList families = [] {
        QStringList names;
        for (const char *family : GothicFamilies)
            names << QString::fromUtf8(family);
        return names;
    }();
    return families;
}

// Those of them that are installed, in the same order. Qt asks fontconfig
// for a whole fallback list (FcConfigSubstitute and FcFontSort, over a
// million instructions each time) for every family it cannot find, for each
// script of a caption, before it tries the next name: on a machine without
// the original face that happened five times at start-up, for a name nobody
// has there. Looking the names up once in Qt's own list costs next to nothing.
const QStringList &InstalledFamilies()
{
    static const QStringList families = [] {
        const QStringList installed = QFontDatabase::families();
        QStringList found;
        for (const QString &family : PreferredFamilies()) {
            if (installed.contains(family, Qt::CaseInsensitive))
                found << family;
        }
        return found;
    }();
    return families;
}

} // namespace

QFont GothicFont(int pixelSize, bool bold)
{
    QFont font;
    if (InstalledFamilies().isEmpty()) {
        // None of them: fontconfig picks the nearest face by the names.
        font.setFamilies(PreferredFamilies());
        font.setStyleHint(QFont::SansSerif);
    } else {
        font.setFamilies(InstalledFamilies());
        // Each of these faces holds every character the program writes, so
        // nothing needs a glyph from another face. Merging would still have
        // Qt ask fontconfig for a fallback list for each script of each
        // caption: five more rounds at start-up, 6 million instructions.
        // (setStyleHint sets the strategy too, so it is given here.)
        font.setStyleHint(QFont::SansSerif, QFont::NoFontMerging);
    }
    font.setPixelSize(pixelSize > 0 ? pixelSize : 1);
    font.setBold(bold);
    return font;
}

QFont ControlFont(FontStyle style)
{
    return GothicFont(PixelSize(style), IsBold(style));
}
