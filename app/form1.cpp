// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/form1.h"

#include "app/layout.h"
#include "lines/linedrawing.h"
#include "lines/picturedescription.h"
#include "lines/rangecaption.h"
#include "plane/planedrawing.h"
#include "runtime/uifont.h"
#include "surface/picturebox.h"

#include <QButtonGroup>
#include <QCoreApplication>
#include <QFrame>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <vector>

namespace {

const QColor windowGreen(0, 128, 0);
const QColor panelOlive(128, 128, 0);
const QColor captionWhite(255, 255, 255);
const QRgb surfaceYellow = qRgb(255, 255, 192);

QString ObjectName(const char *name, int index)
{
    const QString base = QString::fromLatin1(name);
    return index < 0 ? base : base + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

QColor GroundColour(Ground ground)
{
    return ground == Ground::Panel ? panelOlive : windowGreen;
}

// Labels and slot buttons fill their whole box with the colour of the ground
// they stand on, so only their white text shows.
void PaintOnGround(QWidget *widget, Ground ground)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, GroundColour(ground));
    palette.setColor(QPalette::WindowText, captionWhite);
    widget->setPalette(palette);
    widget->setBackgroundRole(QPalette::Window);
    widget->setAutoFillBackground(true);
}

QWidget *MakeControl(const ControlLayout &control, QWidget *parent)
{
    const QString text = QString::fromUtf8(control.text);
    QWidget *widget = nullptr;
    switch (control.kind) {
    case ControlKind::Surface:
        widget = new PictureBox(control.width, control.height, surfaceYellow, parent);
        widget->setFocusPolicy(Qt::TabFocus);
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
        button->setAutoDefault(false);
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
        QPalette palette = shape->palette();
        palette.setColor(QPalette::Window, panelOlive);
        palette.setColor(QPalette::WindowText, Qt::black);
        shape->setPalette(palette);
        shape->setAutoFillBackground(true);
        widget = shape;
        break;
    }
    }
    widget->setObjectName(ObjectName(control.name, control.index));
    widget->setGeometry(control.left, control.top, control.width, control.height);
    if (control.font != FontStyle::None)
        widget->setFont(vb::GothicFont(PixelSize(control.font), IsBold(control.font)));
    return widget;
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
        return 4;
    default:
        return 0;
    }
}

} // namespace

Form1::Form1(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, windowGreen);
    setPalette(palette);
    setAutoFillBackground(true);
    setGeometry(FormLeft, FormTop, FormWidth, FormHeight);
    setFixedSize(FormWidth, FormHeight);

    CreateControls();
    NameControlsForScreenReaders();
    SetTabOrder();
    ConnectHandlers();
    Text1->setFocus(Qt::OtherFocusReason);

    Form_Load();
}

Form1::~Form1() = default;

void Form1::CreateControls()
{
    // Creation order is stacking order: the shape and the labels first, back
    // to front, then every button, box and the surface in front of them.
    QHash<QString, QWidget *> byName;
    const auto layout = FormLayout();
    for (const char *name : BackToFrontNames()) {
        const auto it = std::find_if(layout.begin(), layout.end(), [&](const ControlLayout &c) {
            return ObjectName(c.name, c.index) == QLatin1String(name);
        });
        if (it != layout.end())
            byName.insert(QLatin1String(name), MakeControl(*it, this));
    }
    for (const ControlLayout &control : layout) {
        if (control.kind != ControlKind::Label && control.kind != ControlKind::Shape)
            byName.insert(ObjectName(control.name, control.index), MakeControl(control, this));
    }

    auto find = [&]<typename T>(T *&target, const char *name, int index = -1) {
        target = qobject_cast<T *>(byName.value(ObjectName(name, index)));
        Q_ASSERT(target);
    };
    find(Picture1, "Picture1");
    find(Shape1, "Shape1");
    find(Label1, "Label1");
    find(Label2, "Label2");
    find(Label3, "Label3");
    find(Label4, "Label4");
    find(Label9, "Label9");
    for (int i = 0; i < 2; ++i) {
        find(Label5[i], "Label5", i);
        find(Label6[i], "Label6", i);
        find(Label8[i], "Label8", i);
    }
    for (int i = 0; i < 4; ++i)
        find(Label7[i], "Label7", i);
    find(Command1, "Command1");
    find(Command2, "Command2");
    find(Command4, "Command4");
    find(Command5, "Command5");
    for (int i = 0; i < 3; ++i)
        find(Command3[i], "Command3", i);
    for (int i = 0; i < 8; ++i)
        find(Option1[i], "Option1", i);
    find(Text1, "Text1");
    find(Text2, "Text2");
    find(Text3, "Text3");
    find(Text4, "Text4");
    find(Text5, "Text5");

    Option1Group = new QButtonGroup(this);
    Option1Group->setExclusive(true);
    for (int i = 0; i < 8; ++i)
        Option1Group->addButton(Option1[i], i);
    Option1[0]->setChecked(true);
    for (int i = 1; i < 8; ++i)
        Option1[i]->setFocusPolicy(Qt::ClickFocus);
}

