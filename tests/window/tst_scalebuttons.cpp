// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/coreharness.h"
#include "support/pictures.h"

#include <QTest>

namespace {

// Slot 0: x + 2y = 4 for x from -2 to 6. Slot 3: the vertical line x = 3 for y
// from -1 to 4. Slot 7, the last a button reaches: y = -3 for x from -5 to 5.
// The first slot is selected at the start, so its line is typed straight in.
void StoreLines(CoreHarness &h)
{
    h.TypeLine({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"), QStringLiteral("-2"),
                QStringLiteral("6")});
    h.Press(controls::DrawButton);
    h.StoreLine(3, {QStringLiteral("2"), QStringLiteral("0"), QStringLiteral("6"),
                    QStringLiteral("-1"), QStringLiteral("4")});
    h.StoreLine(7, {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("-3"),
                    QStringLiteral("-5"), QStringLiteral("5")});
}

// The table those three lines make.
LineTable StoredLines()
{
    LineTable table;
    table.Slot(0) = {1, 1, 2, 4, -2, 6};
    table.Slot(3) = {1, 2, 0, 6, -1, 4};
    table.Slot(7) = {1, 0, 1, -3, -5, 5};
    return table;
}

} // namespace

class TestScaleButtons : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void click_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("gridUnit");
        QTest::addColumn<QPoint>("onLine0");
        QTest::addColumn<QPoint>("onLine3");
        QTest::addColumn<QPoint>("onLine7");
        // Plane points (2, 1), (3, 2) and (4, -3) at each size.
        QTest::newRow("小") << 0 << 40 << QPoint(380, 260) << QPoint(420, 220) << QPoint(460, 420);
        QTest::newRow("中") << 1 << 22 << QPoint(344, 278) << QPoint(366, 256) << QPoint(388, 366);
        QTest::newRow("大") << 2 << 14 << QPoint(328, 286) << QPoint(342, 272) << QPoint(356, 342);
    }

    void click()
    {
        QFETCH(int, index);
        QFETCH(int, gridUnit);
        QFETCH(QPoint, onLine0);
        QFETCH(QPoint, onLine3);
        QFETCH(QPoint, onLine7);
        CoreHarness h;
        StoreLines(h);
        QVERIFY(h.form.Contents().Lines() == StoredLines());

        h.Press(controls::SizeButtons[static_cast<std::size_t>(index)]);
        QCOMPARE(h.form.Contents().View().GridUnit, gridUnit);
        QCOMPARE(h.form.Contents().View().OriginX, 300);
        QCOMPARE(h.form.Contents().View().OriginY, 300);
        // The chosen size's caption is large and bold, the others plain.
        for (std::size_t i = 0; i < 3; ++i)
            QCOMPARE(h.form.Control(controls::SizeButtons[i]).font,
                     static_cast<int>(i) == index ? FontStyle::B20 : FontStyle::R12);

        const QImage shown = h.Picture();
        QCOMPARE(shown, PictureDrawnAfresh(StoredLines(), ViewAt(gridUnit)));
        QCOMPARE(h.PixelAt(onLine0.x(), onLine0.y()), LineBlue);
        QCOMPARE(h.PixelAt(onLine3.x(), onLine3.y()), LineBlue);
        QCOMPARE(h.PixelAt(onLine7.x(), onLine7.y()), LineBlue);

        // The stored lines keep their equations at every size.
        QVERIFY(h.form.Contents().Lines() == StoredLines());

        // Clicking the marked button again changes nothing.
        h.Press(controls::SizeButtons[static_cast<std::size_t>(index)]);
        QCOMPARE(h.form.Contents().View().GridUnit, gridUnit);
        QCOMPARE(h.Picture(), shown);
        QCOMPARE(h.form.Control(controls::SizeButtons[static_cast<std::size_t>(index)]).font,
                 FontStyle::B20);
    }

    void clicksInTurn()
    {
        CoreHarness h;
        StoreLines(h);
        for (int index : {2, 0, 1, 0, 2}) {
            h.Press(controls::SizeButtons[static_cast<std::size_t>(index)]);
            const int gridUnit = PlaneUnits[static_cast<std::size_t>(index)];
            QCOMPARE(h.form.Contents().View().GridUnit, gridUnit);
            QCOMPARE(h.Picture(), PictureDrawnAfresh(StoredLines(), ViewAt(gridUnit)));
        }
        QVERIFY(h.form.Contents().Lines() == StoredLines());
    }

    void emptyEquationDoesNotStopRedraw()
    {
        CoreHarness h;
        // 0x + 0y = 5 in slot 1 is no line; the lines after it must still show.
        h.StoreLine(1, {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("5"),
                        QStringLiteral("-3"), QStringLiteral("3")});
        h.StoreLine(2, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4"),
                        QStringLiteral("-2"), QStringLiteral("6")});
        h.StoreLine(7, {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("-3"),
                        QStringLiteral("-5"), QStringLiteral("5")});
        LineTable table;
        table.Slot(1) = {1, 0, 0, 5, -3, 3};
        table.Slot(2) = {1, 1, 2, 4, -2, 6};
        table.Slot(7) = {1, 0, 1, -3, -5, 5};
        QVERIFY(h.form.Contents().Lines() == table);
        h.Press(controls::SizeButtons[0]);
        QCOMPARE(h.Picture(), PictureDrawnAfresh(table, ViewAt(40)));
        QCOMPARE(h.PixelAt(380, 260), LineBlue);
        QCOMPARE(h.PixelAt(460, 420), LineBlue);
    }
};

QTEST_MAIN(TestScaleButtons)
#include "tst_scalebuttons.moc"
