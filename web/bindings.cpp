// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The core as the page sees it: the layout table, the window's events and
// what it shows, the facts the page is built from, and the window's drawing
// as commands the page replays on the canvas's 2D context. web/core.d.ts
// declares all of it as the page uses it.

#include "runtime/points.h"
#include "surface/canvas.h"
#include "surface/segmentclip.h"
#include "surface/surface.h"
#include "window/layout.h"
#include "window/sentences.h"
#include "window/window.h"
#include "window/worksheet.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace {

using emscripten::val;

// The commands the page replays. Each takes DrawStride numbers, its opcode
// and then its operands, the unused ones 0, so that the page steps from one
// to the next without knowing what each takes.
enum class DrawOp {
    Clear = 1, // back colour
    Pen,       // width, colour
    Line,      // x1, y1, x2, y2 (pixel centres, already cut to the surface)
    Font,      // pixel size, bold
    Text,      // x, y (top-left), index into the texts
    Box,       // left, top, width, height, colour
    Dot,       // x, y (pixel centre), radius, colour
};
constexpr int DrawStride = 6;

// A colour as the page writes it: 0xRRGGBB.
unsigned Css(Rgb colour)
{
    return colour & 0xffffffu;
}

// What a recording is drawn for. The surface's lines are pixel centres cut
// to the surface with the pen's reach, its pens are whole pixels and its
// fonts whole pixels. A worksheet's positions are CSS pixels on an A4 page,
// exact: its lines are cut to the page and no further, its pens are
// hundredths of a millimetre, passed on as they are, its fonts take the
// exact size of their points, and nothing paints the paper.
enum class Medium { Surface, Paper };

// Keeps what the core draws, for the page to replay in one go: one call
// across to JavaScript per drawing instead of one per line. Only TextSize
// asks the page, which measures in the fonts it draws with.
class RecordingCanvas final : public Canvas {
public:
    explicit RecordingCanvas(val measure, Medium medium = Medium::Surface)
        : measure_(std::move(measure))
        , paper_(medium == Medium::Paper)
    {}

    // Hands over what was recorded since the last call.
    val Take()
    {
        val result = val::object();
        // A copy: the view into the module's memory would not outlive the
        // vectors cleared below.
        result.set("ops",
                   val(emscripten::typed_memory_view(ops_.size(), ops_.data())).call<val>("slice"));
        result.set("texts", val::array(texts_.begin(), texts_.end()));
        ops_.clear();
        texts_.clear();
        Unshown();
        return result;
    }

    void Clear() override
    {
        if (paper_)
            return;
        Push(DrawOp::Clear, {static_cast<double>(Css(SurfaceBackColour))});
        Unshown();
    }
    float Width() const override
    {
        return paper_ ? static_cast<float>(paper::Width) : static_cast<float>(SurfaceWidth);
    }
    float Height() const override
    {
        return paper_ ? static_cast<float>(paper::Height) : static_cast<float>(SurfaceHeight);
    }
    void SetDrawWidth(std::int16_t width) override
    {
        drawWidth_ = width;
        penChanged_ = true;
    }
    void SetForeColor(Rgb colour) override
    {
        foreColour_ = colour;
        penChanged_ = true;
    }

    void Line(float x1, float y1, float x2, float y2) override
    {
        // Cut here, as the desktop does, so that the page never sees an end
        // at infinity or NaN.
        const auto clipped =
            paper_ ? ClipSegment({x1, y1, x2, y2}, 0, 0, paper::Width, paper::Height)
                   : PenSegment({x1, y1, x2, y2}, drawWidth_, SurfaceWidth, SurfaceHeight);
        if (!clipped)
            return;
        if (penChanged_) {
            PushPen();
            penChanged_ = false;
        }
        Push(DrawOp::Line, {clipped->x1, clipped->y1, clipped->x2, clipped->y2});
    }

    void SetFontSize(float points) override
    {
        fontPixels_ = paper_ ? (std::isfinite(points) && points > 0 ? points * 4.0 / 3.0 : 1.0)
                             : PointsToPixels(points);
    }
    void SetFontBold(bool bold) override { fontBold_ = bold; }
    void SetCurrentX(float x) override { currentX_ = x; }
    void SetCurrentY(float y) override { currentY_ = y; }

    void Print(const std::string &text) override
    {
        const float x = currentX_;
        const float y = currentY_;
        if (!std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > 1e6f || std::fabs(y) > 1e6f)
            return;
        PushFont();
        PushPen();
        penChanged_ = false;
        Push(DrawOp::Text, {x, y, static_cast<double>(texts_.size())});
        texts_.push_back(text);
    }

