// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/picturedescription.h"

#include "runtime/vbnumber.h"

#include <QStringList>

namespace {

QString PlaneSizeName(int gridUnit)
{
    const PlaneSize *size = PlaneSizeFor(gridUnit);
    return size != nullptr ? QString::fromUtf8(size->caption) : QString::number(gridUnit);
}

QString Number(float value)
{
    return vb::Str(value).trimmed();
}

QString DescribeLine(int slot, const LineSlot &line)
{
    const QString variable = line.B == 0.0f ? QStringLiteral("y") : QStringLiteral("x");
    return QStringLiteral("直線%1: %2x + %3y = %4, %5 ≦ %6 ≦ %7")
        .arg(slot + 1)
        .arg(Number(line.A), Number(line.B), Number(line.C), Number(line.From), variable,
             Number(line.To));
}

} // namespace

QStringList DescribePicture(const LineTable &table, const PlaneView &view)
{
    QStringList parts;
    parts << QStringLiteral("座標平面 大きさ%1").arg(PlaneSizeName(view.GridUnit));
    for (int slot = 0; slot < LineTable::SlotCount; ++slot) {
        if (table.Slot(slot).IsDrawn())
            parts << DescribeLine(slot, table.Slot(slot));
    }
    if (parts.size() == 1)
        parts << QStringLiteral("直線なし");
    return parts;
}
