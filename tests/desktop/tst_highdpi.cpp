// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/formharness.h"
#include "support/paintercanvas.h"
#include "support/qtext.h"

#include "lines/linedrawing.h"
#include "plane/planedrawing.h"

#include <QClipboard>
#include <QMimeData>

// The window on a screen with two device pixels per pixel: everything keeps
// its place in proportion and the plane is drawn at full device resolution.
class TestHighDpi : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { PrepareTestApplication(); }
    void windowScalesAsAWhole();
    void planeIsDrawnAtDeviceResolution();
    void everyPlaneSizeIsQPaintersPicture_data();
    void everyPlaneSizeIsQPaintersPicture();
};

void TestHighDpi::windowScalesAsAWhole()
{
    FormHarness h;
    QCOMPARE(h.form->devicePixelRatio(), 2.0);
    const QImage window = h.form->grab().toImage();
    QCOMPARE(window.size(), QSize(1870, 1300));
    // Surface pixel (x, y) still lands at client (16 + x, 32 + y): the y axis
    // covers device columns 2 * (16 + 299) to 2 * (16 + 301) + 1.
    QCOMPARE(window.pixel(2 * (16 + 300), 2 * (32 + 150)) & 0xffffffu, 0x000000u);
    QCOMPARE(window.pixel(2 * (16 + 305), 2 * (32 + 150)) & 0xffffffu, SurfaceYellow & 0xffffffu);
    // The olive panel and the green window keep their places.
    QCOMPARE(window.pixel(2 * 660, 2 * 545) & 0xffffffu, 0x808000u);
    QCOMPARE(window.pixel(2 * 5, 2 * 640) & 0xffffffu, 0x008000u);
}

void TestHighDpi::planeIsDrawnAtDeviceResolution()
{
    FormHarness h;
    const QImage picture = h.Picture();
    QCOMPARE(picture.size(), QSize(1200, 1200));
    // A one-pixel grid line at x = 322 is two sharp device columns.
    const int y = 2 * 150;
    QCOMPARE(picture.pixel(643, y) & 0xffffffu, SurfaceYellow & 0xffffffu);
    QCOMPARE(picture.pixel(644, y) & 0xffffffu, 0x000000u);
    QCOMPARE(picture.pixel(645, y) & 0xffffffu, 0x000000u);
    QCOMPARE(picture.pixel(646, y) & 0xffffffu, SurfaceYellow & 0xffffffu);

    // A copied picture keeps the full resolution and says so.
    h.form->Surface()->CopyToClipboard();
    const QImage copied =
        qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData());
    QCOMPARE(copied.size(), QSize(1200, 1200));
    QCOMPARE(copied.devicePixelRatio(), 2.0);
}

void TestHighDpi::everyPlaneSizeIsQPaintersPicture_data()
{
    QTest::addColumn<int>("index");
    QTest::newRow("小") << 0;
    QTest::newRow("中") << 1;
    QTest::newRow("大") << 2;
}

// The size buttons redraw the plane and the lines at full device resolution
// through the surface's short cuts; the picture is still QPainter's own, to
// the device pixel, also on the second redraw, which copies what the first
// one learnt.
void TestHighDpi::everyPlaneSizeIsQPaintersPicture()
{
    QFETCH(int, index);
    FormHarness h;
    h.StoreLine(0, Texts({"1", "2", "4", "-2", "6"}));
    h.StoreLine(1, Texts({"2", "0", "6", "-1", "4"}));
    h.StoreLine(2, Texts({"0", "1", "-3", "-5", "5"}));
    const LineTable &table = h.Core().Contents().Lines();
    QPushButton *const button = h.Button(QStringLiteral("Command3(%1)").arg(index));
    QPushButton *const other = h.Button(QStringLiteral("Command3(%1)").arg((index + 1) % 3));
    for (QPushButton *press : {button, other, button}) {
        h.Click(press);
        PainterCanvas reference(600, 600, SurfaceYellow, 2.0);
        reference.SetFontSize(20);
        DrawPlaneOn(reference, h.Core().Contents().View());
        for (int slot = 0; slot < LineTable::SlotCount; ++slot)
            DrawLineOn(reference, table, slot, LineColor, h.Core().Contents().View());
        QCOMPARE(h.Picture().convertToFormat(QImage::Format_RGB32),
                 reference.Image().convertToFormat(QImage::Format_RGB32));
    }
}

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_highdpi.moc"