    Extent TextSize(const std::string &text) override
    {
        const val size = measure_(text, fontPixels_, fontBold_);
        return {size[0].as<double>(), size[1].as<double>()};
    }

    void FillBox(float left, float top, float width, float height, Rgb colour) override
    {
        const float w = Width(), h = Height();
        if (!Near(left, w) || !Near(top, h) || !(width > 0 && width < 2.0f * w) ||
            !(height > 0 && height < 2.0f * h))
            return;
        Push(DrawOp::Box, {left, top, width, height, static_cast<double>(Css(colour))});
    }

    void FillDot(float x, float y, float radius, Rgb colour) override
    {
        if (!Near(x, Width()) || !Near(y, Height()) || !(radius > 0 && radius < Width()))
            return;
        Push(DrawOp::Dot, {x, y, radius, static_cast<double>(Css(colour))});
    }

    void Refresh() override {}

private:
    static bool Near(float v, float size)
    {
        return std::isfinite(v) && v > -size && v < 2.0f * size;
    }

    void Push(DrawOp op, std::initializer_list<double> operands)
    {
        ops_.push_back(static_cast<double>(op));
        ops_.insert(ops_.end(), operands.begin(), operands.end());
        ops_.resize(ops_.size() + static_cast<std::size_t>(DrawStride - 1) - operands.size());
    }

    void PushPen()
    {
        const int width = paper_ || drawWidth_ > 0 ? drawWidth_ : 1;
        Push(DrawOp::Pen, {static_cast<double>(width), static_cast<double>(Css(foreColour_))});
    }

    // Each batch, and each picture after a wipe, starts with its own pen
    // and font, so that the page can replay either alone.
    void Unshown()
    {
        penChanged_ = true;
        shownPixels_ = 0;
    }

    void PushFont()
    {
        if (fontPixels_ == shownPixels_ && fontBold_ == shownBold_)
            return;
        Push(DrawOp::Font, {fontPixels_, fontBold_ ? 1.0 : 0.0});
        shownPixels_ = fontPixels_;
        shownBold_ = fontBold_;
    }

    val measure_;
    bool paper_;
    std::vector<double> ops_;
    std::vector<std::string> texts_;
    std::int16_t drawWidth_ = 1;
    Rgb foreColour_ = RgbOf(0, 0, 0);
    bool penChanged_ = true;
    double fontPixels_ = PointsToPixels(SurfaceFontPoints);
    bool fontBold_ = false;
    double shownPixels_ = 0;
    bool shownBold_ = false;
    float currentX_ = 0;
    float currentY_ = 0;
};

// An opened link's outcome, and whether the sheet became the link's: a
// link that is no lesson changes nothing, and the page says so at start.
struct LinkOutcome {
    bool focusMoved = false;
    std::string announcement;
    bool ended = false;
    bool opened = false;
};

// The window with the canvas it draws on, which measures text with the
// page's `measure` from the start picture on. The window draws during each
// event; the page takes the commands with Take().
class PageWindow {
public:
    explicit PageWindow(val measure)
        : measure_(measure)
        , canvas_(std::move(measure))
        , window_(canvas_)
    {}

    val Take() { return canvas_.Take(); }

    // The picture as shown as a worksheet, drawn afresh on a page of its
    // own: the commands as Take() gives them, in the page's positions.
    val Worksheet(int millimetresPerUnit, bool withLines) const
    {
        RecordingCanvas page(measure_, Medium::Paper);
        window_.DrawWorksheet(page, {millimetresPerUnit, withLines});
        return page.Take();
    }
    int GridUnit() const { return window_.Contents().View().GridUnit; }

    Window::Outcome Press(int control) { return window_.Press(control); }
    Window::Outcome KeyPress(int box, std::int16_t code) { return window_.KeyPress(box, code); }
    Window::Outcome Edit(int box, const std::string &text) { return window_.Edit(box, text); }
    void FocusedBy(int control) { window_.FocusedBy(control); }
    Window::Outcome Arrow(int control, int dx, int dy) { return window_.Arrow(control, dx, dy); }
    Window::Outcome Undo() { return window_.Undo(); }
    Window::Outcome Redo() { return window_.Redo(); }
    Window::Outcome ShowMarks(bool shown) { return window_.ShowMarks(shown); }
    Window::Outcome ShowFunction(bool shown) { return window_.ShowFunction(shown); }
    LinkOutcome OpenLink(const std::string &text, LinkOpening how)
    {
        // Only a link that was read draws the picture afresh.
        auto outcome = window_.OpenLink(text, how);
        return {outcome.focusMoved, std::move(outcome.announcement), outcome.ended,
                outcome.drawn != Window::Drawing::None};
    }

