// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form1.h"

#include "app/layout.h"
#include "lines/crossings.h"
#include "lines/linedrawing.h"
#include "lines/marks.h"
#include "lines/picture.h"
#include "lines/picturedescription.h"
#include "lines/rangecaption.h"
#include "plane/planedrawing.h"
#include "surface/picturebox.h"
#include "surface/surface.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

const QColor windowGreen(0, 128, 0);
const QColor panelOlive(128, 128, 0);
const QColor captionWhite(255, 255, 255);

QString ObjectName(const char *name, int index)
{
    const QString base = QString::fromLatin1(name);
    return index < 0 ? base : base + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

QString ObjectName(const ControlLayout &control)
{
    return ObjectName(control.name, control.index);
}

// Fills the widget's whole box with `back`; labels, slot buttons and the
// panel also draw their text or frame line in `text`.
void PaintColours(QWidget *widget, const QColor &back, const QColor &text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setBackgroundRole(QPalette::Window);
    widget->setAutoFillBackground(true);
}

// Labels and slot buttons take the colour of the ground they stand on, so
// only their white text shows.
void PaintOnGround(QWidget *widget, Ground ground)
{
    PaintColours(widget, ground == Ground::Panel ? panelOlive : windowGreen, captionWhite);
}

void MakeControl(const ControlLayout &control, QWidget *parent)
{
    const QString text = QString::fromUtf8(control.text);
    QWidget *widget = nullptr;
    switch (control.kind) {
    case ControlKind::Surface:
        widget = new PictureBox(parent);
        break;
    case ControlKind::Label: {
        auto *label = new QLabel(text, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setMargin(0);
        label->setIndent(0);
        PaintOnGround(label, control.ground);
        widget = label;
        break;
    }
    case ControlKind::Button: {
        auto *button = new QPushButton(text, parent);
        // Enter presses a focused button, as Space does. The button handles
        // the key itself, which screen readers follow; a window that is not
        // a dialog has no default button, so nothing else about it changes.
        button->setAutoDefault(true);
        widget = button;
        break;
    }
    case ControlKind::Option: {
        auto *option = new QRadioButton(text, parent);
        PaintOnGround(option, control.ground);
        widget = option;
        break;
    }
    case ControlKind::Box:
        widget = new QLineEdit(parent);
        break;
    case ControlKind::Shape: {
        auto *shape = new QFrame(parent);
        shape->setFrameStyle(QFrame::Box | QFrame::Plain);
        shape->setLineWidth(1);
        PaintColours(shape, panelOlive, Qt::black);
        widget = shape;
        break;
    }
    }
    widget->setObjectName(ObjectName(control));
    widget->setGeometry(control.left, control.top, control.width, control.height);
    if (control.font != FontStyle::None)
        widget->setFont(ControlFont(control.font));
}

// The character code a key press hands to a box's key handler: 13 for Enter.
std::int16_t KeyAscii(const QKeyEvent &event)
{
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return 13;
    const QString text = event.text();
    return text.isEmpty() ? std::int16_t{0} : static_cast<std::int16_t>(text.at(0).unicode());
}

// How far an arrow key moves the selection among the slot buttons, which
// stand in two rows of four.
int SlotStepForKey(int key)
{
    switch (key) {
    case Qt::Key_Right:
        return 1;
    case Qt::Key_Left:
        return -1;
    case Qt::Key_Down:
    case Qt::Key_Up:
        return SlotButtonsPerRow;
    default:
        return 0;
    }
}

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    PaintColours(this, windowGreen, palette().color(QPalette::WindowText));
    setGeometry(FormLeft, FormTop, FormWidth, FormHeight);
    setFixedSize(FormWidth, FormHeight);

    announcer_ = new Announcer(this);
    CreateControls();
    BindControls();
    NameControlsForScreenReaders();
    SetTabOrder();
    ConnectHandlers();
    MakeHistory();
    MakeMarksSwitch();
    Picture1->SetMenuActions({undoAction_, redoAction_, nullptr, marksAction_});
    Text1->setFocus(Qt::OtherFocusReason);

    Form_Load();
}

Form1::~Form1() = default;

void Form1::CreateControls()
{
    for (const ControlLayout &control : FormLayout())
        MakeControl(control, this);
}

void Form1::BindControls()
{
    const auto find = [this]<typename T>(T *&control, const char *name, int index = -1) {
        control = findChild<T *>(ObjectName(name, index), Qt::FindDirectChildrenOnly);
        Q_ASSERT(control);
    };
    const auto findAll = [&]<typename T, std::size_t N>(std::array<T *, N> &array,
                                                        const char *name) {
        for (std::size_t i = 0; i < N; ++i)
            find(array[i], name, static_cast<int>(i));
    };
    find(Picture1, "Picture1");
    findAll(Label5, "Label5");
    findAll(Label6, "Label6");
    findAll(Label8, "Label8");
    find(Label9, "Label9");
    find(Command1, "Command1");
    find(Command2, "Command2");
    findAll(Command3, "Command3");
    find(Command4, "Command4");
    find(Command5, "Command5");
    findAll(Option1, "Option1");
    find(Text1, "Text1");
    find(Text2, "Text2");
    find(Text3, "Text3");
    find(Text4, "Text4");
    find(Text5, "Text5");

    Option1Group = new QButtonGroup(this);
    Option1Group->setExclusive(true);
    for (std::size_t i = 0; i < Option1.size(); ++i)
        Option1Group->addButton(Option1[i], static_cast<int>(i));
    Option1[0]->setChecked(true);
    MakeSlotTabStop(0);
}

void Form1::NameControlsForScreenReaders()
{
    // Orca names a box by the label that labels it, so the labels above a, b
    // and c carry the boxes' purpose in their spoken names.
    const std::array<QLabel *, 3> coefficientLabels = {Label8[0], Label8[1], Label9};
    const std::array<QString, 3> coefficients = {QStringLiteral("ａ（χの係数）"),
                                                 QStringLiteral("ｂ（ｙの係数）"),
                                                 QStringLiteral("ｃ（右辺の数）")};
    for (std::size_t i = 0; i < coefficients.size(); ++i) {
        Boxes()[i]->setAccessibleName(coefficients[i]);
        coefficientLabels[i]->setAccessibleName(coefficients[i]);
        coefficientLabels[i]->setBuddy(Boxes()[i]);
    }
    Picture1->setAccessibleName(QStringLiteral("座標平面"));
    for (QPushButton *size : Command3)
        size->setAccessibleName(QStringLiteral("座標平面の大きさ ") + size->text());
    // Said as one word, without the gap the caption has.
    Command1->setAccessibleName(QStringLiteral("終了"));
}

void Form1::NameRangeBoxes(RangeOf range)
{
    // The caption that shows labels the start box: "≦ ｙ≦" while it covers
    // "≦χ≦".
    const bool ofY = range == RangeOf::Y;
    const QString variable = ofY ? QStringLiteral("ｙ") : QStringLiteral("χ");
    const QString from = QStringLiteral("変域の始め（%1）").arg(variable);
    Text4->setAccessibleName(from);
    Text5->setAccessibleName(QStringLiteral("変域の終わり（%1）").arg(variable));
    QLabel *shown = Label6[ofY ? 1 : 0];
    Label6[ofY ? 0 : 1]->setBuddy(nullptr);
    shown->setBuddy(Text4);
    shown->setAccessibleName(from);
}

void Form1::DescribeSurface(const std::vector<Crossing> &crossings)
{
    // A screen reader speaks the parts as sentences; a copied picture carries
    // them one to a line, for pasting into plain text.
    // With the marks shown, both go on with the crossings: spoken as a
    // fraction is read, copied as it is written.
    const QStringList parts = DescribePicture(lineTable_, view_);
    Picture1->setAccessibleDescription(
        (parts + DescribeCrossings(crossings, Wording::Spoken)).join(QStringLiteral("。")));
    Picture1->SetCopyText(
        (parts + DescribeCrossings(crossings, Wording::Written)).join(QLatin1Char('\n')) +
        QLatin1Char('\n'));
    for (std::size_t i = 0; i < Option1.size(); ++i)
        Option1[i]->setAccessibleName(DescribeSlotButton(static_cast<int>(i), lineTable_, view_));
}

void Form1::Announce(const QString &message)
{
    announcer_->Say(message);
}

void Form1::SetTabOrder()
{
    std::vector<std::pair<int, QWidget *>> stops;
    for (const ControlLayout &control : FormLayout()) {
        if (control.tabIndex != NoTabStop)
            stops.emplace_back(control.tabIndex, findChild<QWidget *>(ObjectName(control),
                                                                      Qt::FindDirectChildrenOnly));
    }
    std::sort(stops.begin(), stops.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < stops.size(); ++i)
        setTabOrder(stops[i - 1].second, stops[i].second);
}

void Form1::ConnectHandlers()
{
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    for (std::size_t i = 0; i < Command3.size(); ++i) {
        connect(Command3[i], &QPushButton::clicked, this,
                [this, i] { Command3_Click(static_cast<std::int16_t>(i)); });
    }
    connect(Option1Group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Option1_Click(static_cast<std::int16_t>(id));
    });
    connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });

    for (QLineEdit *box : Boxes())
        box->installEventFilter(this);
    for (QRadioButton *option : Option1)
        option->installEventFilter(this);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *box = qobject_cast<QLineEdit *>(watched);
        return box != nullptr && HandleHistoryKey(box, event);
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto &key = *static_cast<QKeyEvent *>(event);

    // The boxes' key handlers see every character first; the key then goes on
    // to the box's own editing.
    static constexpr std::array<void (Form1::*)(std::int16_t), 5> keyPressHandlers = {
        &Form1::Text1_KeyPress, &Form1::Text2_KeyPress, &Form1::Text3_KeyPress,
        &Form1::Text4_KeyPress, &Form1::Text5_KeyPress};
    const std::int16_t code = KeyAscii(key);
    const std::array<QLineEdit *, 5> boxes = Boxes();
    if (const auto box = std::find(boxes.begin(), boxes.end(), watched);
        code != 0 && box != boxes.end())
        (this->*keyPressHandlers[static_cast<std::size_t>(box - boxes.begin())])(code);
    if (auto *box = qobject_cast<QLineEdit *>(watched);
        box != nullptr && HandleHistoryKey(box, event))
        return true;

    // Arrow keys move the selection over the two rows of slot buttons. The
    // new button is selected as it takes the focus, and its Option1_Click
    // then moves the focus on to the a box.
    if (auto *option = qobject_cast<QRadioButton *>(watched)) {
        const int step = SlotStepForKey(key.key());
        if (step == 0)
            return QWidget::eventFilter(watched, event);
        const int index = Option1Group->id(option);
        FocusSlotButton((index + step + SlotButtonCount) % SlotButtonCount);
        return true;
    }

    return QWidget::eventFilter(watched, event);
}

