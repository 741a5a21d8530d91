// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/announcer.h"
#include "support/formharness.h"
#include "support/qtext.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTextBrowser>
#include <QTextTable>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

QImage Grab(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb PixelOf(const QImage &image, int x, int y)
{
    return image.pixel(x, y);
}

struct ControlRow {
    const char *name;
    const char *className;
    QRect geometry;
    const char *text;
    int pixelSize; // 0 for the surface and the shape, which show no text
    bool bold;
};

const char *const labelClass = "QLabel";
const char *const buttonClass = "QPushButton";
const char *const optionClass = "QRadioButton";
const char *const boxClass = "QLineEdit";

// Every control of the window as it first appears.
const ControlRow controlRows[] = {
    {"Picture1", "PictureBox", {16, 32, SurfaceSize, SurfaceSize}, "", 0, false},
    {"Label5(0)", labelClass, {304, 0, 25, 33}, "ｙ", 27, true},
    {"Label5(1)", labelClass, {616, 328, 25, 33}, "χ", 27, true},
    {"Command2", buttonClass, {824, 16, 89, 33}, "初期画面", 16, true},
    {"Label1", labelClass, {720, 56, 130, 16}, "座標平面の大きさ", 16, true},
    {"Command3(0)", buttonClass, {664, 80, 65, 33}, "小", 16, false},
    {"Command3(1)", buttonClass, {752, 80, 65, 33}, "中", 27, true},
    {"Command3(2)", buttonClass, {840, 80, 65, 33}, "大", 16, false},
    {"Label7(0)", labelClass, {672, 136, 241, 25}, "１～８本の直線が描けます。", 19, true},
    {"Label7(1)", labelClass, {672, 160, 225, 25}, "番号の○にチェックし，", 19, true},
    {"Label7(2)", labelClass, {672, 184, 249, 25}, "ａ，ｂ，ｃの値と変域をいれて", 19, true},
    {"Label7(3)", labelClass, {672, 208, 225, 25}, "「線を引く」で描きます。", 19, true},
    {"Shape1", "QFrame", {648, 240, 273, 313}, "", 0, false},
    {"Option1(0)", optionClass, {664, 248, 33, 33}, "１", 19, true},
    {"Option1(1)", optionClass, {720, 248, 33, 33}, "２", 19, true},
    {"Option1(2)", optionClass, {776, 248, 33, 33}, "３", 19, true},
    {"Option1(3)", optionClass, {832, 248, 33, 33}, "４", 19, true},
    {"Option1(4)", optionClass, {664, 280, 33, 33}, "５", 19, true},
    {"Option1(5)", optionClass, {720, 280, 33, 33}, "６", 19, true},
    {"Option1(6)", optionClass, {776, 280, 33, 33}, "７", 19, true},
    {"Option1(7)", optionClass, {832, 280, 33, 33}, "８", 19, true},
    {"Label8(0)", labelClass, {680, 317, 17, 25}, "ａ", 19, true},
    {"Label8(1)", labelClass, {784, 317, 17, 25}, "ｂ", 19, true},
    {"Label9", labelClass, {888, 317, 17, 25}, "ｃ", 19, true},
    {"Text1", boxClass, {656, 336, 49, 41}, "", 32, false},
    {"Label3", labelClass, {704, 344, 25, 33}, "χ", 27, true},
    {"Label4", labelClass, {728, 344, 25, 33}, "＋", 27, true},
    {"Text2", boxClass, {760, 336, 49, 41}, "", 32, false},
    {"Label2", labelClass, {816, 344, 49, 33}, "ｙ＝", 27, true},
    {"Text3", boxClass, {864, 336, 49, 41}, "", 32, false},
    {"Text4", boxClass, {680, 400, 57, 41}, "", 32, false},
    {"Label6(0)", labelClass, {744, 408, 89, 33}, "≦χ≦", 27, true},
    {"Text5", boxClass, {832, 400, 57, 41}, "", 32, false},
    {"Command4", buttonClass, {744, 456, 161, 33}, "線を引く", 19, true},
    {"Label6(1)", labelClass, {744, 456, 89, 33}, "≦ ｙ≦", 27, true},
    {"Command5", buttonClass, {744, 504, 161, 33}, "線を消す", 19, true},
    {"Command1", buttonClass, {792, 600, 121, 33}, "終　了", 16, true},
};

// Runs the application's event loop once, with a click or a close queued to
// run inside it. A loop still running after five seconds ends with 99.
int RunLoop(const std::function<void()> &action)
{
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    fallback.start(5000);
    QTimer::singleShot(0, action);
    return QCoreApplication::exec();
}

} // namespace

class TestFormWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { PrepareTestApplication(); }

    void windowFrame()
    {
        FormHarness h;
        QCOMPARE(h.form->windowTitle(), QStringLiteral("Tolvane"));
        QCOMPARE(h.form->size(), QSize(935, 650));
        const QImage grab = Grab(h.form.get());
        QCOMPARE(PixelOf(grab, 5, 640), WindowGreen);
        QCOMPARE(PixelOf(grab, 930, 5), WindowGreen);
        QCOMPARE(PixelOf(grab, 660, 545), PanelOlive);
        QCOMPARE(PixelOf(grab, 910, 300), PanelOlive);
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("className");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<bool>("bold");
        for (const ControlRow &row : controlRows) {
            QTest::newRow(row.name)
                << QString::fromLatin1(row.name) << QByteArray(row.className) << row.geometry
                << QString::fromUtf8(row.text) << row.pixelSize << row.bold;
        }
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, className);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(int, pixelSize);
        QFETCH(bool, bold);

        FormHarness h;
        QWidget *widget = h.Control(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(QByteArray(widget->metaObject()->className()), className);
        QCOMPARE(widget->geometry(), geometry);
        QString shown;
        if (auto *label = qobject_cast<QLabel *>(widget))
            shown = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            shown = button->text();
        else if (auto *box = qobject_cast<QLineEdit *>(widget))
            shown = box->text();
        QCOMPARE(shown, text);
        if (pixelSize > 0) {
            QCOMPARE(widget->font().pixelSize(), pixelSize);
            QCOMPARE(widget->font().bold(), bold);
        }
    }

    void controlCount()
    {
        FormHarness h;
        // Every control the pupil can see; the screen reader's announcer
        // stays hidden.
        auto widgets = h.form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        widgets.removeIf([](const QWidget *widget) { return widget->isHidden(); });
        QCOMPARE(widgets.size(), 37);
        QStringList names;
        for (const QWidget *widget : widgets)
            names << widget->objectName();
        QStringList expected;
        for (const ControlRow &row : controlRows)
            expected << QString::fromLatin1(row.name);
        names.sort();
        expected.sort();
        QCOMPARE(names, expected);
    }

    void groundColours_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRgb>("ground");
        for (const char *name : {"Label5(0)", "Label5(1)", "Label1", "Label7(0)", "Label7(1)",
                                 "Label7(2)", "Label7(3)"})
            QTest::newRow(name) << QString::fromLatin1(name) << WindowGreen;
        for (const char *name : {"Label8(0)", "Label8(1)", "Label9", "Label3", "Label4", "Label2",
                                 "Label6(0)", "Label6(1)", "Option1(0)", "Option1(7)"})
            QTest::newRow(name) << QString::fromLatin1(name) << PanelOlive;
    }

    void groundColours()
    {
        QFETCH(QString, name);
        QFETCH(QRgb, ground);
        FormHarness h;
        QWidget *widget = h.Control(name);
        QVERIFY(widget);
        QCOMPARE(widget->palette().color(QPalette::Window).rgb(), ground);
        QCOMPARE(widget->palette().color(QPalette::WindowText).rgb(), CaptionWhite);
        QVERIFY(widget->autoFillBackground());
    }

    void stacking()
    {
        FormHarness h;
        int lastBehind = -1;
        int firstInFront = 1000;
        int order = 0;
        for (QObject *child : h.form->children()) {
            auto *widget = qobject_cast<QWidget *>(child);
            if (!widget || widget->isHidden())
                continue;
            const bool behind =
                qobject_cast<QLabel *>(widget) || widget->objectName() == QLatin1String("Shape1");
            if (behind)
                lastBehind = std::max(lastBehind, order);
            else
                firstInFront = std::min(firstInFront, order);
            ++order;
        }
        QCOMPARE(order, 37);
        QVERIFY2(lastBehind < firstInFront, "a label or the shape stands over a control");

        // The caption under the draw button shows nothing of itself.
        QWidget *draw = h.Button(QStringLiteral("Command4"));
        QCOMPARE(h.Control(QStringLiteral("Label6(1)"))->y(), 456);
        const QImage window = Grab(h.form.get());
        const QImage button = Grab(draw);
        QCOMPARE(PixelOf(window, 760, 470), PixelOf(button, 16, 14));
        for (int y = 3; y < draw->height() - 3; ++y) {
            for (int x = 3; x < draw->width() - 3; ++x) {
                const QRgb pixel = PixelOf(window, draw->x() + x, draw->y() + y);
                QCOMPARE(pixel, PixelOf(button, x, y));
                QVERIFY(pixel != PanelOlive && pixel != CaptionWhite);
            }
        }
    }

    void gothicFace()
    {
        // Where the original face is missing, the IPA face metric-compatible
        // with it shows, even on a system with other Japanese faces.
        const QStringList installed = QFontDatabase::families();
        if (installed.contains(QStringLiteral("MS PGothic")) ||
            !installed.contains(QStringLiteral("IPAPGothic")))
            QSKIP("the test needs the IPA P face without the original one");
        FormHarness h;
        for (const char *name : {"Label1", "Command4", "Text1"})
            QCOMPARE(QFontInfo(h.Control(QString::fromLatin1(name))->font()).family(),
                     QStringLiteral("IPAPGothic"));
    }

    void initialState()
    {
        FormHarness h;
        QCOMPARE(h.Button(QStringLiteral("Command3(1)"))->font().pixelSize(), 27);
        QVERIFY(h.Button(QStringLiteral("Command3(1)"))->font().bold());
        for (const char *name : {"Command3(0)", "Command3(2)"}) {
            QCOMPARE(h.Button(QString::fromLatin1(name))->font().pixelSize(), 16);
            QVERIFY(!h.Button(QString::fromLatin1(name))->font().bold());
        }
        for (int i = 0; i < 8; ++i)
            QCOMPARE(h.SlotButton(i)->isChecked(), i == 0);
        for (int n = 1; n <= 5; ++n)
            QVERIFY(h.Box(n)->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), h.Box(1));
        QCOMPARE(h.Core().Contents().View().OriginX, 300);
        QCOMPARE(h.Core().Contents().View().OriginY, 300);
        QCOMPARE(h.Core().Contents().View().GridUnit, 22);
        QCOMPARE(h.Core().Contents().Selected(), 0);
        QVERIFY(h.Core().Contents().Lines() == LineTable());
    }

    void tabOrder()
    {
        FormHarness h;
        const QStringList expected = {
            QStringLiteral("Text2"),       QStringLiteral("Text3"),
            QStringLiteral("Text4"),       QStringLiteral("Command4"),
            QStringLiteral("Command5"),    QStringLiteral("Command2"),
            QStringLiteral("Command1"),    QStringLiteral("Picture1"),
            QStringLiteral("Command3(0)"), QStringLiteral("Command3(1)"),
            QStringLiteral("Command3(2)"), QStringLiteral("Option1(0)"),
            QStringLiteral("Text5"),       QStringLiteral("Text1"),
        };
        QCOMPARE(QApplication::focusWidget(), h.Box(1));
        for (const QString &name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget());
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void planeDrawnBeforeShowing()
    {
        FormWindow form;
        QVERIFY(!form.isVisible());
        const QImage picture = form.Surface()->Image();
        QCOMPARE(picture.size(), QSize(SurfaceSize, SurfaceSize));
        QCOMPARE(PixelOf(picture, 300, 150), Black);
        QCOMPARE(PixelOf(picture, 150, 300), Black);
        QCOMPARE(PixelOf(picture, 333, 157), SurfaceYellow);
        QCOMPARE(PixelOf(picture, 333, 167), SurfaceYellow);
        QCOMPARE(PixelOf(picture, 344, 150), Black);
    }

    void pictureOnWindow()
    {
        FormHarness h;
        const QImage picture = h.Picture().convertToFormat(QImage::Format_RGB32);
        const QImage window = Grab(h.form.get());
        for (const QPoint p :
             {QPoint(300, 150), QPoint(150, 300), QPoint(333, 157), QPoint(0, 0), QPoint(599, 599)})
            QCOMPARE(PixelOf(window, 16 + p.x(), 32 + p.y()), PixelOf(picture, p.x(), p.y()));
        QCOMPARE(window.copy(16, 32, SurfaceSize, SurfaceSize), picture);

        h.form->hide();
        h.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.form.get()));
        QCOMPARE(h.Picture().convertToFormat(QImage::Format_RGB32), picture);
        QCOMPARE(Grab(h.form.get()).copy(16, 32, SurfaceSize, SurfaceSize), picture);
    }

    void keyPressesButton_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("gridUnit");
        QTest::newRow("return on 小") << 0 << int(Qt::Key_Return) << 40;
        QTest::newRow("enter on 大") << 2 << int(Qt::Key_Enter) << 14;
        QTest::newRow("space on 小") << 0 << int(Qt::Key_Space) << 40;
        QTest::newRow("space on 大") << 2 << int(Qt::Key_Space) << 14;
    }

    void keyPressesButton()
    {
        QFETCH(int, index);
        QFETCH(int, key);
        QFETCH(int, gridUnit);
        FormHarness h;
        QPushButton *button = h.Button(QStringLiteral("Command3(%1)").arg(index));
        button->setFocus(Qt::TabFocusReason);
        QCOMPARE(QApplication::focusWidget(), button);
        QTest::keyClick(button, Qt::Key(key));
        QCOMPARE(h.Core().Contents().View().GridUnit, gridUnit);
        QCOMPARE(button->font().pixelSize(), 27);
        QVERIFY(button->font().bold());
        QCOMPARE(h.Button(QStringLiteral("Command3(1)"))->font().pixelSize(), 16);
    }

    // Ctrl+C on the focused surface and the first entry of its menu both put
    // the picture as shown and its description on the clipboard, and change
    // nothing else: not the table, the slot, the boxes or the focus.
    void copyPicture_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("click, Ctrl+C") << QStringLiteral("keys");
        QTest::newRow("right click") << QStringLiteral("right click");
        QTest::newRow("menu key") << QStringLiteral("menu key");
        QTest::newRow("Shift+F10") << QStringLiteral("shift f10");
    }

    void copyPicture()
    {
        QFETCH(QString, how);
        FormHarness h;
        QGuiApplication::clipboard()->clear();
        h.TypeFirstLine();
        h.Click(h.Button(QStringLiteral("Command4")));
        // A line that cannot be drawn is copied as shown too: not at all.
        h.StoreLine(5, {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("3"),
                        QStringLiteral("0"), QStringLiteral("1")});
        h.Click(h.Button(QStringLiteral("Command3(0)")));
        h.Click(h.SlotButton(2));
        h.Type(h.Box(1), QStringLiteral("7"));
        auto *surface = h.Control(QStringLiteral("Picture1"));
        if (how != QLatin1String("right click"))
            h.Click(surface);
        QWidget *const focus = QApplication::focusWidget();
        QCOMPARE(focus, how == QLatin1String("right click") ? h.Box(1) : surface);
        const LineTable table = h.Core().Contents().Lines();
        const QImage shown = h.Picture();

        if (how == QLatin1String("keys")) {
            QTest::keyClick(surface, Qt::Key_C, Qt::ControlModifier);
        } else {
            if (how == QLatin1String("right click")) {
                // The press must not move the focus; the window system then
                // raises the context menu event.
                const QPoint at(100, 200);
                QTest::mouseClick(surface, Qt::RightButton, {}, at);
                QContextMenuEvent event(QContextMenuEvent::Mouse, at, surface->mapToGlobal(at));
                QApplication::sendEvent(surface, &event);
            } else if (how == QLatin1String("menu key"))
                QTest::keyClick(surface, Qt::Key_Menu);
            else
                QTest::keyClick(surface, Qt::Key_F10, Qt::ShiftModifier);
            auto *menu = surface->findChild<QMenu *>();
            QVERIFY(menu);
            QTRY_VERIFY(menu->isVisible());
            QCOMPARE(menu->actions().constFirst()->text(), QStringLiteral("図をコピー"));
            menu->actions().constFirst()->trigger();
            menu->close();
        }

        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied && copied->hasImage());
        QCOMPARE(qvariant_cast<QImage>(copied->imageData()), shown);
        QCOMPARE(copied->text(), QStringLiteral("座標平面 大きさ小、xもyも −7 から 7 まで\n"
                                                "直線１: x + 2y = 4, −2 ≦ x ≦ 6\n"
                                                "直線６: 0 = 3、aもbも0なので直線になりません\n"));
        QTRY_COMPARE(QApplication::focusWidget(), focus);
        QCOMPARE(h.Picture(), shown);
        QCOMPARE(h.Core().Contents().Selected(), 2);
        QCOMPARE(h.Box(1)->text(), QStringLiteral("7"));
        QVERIFY(h.Core().Contents().Lines() == table);
    }

    // The undo keys reach the box's own typing first, then the line
    // commands, wherever the focus is; Ctrl+I switches the marks anywhere.
    void undoKeysInTheWindow()
    {
        FormHarness h;
        const QImage bare = h.Picture();
        int history = 0;
        for (QAction *action : h.form->actions()) {
            if (action->text() == QStringLiteral("元に戻す") ||
                action->text() == QStringLiteral("やり直す")) {
                QVERIFY(!action->isEnabled());
                ++history;
            }
        }
        QCOMPARE(history, 2);
        for (QWidget *focus :
             {static_cast<QWidget *>(h.Box(1)), h.Control(QStringLiteral("Picture1"))}) {
            focus->setFocus();
            QTest::keyClick(focus, Qt::Key_Z, Qt::ControlModifier);
            QTest::keyClick(focus, Qt::Key_Y, Qt::ControlModifier);
        }
        QCOMPARE(h.Picture(), bare);

        h.Box(1)->setFocus();
        h.TypeFirstLine();
        h.Click(h.Button(QStringLiteral("Command4")));
        QCOMPARE(h.PixelAt(333, 272), LineBlue);
        h.Type(h.Box(1), QStringLiteral("12"));
        QTest::keyClick(h.Box(1), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(h.Box(1)->text(), QString());
        QVERIFY(h.Core().Contents().Lines().Slot(0).IsDrawn());
        // Nothing of its own is left to undo: the draw command is undone.
        QTest::keyClick(h.Box(1), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!h.Core().Contents().Lines().Slot(0).IsDrawn());
        QCOMPARE(h.Core().Contents().Selected(), 0);
        QCOMPARE(h.PixelAt(333, 272), SurfaceYellow);
        QTest::keyClick(h.Box(1), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(h.PixelAt(333, 272), LineBlue);
        QTest::keyClick(h.Box(1), Qt::Key_I, Qt::ControlModifier);
        QVERIFY(h.Core().Contents().MarksShown());
    }

    // リンクをコピー puts the bare link on the clipboard; Ctrl+V on the plane
    // opens the clipboard's link as one step Ctrl+Z takes back, and a bad
    // link changes nothing and says why.
    void lessonLinkOnTheClipboard()
    {
        FormHarness h;
        h.Box(1)->setFocus();
        h.TypeFirstLine();
        h.Click(h.Button(QStringLiteral("Command4")));
        const auto entry = [&h](const char *text) {
            for (QAction *action : h.form->findChildren<QAction *>())
                if (action->text() == QString::fromUtf8(text))
                    return action;
            return static_cast<QAction *>(nullptr);
        };
        entry("リンクをコピー")->trigger();
        QClipboard *clipboard = QGuiApplication::clipboard();
        QCOMPARE(clipboard->text(), QStringLiteral("#1=1,2,4,-2,6"));

        QWidget *plane = h.Control(QStringLiteral("Picture1"));
        const auto said = [&h] {
            return h.Control<Announcer>(QStringLiteral("Announcer"))->Message();
        };
        plane->setFocus();
        clipboard->setText(QStringLiteral("#1=1,1"));
        QTest::keyClick(plane, Qt::Key_V, Qt::ControlModifier);
        QTRY_COMPARE(said(), QStringLiteral("リンクを読めませんでした（直線１の数が足りません）"));
        QCOMPARE(h.Core().Link(), std::string("#1=1,2,4,-2,6"));

        clipboard->setText(QStringLiteral("https://school.example/#2=0,1,2,-4,4&slot=2"));
        QTest::keyClick(plane, Qt::Key_V, Qt::ControlModifier);
        QTRY_VERIFY(said().startsWith(QStringLiteral("リンクを開きました")));
        QVERIFY(!h.Core().Contents().Lines().Slot(0).IsDrawn());
        QVERIFY(h.Core().Contents().Lines().Slot(1).IsDrawn());
        QCOMPARE(h.BoxTexts(), Texts({" 0", " 1", " 2", "-4", " 4"}));
        QTest::keyClick(h.Box(1), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(h.Core().Link(), std::string("#1=1,2,4,-2,6"));
        clipboard->setText(QStringLiteral("#8=1,0,2,-1,1"));
        entry("リンクから開く")->trigger();
        QCOMPARE(h.Core().Link(), std::string("#8=1,0,2,-1,1"));
    }

    // The formula and table beside the window, with Ctrl+G in a box or from
    // the plane's menu: the window grows to the right, nothing of it moves,
    // the panel shows the typed line whole and the copied text ends with it.
    void functionView()
    {
        FormHarness h;
        h.TypeLine({QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("6"),
                    QStringLiteral("-3"), QStringLiteral("3")});
        // Nothing of the panel exists until it is asked for.
        QVERIFY(h.form->findChild<QTextBrowser *>() == nullptr);
        h.Box(1)->setFocus();
        QTest::keyClick(h.Box(1), Qt::Key_G, Qt::ControlModifier);
        auto *panel = h.Control<QTextBrowser>(QStringLiteral("FunctionPanel"));
        QVERIFY(panel && panel->isVisible());
        QCOMPARE(h.form->size(), QSize(1335, 650));
        for (const ControlRow &row : controlRows)
            QCOMPARE(h.Control(QString::fromLatin1(row.name))->pos(), row.geometry.topLeft());
        QVERIFY(panel->viewport()->rect().contains(QRect({}, panel->document()->size().toSize())));
        QVERIFY(panel->toPlainText().contains(QStringLiteral("y = −2/3x + 2")));
        auto *table = qobject_cast<QTextTable *>(panel->document()->rootFrame()->childFrames()[0]);
        QVERIFY(table);
        QStringList row;
        for (int column = 0; column < table->columns(); ++column)
            row << table->cellAt(1, column).firstCursorPosition().block().text();
        QCOMPARE(row.join(u' '), QStringLiteral("y 4 10/3 8/3 2 4/3 2/3 0"));
        // Tab reaches it after every control.
        h.Box(5)->setFocus();
        QTest::keyClick(h.Box(5), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), panel);
        QCOMPARE(panel->accessibleName(), QStringLiteral("式と表"));
        QVERIFY(panel->accessibleDescription().startsWith(
            QStringLiteral("式: y = マイナス3分の2x + 2。")));

        QWidget *surface = h.Control(QStringLiteral("Picture1"));
        h.Click(surface);
        QTest::keyClick(surface, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(QGuiApplication::clipboard()->text().endsWith(QStringLiteral(
            "式: y = −2/3x + 2\n傾き: −2/3\n切片: 2\n変域: −3 ≦ x ≦ 3 のとき 0 ≦ y ≦ 4\n"
            "変化の割合: (0 − 4)/(3 − (−3)) = −4/6 = −2/3\n"
            "x\t−3\t−2\t−1\t0\t1\t2\t3\ny\t4\t10/3\t8/3\t2\t4/3\t2/3\t0\n")));

        QTest::keyClick(surface, Qt::Key_F10, Qt::ShiftModifier);
        auto *menu = surface->findChild<QMenu *>();
        QVERIFY(menu);
        // Right after 番号と交点を表示, as on the page.
        const QList<QAction *> entries = menu->actions();
        const auto marks = std::find_if(entries.begin(), entries.end(), [](QAction *action) {
            return action->text() == QStringLiteral("番号と交点を表示");
        });
        QVERIFY(marks != entries.end() && marks + 1 != entries.end());
        QAction *entry = *(marks + 1);
        QCOMPARE(entry->text() + u' ' + entry->shortcut().toString(),
                 QStringLiteral("式と表を表示 Ctrl+G"));
        QVERIFY(entry->isChecked());
        entry->trigger();
        menu->close();
        QCOMPARE(h.form->size(), QSize(935, 650));
        QVERIFY(panel->isHidden());
        entry->trigger();
        QCOMPARE(h.form->size(), QSize(1335, 650));
    }

    void copyInABoxCopiesItsText()
    {
        FormHarness h;
        h.Type(h.Box(1), QStringLiteral("12"));
        h.Box(1)->selectAll();
        QTest::keyClick(h.Box(1), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("12"));
        QVERIFY(!QGuiApplication::clipboard()->mimeData()->hasImage());
    }

    void exitButtonEndsProgram()
    {
        FormHarness h;
        QPushButton *exit = h.Button(QStringLiteral("Command1"));
        QCOMPARE(RunLoop([exit] { QTest::mouseClick(exit, Qt::LeftButton); }), 0);
        QVERIFY(!h.form->isVisible());
    }

    void closingWindowEndsProgram()
    {
        FormHarness h;
        FormWindow *form = h.form.get();
        QCOMPARE(RunLoop([form] { form->close(); }), 0);
        QVERIFY(!h.form->isVisible());
    }
};

QTEST_MAIN(TestFormWindow)
#include "tst_formwindow.moc"