    val Controls() const
    {
        const auto states = window_.Controls();
        return val::array(states.begin(), states.end());
    }
    int Focus() const { return window_.Focus(); }
    std::string CopyText() const { return window_.CopyText(); }
    bool CanUndo() const { return window_.Contents().CanUndo(); }
    bool CanRedo() const { return window_.Contents().CanRedo(); }
    bool MarksShown() const { return window_.Contents().MarksShown(); }
    bool FunctionShown() const { return window_.Contents().FunctionShown(); }
    FunctionWords Words() const { return window_.Function().words; }
    std::string Link() const { return window_.Link(); }

private:
    val measure_;
    RecordingCanvas canvas_;
    Window window_;
};

val Layout()
{
    const auto rows = FormLayout();
    return val::array(rows.begin(), rows.end());
}

// The layout row's fields that the row does not hold as they are.
ControlKind KindOfRow(const ControlLayout &row)
{
    return row.Kind();
}
std::string CaptionOfRow(const ControlLayout &row)
{
    return row.text;
}
unsigned GroundOfRow(const ControlLayout &row)
{
    return Css(GroundColour(row.ground));
}
// Rows only go to the page, but embind asks for a setter with each getter.
template <typename Row, typename T> void NotWritten(Row &, T) {}

// The panel's lists as arrays of their value objects.
val LinesOf(const FunctionWords &words)
{
    return val::array(words.lines.begin(), words.lines.end());
}
val TableXOf(const FunctionWords &words)
{
    return val::array(words.tableX.begin(), words.tableX.end());
}
val TableYOf(const FunctionWords &words)
{
    return val::array(words.tableY.begin(), words.tableY.end());
}

// A font style as the page sets it on a control.
struct PixelFont {
    int pixels = 0;
    bool bold = false;
};

PixelFont FontOfStyle(FontStyle style)
{
    return {PixelSize(style), IsBold(style)};
}

// The gothic faces as a CSS font family list, ending in the generic family
// for a system with none of them.
std::string GothicCss()
{
    std::string families;
    for (const char *family : GothicFamilies)
        families += std::string("\"") + family + "\", ";
    return families + "sans-serif";
}

// The worksheet's scales, largest first, in millimetres a unit.
val PaperScaleList()
{
    return val::array(PaperScales.begin(), PaperScales.end());
}

} // namespace