void Form1::Form_Load()
{
    setWindowTitle(QStringLiteral("Tolvane"));
    Picture1->Canvas().SetFontSize(SurfaceFontPoints);
    MoveRangeCaption(RangeOf::X);
    // The origin in the middle of the surface, the middle plane size.
    view_ = PlaneView{};
    currentSlot_ = 0;
    RedrawSurface();
}

void Form1::Command1_Click()
{
    // Ends the program at once: nothing is asked and nothing is saved.
    close();
    QCoreApplication::exit(0);
}

void Form1::RedrawSurface()
{
    DrawPictureOn(Picture1->Canvas(), lineTable_, view_);
    const std::vector<Crossing> crossings = ShownCrossings();
    if (marksShown_)
        DrawMarksOn(Picture1->Canvas(), lineTable_, view_, crossings);
    const AxisNamePlaces places = AxisNamePlacesFor(view_);
    Label5[0]->move(places.yNameLeft, Label5[0]->y());
    Label5[1]->move(Label5[1]->x(), places.xNameTop);
    DescribeSurface(crossings);
}

void Form1::DrawLine(int slot, std::int16_t colour)
{
    // The marks must match the lines, so with them shown every change draws
    // the whole picture afresh.
    if (marksShown_) {
        RedrawSurface();
        return;
    }
    DrawLineOn(Picture1->Canvas(), lineTable_, slot, colour, view_);
    DescribeSurface();
}

void Form1::MoveRangeCaption(RangeOf range)
{
    Label6[1]->move(Label6[1]->x(), RangeCaptionTop(range));
    NameRangeBoxes(range);
}
