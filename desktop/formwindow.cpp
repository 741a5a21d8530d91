// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktop/formwindow.h"

#include "desktop/announcer.h"
#include "desktop/picturebox.h"
#include "desktop/uifont.h"
#include "desktop/worksheetprint.h"
#include "window/sentences.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QFontMetrics>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextBrowser>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

QColor Colour(Rgb rgb)
{
    return QColor::fromRgb(rgb);
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
    PaintColours(widget, Colour(GroundColour(ground)), Colour(CaptionColour));
}

QWidget *MakeControl(int number, QWidget *parent)
{
    const ControlLayout &control = FormLayout()[static_cast<std::size_t>(number)];
    const QString text = QString::fromUtf8(control.text);
    QWidget *widget = nullptr;
    switch (control.Kind()) {
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
        PaintColours(shape, Colour(PanelGround), Colour(PanelFrameColour));
        widget = shape;
        break;
    }
    }
    widget->setObjectName(QString::fromStdString(ControlName(number)));
    widget->setGeometry(control.left, control.top, control.width, control.height);
    if (control.font != FontStyle::None)
        widget->setFont(ControlFont(control.font));
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

// The function panel's faces: its texts large enough to read from the back
// of a classroom, each under its smaller label, and its table small enough
// that a row of seven numbers like 10/3 fits.
constexpr int PanelTextPixels = 22;
constexpr int PanelLabelPixels = 16;
constexpr int TableTextPixels = 16;
constexpr int PanelMargin = 8;
// The table of values goes in parts one above the other, of as many columns
// as fit, at most this many, all parts as wide.
constexpr int MostColumnsPerPart = 7;
constexpr int TableCellPadding = 3;

QString Html(const std::string &text)
{
    return QString::fromStdString(text).toHtmlEscaped();
}

// The widths of the table's cells in pixels: a header cell and a column.
struct TableWidths {
    int header = 0;
    int column = 0;
};

// One part of the table of values, columns [first, last): a row of x and a
// row of y, each behind its header cell.
QString TablePartHtml(const FunctionWords &words, std::size_t first, std::size_t last,
                      TableWidths widths)
{
    const auto columns = static_cast<int>(last - first);
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"%1\" "
                                  "width=\"%2\" style=\"border-color: black; "
                                  "border-collapse: collapse; margin-top: 14px; "
                                  "font-size: %3px\">")
                       .arg(TableCellPadding)
                       .arg(widths.header + columns * widths.column)
                       .arg(TableTextPixels);
    const auto row = [&](const char *name, const std::vector<PanelNumber> &numbers) {
        html += QStringLiteral("<tr><th width=\"%1\">%2</th>")
                    .arg(widths.header)
                    .arg(QLatin1String(name));
        for (std::size_t i = first; i < last; ++i)
            html += QStringLiteral("<td align=\"center\" width=\"%1\">%2</td>")
                        .arg(widths.column)
                        .arg(Html(numbers[i].written));
        html += QStringLiteral("</tr>");
    };
    row("x", words.tableX);
    row("y", words.tableY);
    return html + QStringLiteral("</table>");
}

