// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lines/picturedescription.h"

#include "lines/linedrawing.h"
#include "runtime/vbnumber.h"

namespace {

const QChar minusSign(0x2212);

QString PlaneSizeName(int gridUnit)
{
    const PlaneSize *size = PlaneSizeFor(gridUnit);
    return size != nullptr ? QString::fromUtf8(size->caption) : QString::number(gridUnit);
}

// Digits as the slot buttons write them: full width.
QString FullWidth(int number)
{
    QString text = QString::number(number);
    for (QChar &ch : text)
        ch = QChar(ch.unicode() - u'0' + 0xFF10);
    return text;
}

// A number as the boxes show it, with a true minus sign, which a speech
// synthesizer reads as "minus" rather than as a dash.
QString Number(float value)
{
    QString text = vb::Str(value).trimmed();
    if (text.startsWith(QLatin1Char('-')))
        text[0] = minusSign;
    return text;
}

// One term of a·x + b·y, or nothing for a zero coefficient: "2y", "x", "−x".
QString Term(float coefficient, QChar variable)
{
    if (coefficient == 0.0f)
        return {};
    if (coefficient == 1.0f)
        return QString(variable);
    if (coefficient == -1.0f)
        return QString(minusSign) + variable;
    return Number(coefficient) + variable;
}

QString LeftSide(const LineSlot &line)
{
    QString x = Term(line.A, QLatin1Char('x'));
    QString y = Term(line.B, QLatin1Char('y'));
    if (x.isEmpty())
        return y.isEmpty() ? QStringLiteral("0") : y;
    if (y.isEmpty())
        return x;
    if (y.startsWith(minusSign))
        return x + QStringLiteral(" − ") + y.mid(1);
    return x + QStringLiteral(" + ") + y;
}

} // namespace

QString LineName(int slot)
{
    return QStringLiteral("直線") + FullWidth(slot + 1);
}

QString DescribeLine(const LineSlot &line, const PlaneView &view)
{
    const QString equation = LeftSide(line) + QStringLiteral(" = ") + Number(line.C);
    if (line.A == 0.0f && line.B == 0.0f)
        return equation + QStringLiteral("、aもbも0なので直線になりません");
    const QString variable = line.Range() == RangeOf::Y ? QStringLiteral("y") : QStringLiteral("x");
    const QString range =
        QStringLiteral("%1 ≦ %2 ≦ %3").arg(Number(line.From), variable, Number(line.To));
    if (!LineEnds(line, view))
        return equation + QStringLiteral(", ") + range + QStringLiteral("、大きすぎて描けません");
    return equation + QStringLiteral(", ") + range;
}

QString DescribePlaneSize(const PlaneView &view)
{
    const int reach = view.GridUnit > 0 ? view.OriginX / view.GridUnit : 0;
    return QStringLiteral("座標平面 大きさ%1、xもyも −%2 から %2 まで")
        .arg(PlaneSizeName(view.GridUnit), QString::number(reach));
}

QStringList DescribePicture(const LineTable &table, const PlaneView &view)
{
    QStringList parts;
    parts << DescribePlaneSize(view);
    for (int slot = 0; slot < LineTable::SlotCount; ++slot) {
        if (table.Slot(slot).IsDrawn())
            parts << LineName(slot) + QStringLiteral(": ") + DescribeLine(table.Slot(slot), view);
    }
    if (parts.size() == 1)
        parts << QStringLiteral("直線なし");
    return parts;
}

QString DescribeSlotButton(int slot, const LineTable &table, const PlaneView &view)
{
    const LineSlot &line = table.Slot(slot);
    return FullWidth(slot + 1) + QStringLiteral(" ") +
           (line.IsDrawn() ? DescribeLine(line, view) : QStringLiteral("空き"));
}