EMSCRIPTEN_BINDINGS(tolvane)
{
    using namespace emscripten;
    using State = Window::ControlState;

    enum_<ControlKind>("ControlKind")
        .value("Surface", ControlKind::Surface)
        .value("Label", ControlKind::Label)
        .value("Button", ControlKind::Button)
        .value("Option", ControlKind::Option)
        .value("Box", ControlKind::Box)
        .value("Shape", ControlKind::Shape);
    enum_<FontStyle>("FontStyle")
        .value("None", FontStyle::None)
        .value("R12", FontStyle::R12)
        .value("B12", FontStyle::B12)
        .value("B14", FontStyle::B14)
        .value("B20", FontStyle::B20)
        .value("R24", FontStyle::R24);
    enum_<DrawOp>("DrawOp")
        .value("Clear", DrawOp::Clear)
        .value("Pen", DrawOp::Pen)
        .value("Line", DrawOp::Line)
        .value("Font", DrawOp::Font)
        .value("Text", DrawOp::Text)
        .value("Box", DrawOp::Box)
        .value("Dot", DrawOp::Dot);
    constant("drawStride", DrawStride);
    enum_<LinkOpening>("LinkOpening")
        .value("Start", LinkOpening::Start)
        .value("Step", LinkOpening::Step);

    constant("formWidth", FormWidth);
    constant("formHeight", FormHeight);
    constant("windowGround", Css(WindowGround));
    constant("captionColour", Css(CaptionColour));
    constant("panelFrameColour", Css(PanelFrameColour));
    constant("gothic", GothicCss());
    constant("copyEntry", std::string(CopyPictureEntry));
    constant("undoEntry", std::string(UndoEntry));
    constant("redoEntry", std::string(RedoEntry));
    constant("marksEntry", std::string(MarksEntry));
    constant("functionEntry", std::string(FunctionEntry));
    constant("linkCopyEntry", std::string(LinkCopyEntry));
    constant("linkCopiedSentence", LinkCopiedSentence());
    constant("functionPanelName", std::string(FunctionPanelName));
    constant("tableLabel", std::string(TableLabel));
    constant("functionPanelWidth", FunctionPanelWidth);

    constant("printEntry", std::string(PrintEntry));
    constant("printTitle", std::string(PrintTitle));
    constant("paperScaleHeading", std::string(PaperScaleHeading));
    constant("pupilsCopyChoice", std::string(PupilsCopyChoice));
    constant("printButton", std::string(PrintButton));
    constant("cancelButton", std::string(CancelButton));
    constant("paperWidth", paper::Width);
    constant("paperHeight", paper::Height);
    function("paperScales", &PaperScaleList);
    function("planeFitsPaper", &PlaneFitsPaper);
    function("fittingScale", &FittingScale);
    function("paperScaleChoice", &PaperScaleChoice);

    value_object<ControlLayout>("ControlLayout")
        .field("kind", &KindOfRow, &NotWritten<ControlLayout, ControlKind>)
        .field("left", &ControlLayout::left)
        .field("top", &ControlLayout::top)
        .field("width", &ControlLayout::width)
        .field("height", &ControlLayout::height)
        .field("text", &CaptionOfRow, &NotWritten<ControlLayout, std::string>)
        .field("groundColour", &GroundOfRow, &NotWritten<ControlLayout, unsigned>)
        .field("tabIndex", &ControlLayout::tabIndex);
    function("layout", &Layout);

    value_object<PixelFont>("PixelFont")
        .field("pixels", &PixelFont::pixels)
        .field("bold", &PixelFont::bold);
    function("fontOfStyle", &FontOfStyle);

    value_object<State>("ControlState")
        .field("left", &State::left)
        .field("top", &State::top)
        .field("text", &State::text)
        .field("font", &State::font)
        .field("checked", &State::checked)
        .field("tabStop", &State::tabStop)
        .field("accessibleName", &State::accessibleName)
        .field("accessibleDescription", &State::accessibleDescription)
        .field("labels", &State::labels)
        .field("writes", &State::writes);
    value_object<Window::Outcome>("Outcome")
        .field("focusMoved", &Window::Outcome::focusMoved)
        .field("announcement", &Window::Outcome::announcement)
        .field("ended", &Window::Outcome::ended);
    value_object<LinkOutcome>("LinkOutcome")
        .field("focusMoved", &LinkOutcome::focusMoved)
        .field("announcement", &LinkOutcome::announcement)
        .field("ended", &LinkOutcome::ended)
        .field("opened", &LinkOutcome::opened);

    value_object<PanelLine>("PanelLine")
        .field("label", &PanelLine::label)
        .field("written", &PanelLine::written)
        .field("spoken", &PanelLine::spoken);
    value_object<PanelNumber>("PanelNumber")
        .field("written", &PanelNumber::written)
        .field("spoken", &PanelNumber::spoken);
    value_object<FunctionWords>("FunctionWords")
        .field("lines", &LinesOf, &NotWritten<FunctionWords, val>)
        .field("tableX", &TableXOf, &NotWritten<FunctionWords, val>)
        .field("tableY", &TableYOf, &NotWritten<FunctionWords, val>);

    class_<PageWindow>("Window")
        .constructor<val>()
        .function("take", &PageWindow::Take)
        .function("press", &PageWindow::Press)
        .function("keyPress", &PageWindow::KeyPress)
        .function("edit", &PageWindow::Edit)
        .function("focusedBy", &PageWindow::FocusedBy)
        .function("arrow", &PageWindow::Arrow)
        .function("undo", &PageWindow::Undo)
        .function("redo", &PageWindow::Redo)
        .function("showMarks", &PageWindow::ShowMarks)
        .function("showFunction", &PageWindow::ShowFunction)
        .function("controls", &PageWindow::Controls)
        .function("focus", &PageWindow::Focus)
        .function("copyText", &PageWindow::CopyText)
        .function("canUndo", &PageWindow::CanUndo)
        .function("canRedo", &PageWindow::CanRedo)
        .function("marksShown", &PageWindow::MarksShown)
        .function("functionShown", &PageWindow::FunctionShown)
        .function("functionWords", &PageWindow::Words)
        .function("openLink", &PageWindow::OpenLink)
        .function("link", &PageWindow::Link)
        .function("worksheet", &PageWindow::Worksheet)
        .function("gridUnit", &PageWindow::GridUnit);
}