// The panel as the textbook sets it: each text under its label, a lone
// sentence as it is, then the table of values in parts that fit `width`
// pixels.
QString FunctionPanelHtml(const FunctionWords &words, int width)
{
    QString html;
    for (const PanelLine &line : words.lines) {
        if (!line.label.empty())
            html += QStringLiteral("<p style=\"font-size: %1px; font-weight: bold; "
                                   "margin-top: 10px; margin-bottom: 0px\">%2</p>")
                        .arg(PanelLabelPixels)
                        .arg(Html(line.label));
        html +=
            QStringLiteral("<p style=\"margin: 0px 0px 0px 12px\">%1</p>").arg(Html(line.written));
    }
    const std::size_t columns = words.tableX.size();
    if (columns == 0)
        return html;

    // Every column as wide as the widest number, with room for its padding
    // and border lines.
    const QFontMetrics metrics(GothicFont(TableTextPixels, false));
    int widest = 0;
    for (const auto *row : {&words.tableX, &words.tableY}) {
        for (const PanelNumber &number : *row)
            widest =
                std::max(widest, metrics.horizontalAdvance(QString::fromStdString(number.written)));
    }
    const int room = 2 * TableCellPadding + 4;
    const TableWidths widths{metrics.horizontalAdvance(QStringLiteral("x")) * 2 + room,
                             widest + room};
    const auto fitting = static_cast<std::size_t>(
        std::clamp((width - widths.header) / widths.column, 1, MostColumnsPerPart));
    // Parts of equal length, the first ones a column longer where needed.
    const std::size_t parts = (columns + fitting - 1) / fitting;
    std::size_t first = 0;
    for (std::size_t part = 0; part < parts; ++part) {
        const std::size_t last = first + columns / parts + (part < columns % parts ? 1 : 0);
        html += TablePartHtml(words, first, last, widths);
        first = last;
    }
    return html;
}

// A key press as a shortcut would be written.
QKeySequence Pressed(const QKeyEvent &key)
{
    return QKeySequence(
        QKeyCombination(key.modifiers() & ~Qt::KeypadModifier, static_cast<Qt::Key>(key.key())));
}

} // namespace

FormWindow::FormWindow(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(WindowTitle));
    PaintColours(this, Colour(WindowGround), palette().color(QPalette::WindowText));
    setGeometry(FormLeft, FormTop, FormWidth, FormHeight);
    setFixedSize(FormWidth, FormHeight);
    // A control is born with its parent's font and gets its own only once it
    // is made; a box lays out its empty text in between. Born with the
    // boxes' own face, it loads no face that nothing shows.
    setFont(ControlFont(FontStyle::R24));

    announcer_ = new Announcer(this);
    CreateControls();
    core_ = std::make_unique<Window>(picture_->Canvas());
    SetTabOrder();
    ConnectHandlers();
    MakeMenuActions();

    ShowState();
    Widget(core_->Focus())->setFocus(Qt::OtherFocusReason);
}

FormWindow::~FormWindow()
{
    // The controls go before QObject lets go of the connections, and the
    // focus leaving them must no longer reach the core.
    disconnect(qApp, nullptr, this, nullptr);
}

void FormWindow::CreateControls()
{
    // A box also lays out its empty text once in the application's font, as
    // it is made. That loaded the desktop's default face, and asked fontconfig
    // for its fallbacks, for nothing the window ever shows: while the controls
    // are made, the application's font is the boxes' own, which they load
    // anyway. Menus keep the desktop's font.
    const QFont desktopFont = QApplication::font();
    QApplication::setFont(ControlFont(FontStyle::R24));
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const ControlLayout &control = FormLayout()[i];
        widgets_[i] = MakeControl(static_cast<int>(i), this);
        shown_[i].left = control.left;
        shown_[i].top = control.top;
        shown_[i].text = control.text;
        shown_[i].font = control.font;
        shown_[i].tabStop = true;
    }
    QApplication::setFont(desktopFont);
    picture_ = static_cast<PictureBox *>(Widget(controls::Surface));
    slotGroup_ = new QButtonGroup(this);
    slotGroup_->setExclusive(true);
    for (std::size_t i = 0; i < controls::SlotButtons.size(); ++i)
        slotGroup_->addButton(static_cast<QRadioButton *>(Widget(controls::SlotButtons[i])),
                              static_cast<int>(i));
}

