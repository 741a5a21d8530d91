// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/formharness.h"
#include "support/pictures.h"

namespace {

QPushButton *ScaleButton(const FormHarness &h, int index)
{
    return h.Button(QStringLiteral("Command3(%1)").arg(index));
}

void Store(LineTable &table, int k, float a, float b, float c, float from, float to)
{
    table.Slot(k) = LineSlot{1, a, b, c, from, to};
}

// Slot 0: x + 2y = 4 for x from -2 to 6. Slot 3: the vertical line x = 3 for y
// from -1 to 4. Slot 9, reached only by a full redraw: y = -3 for x from -5
// to 5.
void StoreLines(LineTable &table)
{
    Store(table, 0, 1, 2, 4, -2, 6);
    Store(table, 3, 2, 0, 6, -1, 4);
    Store(table, 9, 0, 1, -3, -5, 5);
}

QImage Shown(const FormHarness &h)
{
    return h.Picture().convertToFormat(QImage::Format_RGB32);
}

bool SameSlot(const LineSlot &x, const LineSlot &y)
{
    return x.Drawn == y.Drawn && x.A == y.A && x.B == y.B && x.C == y.C && x.From == y.From &&
           x.To == y.To;
}

} // namespace

class TestScaleButtons : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { PrepareTestApplication(); }

    void click_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("gridUnit");
        QTest::addColumn<QPoint>("onLine0");
        QTest::addColumn<QPoint>("onLine3");
        QTest::addColumn<QPoint>("onLine9");
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
        QFETCH(QPoint, onLine9);
        FormHarness h;
        StoreLines(h.form->Lines());
        LineTable before = h.form->Lines();

        h.Click(ScaleButton(h, index));
        QCOMPARE(h.form->View().GridUnit, gridUnit);
        QCOMPARE(h.form->View().OriginX, 300);
        QCOMPARE(h.form->View().OriginY, 300);
        for (int i = 0; i < 3; ++i) {
            const QFont font = ScaleButton(h, i)->font();
            QCOMPARE(font.pixelSize(), i == index ? 27 : 16);
            QCOMPARE(font.bold(), i == index);
        }

        const QImage shown = Shown(h);
        QCOMPARE(shown, PictureDrawnAfresh(h.form->Lines(), h.form->View()));
        QCOMPARE(h.PixelAt(onLine0.x(), onLine0.y()), LineBlue);
        QCOMPARE(h.PixelAt(onLine3.x(), onLine3.y()), LineBlue);
        QCOMPARE(h.PixelAt(onLine9.x(), onLine9.y()), LineBlue);

        // The stored lines keep their equations at every size.
        for (int k = 0; k < LineTable::SlotCount; ++k)
            QVERIFY(SameSlot(h.form->Lines().Slot(k), before.Slot(k)));

        // Clicking the marked button again changes nothing.
        h.Click(ScaleButton(h, index));
        QCOMPARE(h.form->View().GridUnit, gridUnit);
        QCOMPARE(Shown(h), shown);
        QCOMPARE(ScaleButton(h, index)->font().pixelSize(), 27);
        QVERIFY(ScaleButton(h, index)->font().bold());
    }

    void clicksInTurn()
    {
        FormHarness h;
        StoreLines(h.form->Lines());
        const LineTable before = h.form->Lines();
        for (int index : {2, 0, 1, 0, 2}) {
            h.Click(ScaleButton(h, index));
            QCOMPARE(h.form->View().GridUnit, PlaneUnits[static_cast<std::size_t>(index)]);
            QCOMPARE(Shown(h), PictureDrawnAfresh(before, h.form->View()));
        }
        for (int k = 0; k < LineTable::SlotCount; ++k)
            QVERIFY(SameSlot(h.form->Lines().Slot(k), before.Slot(k)));
    }

    void emptyEquationDoesNotStopRedraw()
    {
        FormHarness h;
        LineTable &table = h.form->Lines();
        Store(table, 1, 0, 0, 5, -3, 3);
        Store(table, 2, 1, 2, 4, -2, 6);
        Store(table, 9, 0, 1, -3, -5, 5);
        h.Click(ScaleButton(h, 0));
        QCOMPARE(Shown(h), PictureDrawnAfresh(table, h.form->View()));
        QCOMPARE(h.PixelAt(380, 260), LineBlue);
        QCOMPARE(h.PixelAt(460, 420), LineBlue);
    }
};

QTEST_MAIN(TestScaleButtons)
#include "tst_scalebuttons.moc"
