// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A lesson as a link: what a sheet's link says, that it opens the same
// sheet bit for bit, and that a link that is no lesson changes nothing.

#include "lines/sheetlink.h"
#include "support/coreharness.h"

#include <QRandomGenerator>
#include <QTest>

#include <bit>
#include <cfloat>

namespace {

const QString Example = QStringLiteral("#1=2,3,6,-3,3&2=1,-1,0,-5,5&size=s&marks=1");

LineSlot LineOf(float a, float b = 1, float c = 1, float from = 0, float to = 1)
{
    return {0, a, b, c, from, to};
}

// A single of every kind: small and large, near the limits, subnormal,
// either zero; never infinite or NaN.
float AnySingle(QRandomGenerator &random)
{
    static const std::array<float, 8> edges = {0.0f,    -0.0f,    FLT_MAX, -FLT_MAX,
                                               FLT_MIN, -FLT_MIN, 1e-45f,  -FLT_TRUE_MIN};
    if (random.bounded(4) == 0)
        return edges[random.bounded(static_cast<quint32>(edges.size()))];
    float value = NAN;
    while (!std::isfinite(value))
        value = std::bit_cast<float>(random.generate());
    return value;
}

} // namespace

class TestLessonLink : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theSimultaneousEquationsMakeTheExampleLink()
    {
        CoreHarness teacher;
        teacher.TypeLine(Texts({"2", "3", "6", "-3", "3"}));
        teacher.Press(controls::DrawButton);
        teacher.TypeLine(Texts({"1", "-1", "0", "-5", "5"}));
        teacher.Press(controls::DrawButton);
        teacher.Press(controls::SizeButtons[0]);
        teacher.Apply(teacher.form.ShowMarks(true));
        QCOMPARE(Q(teacher.form.Link()), Example);

        // A pupil opening it sees the teacher's picture, slot ３ selected.
        CoreHarness pupil;
        pupil.Apply(pupil.form.OpenLink("https://school.example/tolvane/" + Example.toStdString(),
                                        LinkOpening::Start));
        QVERIFY(pupil.announcement.startsWith(QStringLiteral("リンクを開きました。")));
        QCOMPARE(pupil.Picture(), teacher.Picture());
        QCOMPARE(pupil.form.Contents().Selected(), 2);
        QVERIFY(!pupil.form.Contents().CanUndo());

        teacher.PressSlot(0);
        QCOMPARE(Q(teacher.form.Link()), Example + QStringLiteral("&slot=1"));
    }

    void numbersAreWrittenShortest_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0.0f << "0";
        QTest::newRow("negative zero") << -0.0f << "-0";
        QTest::newRow("a tenth") << 0.1f << "0.1";
        QTest::newRow("two places as long as their exponent") << 0.01f << "0.01";
        QTest::newRow("three places longer") << 0.001f << "1e-3";
        QTest::newRow("hundred as long as 1e2") << 100.0f << "100";
        QTest::newRow("thousand") << -1000.0f << "-1e3";
        QTest::newRow("digits kept whole") << 1.5e-7f << "15e-8";
        QTest::newRow("2^24 + 2") << 16777218.0f << "16777218";
        QTest::newRow("largest single") << FLT_MAX << "34028235e31";
        QTest::newRow("smallest normal") << FLT_MIN << "11754944e-45";
        QTest::newRow("smallest subnormal") << -FLT_TRUE_MIN << "-1e-45";
    }
    void numbersAreWrittenShortest()
    {
        QFETCH(float, value);
        QFETCH(QString, text);
        Sheet sheet;
        sheet.DrawLine(LineOf(value));
        QCOMPARE(Q(LinkOf(sheet)), QStringLiteral("#1=%1,1,1,0,1").arg(text));
    }

    void linksReadAsTheyWriteBack_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("written");
        QTest::newRow("nothing") << "#"
                                 << "#";
        QTest::newRow("text after #") << "2=1,2,3,4,5"
                                      << "#2=1,2,3,4,5";
        QTest::newRow("blanks, empty parts") << " #&8=1,0,2,-1,1&&slot=1\n"
                                             << "#8=1,0,2,-1,1";
        QTest::newRow("later keys skipped") << "#1=1,1,1,0,1&colour=red&x"
                                            << "#1=1,1,1,0,1";
        QTest::newRow("defaults written out") << "#size=m&marks=0&view=0&slot=1"
                                              << "#";
        QTest::newRow("selection kept") << "#view=1&size=l&slot=4"
                                        << "#size=l&view=1&slot=4";
        QTest::newRow("exponent sign, zeros") << "#3=1e+2,007,-0.0,0.5e1,1"
                                              << "#3=100,7,-0,5,1";
        QTest::newRow("rounded to single") << "#1=16777217,16777217.001,0.1000000001,0,1"
                                           << "#1=16777216,16777218,0.1,0,1";
        QTest::newRow("below the subnormals") << "#1=1e-46,8e-46,1,0,1"
                                              << "#1=0,1e-45,1,0,1";
    }
    void linksReadAsTheyWriteBack()
    {
        QFETCH(QString, link);
        QFETCH(QString, written);
        const LinkReading reading = ReadLink(link.toStdString());
        QVERIFY(reading.sheet.has_value());
        QCOMPARE(Q(LinkOf(*reading.sheet)), written);
    }

    void randomSheetsComeBackBitForBit()
    {
        QRandomGenerator random(20260417);
        for (int round = 0; round < 3000; ++round) {
            Sheet sheet;
            for (int slot = 0; slot < SlotButtonCount; ++slot) {
                sheet.Select(slot);
                if (random.bounded(2) == 0)
                    sheet.DrawLine({0, AnySingle(random), AnySingle(random), AnySingle(random),
                                    AnySingle(random), AnySingle(random)});
            }
            sheet.Select(random.bounded(SlotButtonCount));
            sheet.ChooseSize(random.bounded(3));
            sheet.ShowMarks(random.bounded(2) == 0);
            sheet.ShowFunction(random.bounded(2) == 0);
            const std::string link = LinkOf(sheet);
            const LinkReading reading = ReadLink(link);
            QVERIFY2(reading.sheet.has_value(), link.c_str());
            for (int slot = 0; slot < SlotButtonCount; ++slot) {
                const LineSlot &line = sheet.Lines().Slot(slot);
                const LineSlot &back = reading.sheet->Lines().Slot(slot);
                QCOMPARE(back.IsDrawn(), line.IsDrawn());
                if (line.IsDrawn())
                    QVERIFY2((std::bit_cast<std::array<quint32, 6>>(back) ==
                              std::bit_cast<std::array<quint32, 6>>(line)),
                             link.c_str());
            }
            QCOMPARE(reading.sheet->Selected(), sheet.Selected());
            QCOMPARE(reading.sheet->Size(), sheet.Size());
            QCOMPARE(reading.sheet->MarksShown(), sheet.MarksShown());
            QCOMPARE(reading.sheet->FunctionShown(), sheet.FunctionShown());
        }
    }

    void badLinksChangeNothing_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("wrong");
        QTest::newRow("too long") << QStringLiteral("#1=1,1,1,0,") + QString(1990, u'1')
                                  << "リンクが長すぎます";
        QTest::newRow("no link") << "x + y = 2"
                                 << "リンクではありません";
        QTest::newRow("empty clipboard") << ""
                                         << "リンクではありません";
        QTest::newRow("an address only") << "https://school.example/?a=1"
                                         << "リンクではありません";
        QTest::newRow("slot twice") << "#3=1,1,1,0,1&3=1,1,1,0,1"
                                    << "直線３が二度あります";
        QTest::newRow("size twice") << "#size=s&size=s"
                                    << "「size」が二度あります";
        QTest::newRow("four numbers") << "#3=1,1,1,0"
                                      << "直線３の数が足りません";
        QTest::newRow("no numbers") << "#2"
                                    << "直線２の数が足りません";
        QTest::newRow("six numbers") << "#1=1,1,1,0,1,1"
                                     << "直線１の数が多すぎます";
        QTest::newRow("empty number") << "#1=1,,1,0,1"
                                      << "直線１に読めない数があります";
        QTest::newRow("point, no digit") << "#1=1.,1,1,0,1"
                                         << "直線１に読めない数があります";
        QTest::newRow("capital E") << "#1=1E2,1,1,0,1"
                                   << "直線１に読めない数があります";
        QTest::newRow("percent-encoded") << "#1=1%2C1,1,1,0"
                                         << "直線１に読めない数があります";
        QTest::newRow("infinity") << "#1=inf,1,1,0,1"
                                  << "直線１に読めない数があります";
        QTest::newRow("beyond single") << "#5=1,1,1,0,3.5e38"
                                       << "直線５の数が大きすぎます";
        QTest::newRow("slot 9") << "#9=1,1,1,0,1"
                                << "直線は１から８までです";
        QTest::newRow("slot 0 selected") << "#slot=0"
                                         << "直線は１から８までです";
        QTest::newRow("size x") << "#size=x"
                                << "「size」の値が読めません";
        QTest::newRow("marks yes") << "#marks=yes"
                                   << "「marks」の値が読めません";
        QTest::newRow("half a lesson") << "#1=1,1,1,0,1&2=1"
                                       << "直線２の数が足りません";
    }
    void badLinksChangeNothing()
    {
        QFETCH(QString, link);
        QFETCH(QString, wrong);
        CoreHarness h;
        h.StoreLine(0, Texts({"1", "2", "4", "-2", "6"}));
        h.PressSlot(0);
        const QImage before = h.Picture();
        const std::string linkBefore = h.form.Link();
        h.Apply(h.form.OpenLink(link.toStdString(), LinkOpening::Step));
        QCOMPARE(h.announcement, QStringLiteral("リンクを読めませんでした（%1）").arg(wrong));
        QCOMPARE(h.form.Link(), linkBefore);
        QCOMPARE(h.Picture(), before);
        QCOMPARE(h.BoxTexts(), Texts({" 1", " 2", " 4", "-2", " 6"}));
    }

    void openingIsOneStepThatUndoTakesBack()
    {
        CoreHarness h;
        h.StoreLine(0, Texts({"1", "2", "4", "-2", "6"}));
        h.Apply(
            h.form.OpenLink("#2=0,1,2,-4,4&4=1,0,3,-1,1&size=l&marks=1&slot=4", LinkOpening::Step));
        // Slot ４'s vertical line fills the boxes; its range is one of y.
        QCOMPARE(h.BoxTexts(), Texts({" 1", " 0", " 3", "-1", " 1"}));
        QCOMPARE(h.CaptionTop(), CaptionShownTop);
        QVERIFY(!h.form.Contents().Lines().Slot(0).IsDrawn());
        h.Apply(h.form.Undo());
        QCOMPARE(h.announcement, QStringLiteral("元に戻しました: リンクを開きました"));
        // The size and the marks come back with the lines.
        QCOMPARE(Q(h.form.Link()), QStringLiteral("#1=1,2,4,-2,6"));
        h.Apply(h.form.Redo());
        QCOMPARE(Q(h.form.Link()),
                 QStringLiteral("#2=0,1,2,-4,4&4=1,0,3,-1,1&size=l&marks=1&slot=4"));
    }
};

QTEST_MAIN(TestLessonLink)
#include "tst_lessonlink.moc"
