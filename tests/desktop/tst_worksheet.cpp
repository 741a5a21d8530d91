// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The printed worksheet, measured on paper: printed to a PDF file through
// the printer, then rasterised and measured with tests/support/paperpdf.py
// (an A4 page, the grid at the chosen scale to a tenth of a millimetre, the
// line through its grid points, a bar of 10 cm, vector only).

#include "desktop/worksheetprint.h"
#include "support/formharness.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

namespace {

// What tests/support/paperpdf.py finds wrong with a printed worksheet at
// `scale` millimetres for a plane of `gridUnit`: empty when nothing. With
// the lines, 2x + 3y = 6 must pass its grid points; without, no line shows.
QString Measured(const QString &pdf, int scale, int gridUnit, bool withLines)
{
    QProcess checker;
    checker.setProcessChannelMode(QProcess::MergedChannels);
    checker.start(
        QStringLiteral("python3"),
        {QStringLiteral(TOLVANE_SOURCE_DIR "/tests/support/paperpdf.py"), pdf,
         QString::number(scale), QString::number(gridUnit),
         withLines ? QStringLiteral("--through=0,2;3,0;-3,4") : QStringLiteral("--pupils")});
    if (!checker.waitForFinished(120000))
        return QStringLiteral("the checker did not finish");
    const QString said = QString::fromUtf8(checker.readAll()).trimmed();
    qInfo().noquote() << said;
    return checker.exitCode() == 0 ? QString() : said;
}

} // namespace

class WorksheetTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void printsAtScale_data();
    void printsAtScale();
    void choiceBeforePrinting();
    void printsThroughBothDialogs();
};

void WorksheetTest::printsAtScale_data()
{
    QTest::addColumn<QString>("lesson");
    QTest::addColumn<int>("gridUnit");
    QTest::addColumn<int>("chosen"); // 0: the one that fits
    QTest::addColumn<int>("scale");
    QTest::addColumn<bool>("withLines");
    // 2x + 3y = 6 from x = −3 to 3, the line the formula and table show.
    const QString line = QStringLiteral("1=2,3,6,-3,3&slot=1&size=");
    QTest::newRow("小 fits at 10 mm") << line + u's' << 40 << 0 << 10 << true;
    QTest::newRow("中 fits at 5 mm") << line + u'm' << 22 << 0 << 5 << true;
    QTest::newRow("大 fits at 4 mm") << line + u'l' << 14 << 0 << 4 << true;
    QTest::newRow("中, the pupils' copy") << line + u'm' << 22 << 0 << 5 << false;
    QTest::newRow("中 at 10 mm, its middle") << line + u'm' << 22 << 10 << 10 << true;
    // Every slot full: the grid stays true under the lines, and the bar stays
    // on the page under the words.
    QTest::newRow("大 at 10 mm, eight lines")
        << QStringLiteral("2=1,-1,0,-20,20&3=1,1,5,-20,20&4=0,1,-3,-20,20&5=1,0,4,-20,20&"
                          "6=3,-2,1,-20,20&7=1,2,-8,-20,20&8=5,1,0,-3,3&") +
               line + u'l'
        << 14 << 10 << 10 << true;
}

void WorksheetTest::printsAtScale()
{
    QFETCH(QString, lesson);
    QFETCH(int, gridUnit);
    QFETCH(int, chosen);
    QFETCH(int, scale);
    QFETCH(bool, withLines);
    FormHarness ui;
    // With the formula and its table shown.
    QGuiApplication::clipboard()->setText(u'#' + lesson);
    ui.form->Surface()->setFocus();
    QTest::keyClick(ui.form->Surface(), Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(ui.form.get(), Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(ui.form->Core().Contents().View().GridUnit, gridUnit);

    // TOLVANE_WORKSHEETS keeps the PDF files in that folder, to look at.
    QTemporaryDir temporary;
    const QString kept = qEnvironmentVariable("TOLVANE_WORKSHEETS");
    const QString pdf = (kept.isEmpty() ? temporary.path() : kept) + QLatin1Char('/') +
                        QString::fromUtf8(QTest::currentDataTag()) + QStringLiteral(".pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    PrepareForWorksheet(printer);
    PrintWorksheet(ui.form->Core(), printer, {chosen, withLines});

    const QString failures = Measured(pdf, scale, gridUnit, withLines);
    QVERIFY2(failures.isEmpty(), qPrintable(failures));
}

void WorksheetTest::choiceBeforePrinting()
{
    // Ctrl+P asks first: the scale that fits is marked and focused, and
    // Escape leaves without printing.
    FormHarness ui;
    QString heading;
    QString focused;
    bool escaped = false;
    QTimer::singleShot(0, this, [&] {
        // The dialog comes from the printing module, with a class of its own.
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->inherits("WorksheetDialog"))
            return;
        heading = dialog->findChild<QGroupBox *>()->title();
        if (auto *scale = qobject_cast<QRadioButton *>(dialog->focusWidget());
            scale != nullptr && scale->isChecked())
            focused = scale->text();
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
        escaped = !dialog->isVisible();
        // Whatever happened, the test goes on.
        dialog->reject();
    });
    QTest::keyClick(ui.Box(1), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(heading, QStringLiteral("1目盛りの長さ"));
    QCOMPARE(focused, QStringLiteral("1目盛り = 5 mm"));
    QVERIFY(escaped);
}

void WorksheetTest::printsThroughBothDialogs()
{
    // Ctrl+P loads the printing module, asks for the choice (here the
    // pupils' copy), then shows the system's dialog, told here to print to
    // a PDF file.
    FormHarness ui;
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("dialog.pdf"));
    QStringList seen;
    std::function<void()> answer = [&] {
        auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (modal != nullptr && modal->inherits("WorksheetDialog")) {
            seen << QStringLiteral("choice");
            modal->findChild<QCheckBox *>()->setChecked(true);
            QTimer::singleShot(0, this, answer);
            modal->accept();
        } else if (modal != nullptr && modal->inherits("QPrintDialog")) {
            seen << QStringLiteral("system");
            for (auto *name : modal->findChildren<QLineEdit *>(QStringLiteral("filename")))
                name->setText(pdf);
            modal->accept();
        }
    };
    QTimer::singleShot(0, this, answer);
    QTest::keyClick(ui.Box(1), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(seen, (QStringList{QStringLiteral("choice"), QStringLiteral("system")}));
    const QString failures = Measured(pdf, 5, 22, false);
    QVERIFY2(failures.isEmpty(), qPrintable(failures));
}

QTEST_MAIN(WorksheetTest)
#include "tst_worksheet.moc"