void FormWindow::SetTabOrder()
{
    std::vector<std::pair<int, QWidget *>> stops;
    for (std::size_t i = 0; i < ControlCount; ++i) {
        if (FormLayout()[i].tabIndex != NoTabStop)
            stops.emplace_back(FormLayout()[i].tabIndex, widgets_[i]);
    }
    std::sort(stops.begin(), stops.end(),
              [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < stops.size(); ++i)
        setTabOrder(stops[i - 1].second, stops[i].second);
    lastTabStop_ = stops.empty() ? nullptr : stops.back().second;
}

void FormWindow::MakeFunctionPanel()
{
    panelHtml_.clear();
    // Beside the surface, as high as it, on the strip the window grows by:
    // black on white, as on a worksheet.
    functionPanel_ = new QTextBrowser(this);
    functionPanel_->setObjectName(QStringLiteral("FunctionPanel"));
    const ControlLayout &surface = FormLayout()[static_cast<std::size_t>(controls::Surface)];
    functionPanel_->setGeometry(FormWidth, surface.top, FunctionPanelWidth - surface.left,
                                surface.height);
    functionPanel_->setFont(GothicFont(PanelTextPixels, false));
    functionPanel_->document()->setDocumentMargin(PanelMargin);
    QPalette palette = functionPanel_->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    functionPanel_->setPalette(palette);
    functionPanel_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    functionPanel_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    functionPanel_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    functionPanel_->setOpenLinks(false);
    // Tab goes on to the next control; the arrows read the text.
    functionPanel_->setTabChangesFocus(true);
    functionPanel_->setFocusPolicy(Qt::StrongFocus);
    functionPanel_->setAccessibleName(QString::fromUtf8(FunctionPanelName));
    // While it shows, Tab reaches it after every control.
    if (lastTabStop_ != nullptr)
        setTabOrder(lastTabStop_, functionPanel_);
}

void FormWindow::ConnectHandlers()
{
    for (std::size_t i = 0; i < ControlCount; ++i) {
        const int control = static_cast<int>(i);
        if (auto *button = qobject_cast<QPushButton *>(widgets_[i]))
            connect(button, &QPushButton::clicked, this,
                    [this, control] { Apply(core_->Press(control)); });
        if (auto *box = qobject_cast<QLineEdit *>(widgets_[i])) {
            // Only the pupil's own edits: what the core writes it already knows.
            connect(box, &QLineEdit::textEdited, this, [this, control](const QString &text) {
                Apply(core_->Edit(control, text.toStdString()));
            });
            box->installEventFilter(this);
        }
        if (qobject_cast<QRadioButton *>(widgets_[i]) != nullptr)
            widgets_[i]->installEventFilter(this);
    }
    connect(slotGroup_, &QButtonGroup::idClicked, this, [this](int id) {
        Apply(core_->Press(controls::SlotButtons.at(static_cast<std::size_t>(id))));
    });
    // The core follows the focus wherever Tab or a click takes it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        const auto found = std::find(widgets_.begin(), widgets_.end(), now);
        if (found != widgets_.end())
            core_->FocusedBy(static_cast<int>(found - widgets_.begin()));
    });
}