void Form1::NameControlsForScreenReaders()
{
    Picture1->setAccessibleName(QStringLiteral("座標平面"));
    Text1->setAccessibleName(QStringLiteral("ａ"));
    Text2->setAccessibleName(QStringLiteral("ｂ"));
    Text3->setAccessibleName(QStringLiteral("ｃ"));
    Text4->setAccessibleName(QStringLiteral("変域の始め"));
    Text5->setAccessibleName(QStringLiteral("変域の終わり"));
    for (QPushButton *size : Command3)
        size->setAccessibleName(QStringLiteral("座標平面の大きさ ") + size->text());
    Command1->setAccessibleName(QStringLiteral("終了"));
    Command2->setAccessibleName(QStringLiteral("初期画面"));
    Command4->setAccessibleName(QStringLiteral("線を引く"));
    Command5->setAccessibleName(QStringLiteral("線を消す"));
    for (QRadioButton *option : Option1)
        option->setAccessibleName(option->text());
}

void Form1::DescribeSurface()
{
    Picture1->setAccessibleDescription(DescribePicture(lineTable_, view_));
}

void Form1::SetTabOrder()
{
    std::vector<std::pair<int, QWidget *>> stops;
    for (const ControlLayout &control : FormLayout()) {
        if (control.kind == ControlKind::Label || control.kind == ControlKind::Shape)
            continue;
        auto *widget = findChild<QWidget *>(ObjectName(control.name, control.index),
                                            Qt::FindDirectChildrenOnly);
        stops.emplace_back(control.tabIndex, widget);
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
    for (int i = 0; i < 3; ++i) {
        connect(Command3[i], &QPushButton::clicked, this,
                [this, i] { Command3_Click(static_cast<std::int16_t>(i)); });
    }
    connect(Option1Group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            Option1_Click(static_cast<std::int16_t>(id));
    });
    connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });

    for (QLineEdit *box : {Text1, Text2, Text3, Text4, Text5})
        box->installEventFilter(this);
    for (QPushButton *button :
         {Command1, Command2, Command3[0], Command3[1], Command3[2], Command4, Command5})
        button->installEventFilter(this);
    for (QRadioButton *option : Option1)
        option->installEventFilter(this);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto &key = *static_cast<QKeyEvent *>(event);

    // The boxes' key handlers see every character first; the key then goes on
    // to the box's own editing.
    const std::int16_t code = KeyAscii(key);
    if (code != 0) {
        if (watched == Text1)
            Text1_KeyPress(code);
        else if (watched == Text2)
            Text2_KeyPress(code);
        else if (watched == Text3)
            Text3_KeyPress(code);
        else if (watched == Text4)
            Text4_KeyPress(code);
        else if (watched == Text5)
            Text5_KeyPress(code);
    }

    // Arrow keys move the selection over the two rows of slot buttons. The
    // new button is selected as it takes the focus, and its Option1_Click
    // then moves the focus on to the a box.
    if (auto *option = qobject_cast<QRadioButton *>(watched)) {
        const int step = SlotStepForKey(key.key());
        if (step == 0)
            return QWidget::eventFilter(watched, event);
        const int index = Option1Group->id(option);
        FocusSlotButton((index + step + 8) % 8);
        return true;
    }

    // Enter presses a focused push button, as Space does.
    if ((key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && !key.isAutoRepeat()) {
        if (auto *button = qobject_cast<QPushButton *>(watched)) {
            button->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::Form_Load()
{
    setWindowTitle(QStringLiteral("Tolvane"));
    Picture1->Canvas().SetFontSize(20.0f);
    MoveRangeCaption(RangeCaptionHiddenTop);
    view_.OriginX = 300;
    view_.OriginY = 300;
    view_.GridUnit = 22;
    currentSlot_ = 0;
    DrawPlane();
}

void Form1::Command1_Click()
{
    // Ends the program at once: nothing is asked and nothing is saved.
    close();
    QCoreApplication::exit(0);
}

void Form1::DrawPlane()
{
    DrawPlaneOn(Picture1->Canvas(), view_);
    const AxisNamePlaces places = AxisNamePlacesFor(view_);
    Label5[0]->move(places.yNameLeft, Label5[0]->y());
    Label5[1]->move(Label5[1]->x(), places.xNameTop);
    DescribeSurface();
}

void Form1::DrawLine(int slot, std::int16_t colour)
{
    DrawLineOn(Picture1->Canvas(), lineTable_, slot, colour, view_);
}

void Form1::DrawAllLines()
{
    for (int slot = 0; slot < LineTable::SlotCount; ++slot)
        DrawLine(slot, LineColor);
}

void Form1::MoveRangeCaption(int top)
{
    Label6[1]->move(Label6[1]->x(), top);
}
