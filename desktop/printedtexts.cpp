// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/printedtexts.h"

#include <cstring>

namespace {

bool SamePixels(const QImage &image, const QRect &area, const QImage &kept)
{
    const auto bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
    for (int y = 0; y < area.height(); ++y) {
        const uchar *const row = image.constScanLine(area.top() + y) + area.left() * sizeof(QRgb);
        if (std::memcmp(row, kept.constScanLine(y), bytes) != 0)
            return false;
    }
    return true;
}

void CopyPixels(QImage &image, const QRect &area, const QImage &kept)
{
    const auto bytes = static_cast<std::size_t>(area.width()) * sizeof(QRgb);
    uchar *const bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    for (int y = 0; y < area.height(); ++y)
        std::memcpy(bits + (area.top() + y) * bytesPerLine + area.left() * sizeof(QRgb),
                    kept.constScanLine(y), bytes);
}

} // namespace

bool PrintedTexts::Reprint(QImage &image, const Key &key)
{
    const auto found = printed_.find(key);
    if (found == printed_.end())
        return false;
    Printed &printed = found->second;
    // A text wholly off the image changed nothing there, and still does not.
    if (!printed.area.isEmpty()) {
        if (!image.rect().contains(printed.area) ||
            !SamePixels(image, printed.area, printed.before))
            return false;
        CopyPixels(image, printed.area, printed.after);
    }
    printed.pass = pass_;
    return true;
}

void PrintedTexts::Record(QImage &image, const Key &key, const QRect &area,
                          const std::function<void()> &draw)
{
    Printed printed;
    printed.area = area;
    if (!area.isEmpty())
        printed.before = image.copy(area);
    draw();
    if (!area.isEmpty())
        printed.after = image.copy(area);
    printed.pass = pass_;
    printed_.insert_or_assign(key, std::move(printed));
}

void PrintedTexts::NextPass()
{
    ++pass_;
    std::erase_if(printed_, [this](const auto &entry) { return entry.second.pass + 1 < pass_; });
}