void FormWindow::MakeMenuActions()
{
    // Ctrl+Z undoes; Ctrl+Y and Ctrl+Shift+Z redo, as every editor has them.
    undoAction_ = new QAction(QString::fromUtf8(UndoEntry), this);
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_ = new QAction(QString::fromUtf8(RedoEntry), this);
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    marksAction_ = new QAction(QString::fromUtf8(MarksEntry), this);
    marksAction_->setCheckable(true);
    marksAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    // Ctrl+G, which no browser keeps for itself: the web page has the same.
    functionAction_ = new QAction(QString::fromUtf8(FunctionEntry), this);
    functionAction_->setCheckable(true);
    functionAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    for (QAction *action : {undoAction_, redoAction_, marksAction_, functionAction_}) {
        // Wherever the focus is; a box takes the undo keys first for its own
        // typing.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    undoAction_->setEnabled(false);
    redoAction_->setEnabled(false);
    connect(undoAction_, &QAction::triggered, this, [this] { Apply(core_->Undo()); });
    connect(redoAction_, &QAction::triggered, this, [this] { Apply(core_->Redo()); });
    connect(marksAction_, &QAction::toggled, this,
            [this](bool shown) { Apply(core_->ShowMarks(shown)); });
    connect(functionAction_, &QAction::toggled, this,
            [this](bool shown) { Apply(core_->ShowFunction(shown)); });
    // Ctrl+V on the plane opens the link on the clipboard; in a box it
    // pastes into the box.
    linkCopyAction_ = new QAction(QString::fromUtf8(LinkCopyEntry), this);
    linkOpenAction_ = new QAction(QString::fromUtf8(LinkOpenEntry), this);
    linkOpenAction_->setShortcut(QKeySequence::Paste);
    linkOpenAction_->setShortcutContext(Qt::WidgetShortcut);
    picture_->addAction(linkOpenAction_);
    connect(linkCopyAction_, &QAction::triggered, this, &FormWindow::CopyLink);
    connect(linkOpenAction_, &QAction::triggered, this, &FormWindow::OpenLinkFromClipboard);
    // Ctrl+P prints wherever the focus is, as in every program.
    printAction_ = new QAction(QString::fromUtf8(PrintEntry), this);
    printAction_->setShortcut(QKeySequence::Print);
    printAction_->setShortcutContext(Qt::WindowShortcut);
    addAction(printAction_);
    connect(printAction_, &QAction::triggered, this, &FormWindow::PrintWorksheet);
    picture_->SetMenuActions({linkCopyAction_, linkOpenAction_, nullptr, undoAction_, redoAction_,
                              nullptr, marksAction_, functionAction_, nullptr, printAction_});
}

void FormWindow::CopyLink()
{
    // The school's address of the page, given when the package is built
    // (TOLVANE_LESSON_ADDRESS); without one, the bare "#…", which the page
    // and this program both open.
    QGuiApplication::clipboard()->setText(QStringLiteral(TOLVANE_LESSON_ADDRESS) +
                                          QString::fromStdString(core_->Link()));
    announcer_->Say(QString::fromStdString(LinkCopiedSentence()));
}

void FormWindow::OpenLinkFromClipboard()
{
    Apply(core_->OpenLink(QGuiApplication::clipboard()->text().toStdString(), LinkOpening::Step));
}

void FormWindow::PrintWorksheet()
{
    WorksheetDialog choice(core_->Contents().View().GridUnit, printChoice_, this);
    if (choice.exec() != QDialog::Accepted)
        return;
    printChoice_ = choice.Choice();
    QPrinter printer(QPrinter::HighResolution);
    PrepareForWorksheet(printer);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QString::fromUtf8(PrintTitle));
    // One page, whatever the dialog would offer.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() == QDialog::Accepted)
        ::PrintWorksheet(*core_, printer, printChoice_);
}

void FormWindow::Apply(const Window::Outcome &outcome)
{
    ShowState();
    if (outcome.focusMoved)
        Widget(core_->Focus())->setFocus(Qt::OtherFocusReason);
    if (!outcome.announcement.empty())
        announcer_->Say(QString::fromStdString(outcome.announcement));
    if (outcome.ended) {
        close();
        QCoreApplication::exit(0);
    }
}

void FormWindow::ShowState()
{
    const auto states = core_->Controls();
    for (std::size_t i = 0; i < ControlCount; ++i)
        ShowControl(static_cast<int>(i), states[i]);
    picture_->SetCopyText(QString::fromStdString(core_->CopyText()));
    undoAction_->setEnabled(core_->Contents().CanUndo());
    redoAction_->setEnabled(core_->Contents().CanRedo());
    const QSignalBlocker quietMarks(marksAction_);
    marksAction_->setChecked(core_->Contents().MarksShown());
    const QSignalBlocker quietFunction(functionAction_);
    functionAction_->setChecked(core_->Contents().FunctionShown());
    ShowFunctionPanel();
}

void FormWindow::ShowFunctionPanel()
{
    const bool shown = core_->Contents().FunctionShown();
    const int formWidth = FormWidth + (shown ? FunctionPanelWidth : 0);
    if (width() != formWidth)
        setFixedSize(formWidth, FormHeight);
    // Made the first time it shows, so that a start without it pays nothing.
    if (shown && functionPanel_ == nullptr)
        MakeFunctionPanel();
    if (functionPanel_ != nullptr)
        functionPanel_->setVisible(shown);
    if (!shown)
        return;
    // Only a change reaches the panel, so that a screen reader reading it is
    // not sent back to its start by an edit that changed nothing of it.
    const FunctionWords &words = core_->Function().words;
    const int width = functionPanel_->width() - 2 * functionPanel_->frameWidth() -
                      2 * qRound(functionPanel_->document()->documentMargin());
    const QString html = FunctionPanelHtml(words, width);
    if (html != panelHtml_) {
        panelHtml_ = html;
        functionPanel_->setHtml(html);
        functionPanel_->setAccessibleDescription(
            QString::fromStdString(SpokenFunctionPanel(words)));
    }
}

void FormWindow::ShowControl(int control, const Window::ControlState &state)
{
    Window::ControlState &shown = shown_.at(static_cast<std::size_t>(control));
    QWidget *widget = Widget(control);
    if (state.left != shown.left || state.top != shown.top)
        widget->move(state.left, state.top);
    if (state.font != shown.font)
        widget->setFont(ControlFont(state.font));
    if (auto *box = qobject_cast<QLineEdit *>(widget);
        box != nullptr && state.writes != shown.writes)
        box->setText(QString::fromStdString(state.text));
    if (auto *option = qobject_cast<QRadioButton *>(widget)) {
        if (option->isChecked() != state.checked && state.checked)
            option->setChecked(true);
        if (state.tabStop != shown.tabStop)
            option->setFocusPolicy(state.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
    if (state.accessibleName != shown.accessibleName)
        widget->setAccessibleName(QString::fromStdString(state.accessibleName));
    if (state.accessibleDescription != shown.accessibleDescription)
        widget->setAccessibleDescription(QString::fromStdString(state.accessibleDescription));
    if (auto *label = qobject_cast<QLabel *>(widget);
        label != nullptr && state.labels != shown.labels)
        label->setBuddy(state.labels >= 0 ? Widget(state.labels) : nullptr);
    shown = state;
}

bool FormWindow::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (event->type() == QEvent::ShortcutOverride)
        return box != nullptr && HandleHistoryKey(box, event);
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto &key = *static_cast<QKeyEvent *>(event);
    const auto found = std::find(widgets_.begin(), widgets_.end(), watched);
    if (found == widgets_.end())
        return QWidget::eventFilter(watched, event);
    const int control = static_cast<int>(found - widgets_.begin());

    // The boxes' key handlers see every character first; the key then goes on
    // to the box's own editing.
    if (box != nullptr) {
        if (const std::int16_t code = KeyAscii(key); code != 0)
            Apply(core_->KeyPress(control, code));
        return HandleHistoryKey(box, event);
    }

    // Arrow keys move the selection over the two rows of slot buttons.
    int dx = 0;
    int dy = 0;
    switch (key.key()) {
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    default:
        return QWidget::eventFilter(watched, event);
    }
    Apply(core_->Arrow(control, dx, dy));
    return true;
}

bool FormWindow::HandleHistoryKey(QLineEdit *box, QEvent *event)
{
    // The same keys as the menu's entries.
    const QKeySequence pressed = Pressed(*static_cast<QKeyEvent *>(event));
    const bool undo = undoAction_->shortcuts().contains(pressed);
    if (!undo && !redoAction_->shortcuts().contains(pressed))
        return false;
    // Claiming the keys here keeps the window's shortcuts from taking them
    // before the box has had its turn.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (undo) {
        if (box->isUndoAvailable())
            box->undo();
        else
            Apply(core_->Undo());
    } else {
        if (box->isRedoAvailable())
            box->redo();
        else
            Apply(core_->Redo());
    }
    return true;
}
