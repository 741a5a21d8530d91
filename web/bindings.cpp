// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The core as the page sees it: the layout table, Form1's events and state,
// and its drawing as a list of commands the page replays on the canvas's 2D
// context. Plain values and UTF-8 strings only; the page does the rest.

#include "form/form1.h"
#include "form/layout.h"
#include "form/sentences.h"
#include "runtime/points.h"
#include "surface/canvas.h"
#include "surface/segmentclip.h"
#include "surface/surface.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using emscripten::val;

// A row of the layout table, with its font worked out.
struct ControlRow {
    std::string name;
    int index = -1;
    int kind = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string text;
    int font = 0;
    int ground = 0;
    int tabIndex = NoTabStop;
};

struct FontRow {
    int pixels = 0;
    bool bold = false;
};

struct OutcomeValue {
    int drawing = 0;
    int line = 0;
    bool focusMoved = false;
    std::string announcement;
    bool ended = false;
};

struct ControlValue {
    int left = 0;
    int top = 0;
    std::string text;
    int font = 0;
    bool checked = false;
    bool tabStop = false;
    std::string accessibleName;
    std::string accessibleDescription;
    int labels = -1;
    unsigned writes = 0;
};

// The commands the page replays, each an opcode and its numbers.
enum Op : int {
    OpClear = 1, // back colour
    OpPen = 2,   // width, colour
    OpLine = 3,  // x1, y1, x2, y2 (pixel centres, already cut to the surface)
    OpFont = 4,  // pixel size, bold
    OpText = 5,  // x, y (top-left), index into the texts
    OpBox = 6,   // left, top, width, height, colour
    OpDot = 7,   // x, y (pixel centre), radius, colour
};

// Keeps what the core draws, for the page to replay in one go: one call
// across to JavaScript per drawing instead of one per line. Only TextSize
// asks the page, which measures in the fonts it draws with.
class RecordingCanvas final : public Canvas {
public:
    void SetMeasure(val measure) { measure_ = std::move(measure); }

    // Hands over what was recorded since the last call.
    val Take()
    {
        val result = val::object();
        // A copy: the view into the module's memory would not outlive the
        // vectors cleared below.
        result.set("ops",
                   val(emscripten::typed_memory_view(ops_.size(), ops_.data())).call<val>("slice"));
        val texts = val::array();
        for (const std::string &text : texts_)
            texts.call<void>("push", text);
        result.set("texts", texts);
        ops_.clear();
        texts_.clear();
        Unshown();
        return result;
    }

    void Cls() override
    {
        Push({OpClear, static_cast<double>(SurfaceBackColour & 0xffffffu)});
        Unshown();
    }
    float Width() const override { return SurfaceWidth; }
    float Height() const override { return SurfaceHeight; }
    std::int16_t DrawWidth() const override { return drawWidth_; }
    void SetDrawWidth(std::int16_t width) override
    {
        drawWidth_ = width;
        penChanged_ = true;
    }
    vb::Rgb ForeColor() const override { return foreColour_; }
    void SetForeColor(vb::Rgb colour) override
    {
        foreColour_ = colour;
        penChanged_ = true;
    }

    void Line(float x1, float y1, float x2, float y2) override
    {
        // Cut here, as the desktop does, so that the page never sees an end
        // at infinity or NaN.
        const auto clipped = PenSegment({x1, y1, x2, y2}, drawWidth_, SurfaceWidth, SurfaceHeight);
        if (!clipped)
            return;
        if (penChanged_) {
            Push({OpPen, static_cast<double>(drawWidth_ > 0 ? drawWidth_ : 1),
                  static_cast<double>(foreColour_ & 0xffffffu)});
            penChanged_ = false;
        }
        Push({OpLine, clipped->x1, clipped->y1, clipped->x2, clipped->y2});
    }

    void SetFontSize(float points) override { fontPixels_ = vb::PointsToPixels(points); }
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
        Push({OpPen, static_cast<double>(drawWidth_ > 0 ? drawWidth_ : 1),
              static_cast<double>(foreColour_ & 0xffffffu)});
        penChanged_ = false;
        Push({OpText, x, y, static_cast<double>(texts_.size())});
        texts_.push_back(text);
    }

    Extent TextSize(const std::string &text) override
    {
        if (measure_.isUndefined())
            return {};
        const val size = measure_(text, fontPixels_, fontBold_);
        return {size[0].as<double>(), size[1].as<double>()};
    }

    void FillBox(float left, float top, float width, float height, vb::Rgb colour) override
    {
        if (!Near(left, SurfaceWidth) || !Near(top, SurfaceHeight) ||
            !(width > 0 && width < 2.0f * SurfaceWidth) ||
            !(height > 0 && height < 2.0f * SurfaceHeight))
            return;
        Push({OpBox, left, top, width, height, static_cast<double>(colour & 0xffffffu)});
    }

    void FillDot(float x, float y, float radius, vb::Rgb colour) override
    {
        if (!Near(x, SurfaceWidth) || !Near(y, SurfaceHeight) ||
            !(radius > 0 && radius < SurfaceWidth))
            return;
        Push({OpDot, x, y, radius, static_cast<double>(colour & 0xffffffu)});
    }

    void Refresh() override {}

private:
    static bool Near(float v, int size)
    {
        return std::isfinite(v) && v > -static_cast<float>(size) &&
               v < 2.0f * static_cast<float>(size);
    }

    void Push(std::initializer_list<double> values)
    {
        ops_.insert(ops_.end(), values.begin(), values.end());
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
        Push({OpFont, static_cast<double>(fontPixels_), fontBold_ ? 1.0 : 0.0});
        shownPixels_ = fontPixels_;
        shownBold_ = fontBold_;
    }

    val measure_ = val::undefined();
    std::vector<double> ops_;
    std::vector<std::string> texts_;
    std::int16_t drawWidth_ = 1;
    vb::Rgb foreColour_ = vb::RgbOf(0, 0, 0);
    bool penChanged_ = true;
    int fontPixels_ = vb::PointsToPixels(SurfaceFontPoints);
    bool fontBold_ = false;
    int shownPixels_ = 0;
    bool shownBold_ = false;
    float currentX_ = 0;
    float currentY_ = 0;
};

// Form1 with the canvas it draws on; every event draws what its outcome asks
// for at once, and the page takes the commands with Take().
class Window {
public:
    void SetMeasure(val measure) { canvas_.SetMeasure(std::move(measure)); }
    val Take() { return canvas_.Take(); }
    void DrawWhole() { form_.DrawWhole(canvas_); }

    OutcomeValue Press(int control) { return Done(form_.Press(control)); }
    OutcomeValue KeyPress(int box, int code)
    {
        return Done(form_.KeyPress(box, static_cast<std::int16_t>(code)));
    }
    OutcomeValue Edit(int box, const std::string &text) { return Done(form_.Edit(box, text)); }
    void FocusedBy(int control) { form_.FocusedBy(control); }
    OutcomeValue Arrow(int control, int dx, int dy) { return Done(form_.Arrow(control, dx, dy)); }
    OutcomeValue Undo() { return Done(form_.Undo()); }
    OutcomeValue Redo() { return Done(form_.Redo()); }
    OutcomeValue ShowMarks(bool shown) { return Done(form_.ShowMarks(shown)); }

    ControlValue Control(int control) const
    {
        const Form1::ControlState s = form_.Control(control);
        return {s.left,    s.top,     s.text,           static_cast<int>(s.font),
                s.checked, s.tabStop, s.accessibleName, s.accessibleDescription,
                s.labels,  s.writes};
    }
    int Focus() const { return form_.Focus(); }
    std::string SurfaceDescription() const { return form_.SurfaceDescription(); }
    std::string CopyText() const { return form_.CopyText(); }
    bool CanUndo() const { return form_.CanUndo(); }
    bool CanRedo() const { return form_.CanRedo(); }
    bool MarksShown() const { return form_.MarksShown(); }

private:
    OutcomeValue Done(const Form1::Outcome &outcome)
    {
        form_.Draw(canvas_, outcome);
        return {static_cast<int>(outcome.drawing), outcome.line, outcome.focusMoved,
                outcome.announcement, outcome.ended};
    }

    Form1 form_;
    RecordingCanvas canvas_;
};

std::vector<ControlRow> Layout()
{
    std::vector<ControlRow> rows;
    for (const ControlLayout &c : FormLayout())
        rows.push_back({c.name, c.index, static_cast<int>(c.kind), c.left, c.top, c.width, c.height,
                        c.text, static_cast<int>(c.font), static_cast<int>(c.ground), c.tabIndex});
    return rows;
}

std::vector<FontRow> Fonts()
{
    std::vector<FontRow> rows;
    for (const FontStyle style : {FontStyle::None, FontStyle::R12, FontStyle::B12, FontStyle::B14,
                                  FontStyle::B20, FontStyle::R24})
        rows.push_back({style == FontStyle::None ? 0 : PixelSize(style), IsBold(style)});
    return rows;
}

// The colours and words the page needs besides the controls, as one object.
val Facts()
{
    val facts = val::object();
    facts.set("formWidth", FormWidth);
    facts.set("formHeight", FormHeight);
    facts.set("surfaceWidth", SurfaceWidth);
    facts.set("surfaceHeight", SurfaceHeight);
    facts.set("surfaceBack", SurfaceBackColour & 0xffffffu);
    facts.set("windowGreen", GroundColour(Ground::Window) & 0xffffffu);
    facts.set("panelOlive", GroundColour(Ground::Panel) & 0xffffffu);
    facts.set("captionWhite", CaptionColour & 0xffffffu);
    facts.set("panelFrame", PanelFrameColour & 0xffffffu);
    facts.set("title", std::string(WindowTitle));
    facts.set("copyEntry", std::string(CopyPictureEntry));
    facts.set("marksEntry", std::string(MarksEntry));
    facts.set("undoEntry", std::string(UndoEntry));
    facts.set("redoEntry", std::string(RedoEntry));
    return facts;
}

} // namespace

EMSCRIPTEN_BINDINGS(tolvane)
{
    using namespace emscripten;
    value_object<ControlRow>("ControlRow")
        .field("name", &ControlRow::name)
        .field("index", &ControlRow::index)
        .field("kind", &ControlRow::kind)
        .field("left", &ControlRow::left)
        .field("top", &ControlRow::top)
        .field("width", &ControlRow::width)
        .field("height", &ControlRow::height)
        .field("text", &ControlRow::text)
        .field("font", &ControlRow::font)
        .field("ground", &ControlRow::ground)
        .field("tabIndex", &ControlRow::tabIndex);
    value_object<FontRow>("FontRow")
        .field("pixels", &FontRow::pixels)
        .field("bold", &FontRow::bold);
    value_object<OutcomeValue>("Outcome")
        .field("drawing", &OutcomeValue::drawing)
        .field("line", &OutcomeValue::line)
        .field("focusMoved", &OutcomeValue::focusMoved)
        .field("announcement", &OutcomeValue::announcement)
        .field("ended", &OutcomeValue::ended);
    value_object<ControlValue>("ControlState")
        .field("left", &ControlValue::left)
        .field("top", &ControlValue::top)
        .field("text", &ControlValue::text)
        .field("font", &ControlValue::font)
        .field("checked", &ControlValue::checked)
        .field("tabStop", &ControlValue::tabStop)
        .field("accessibleName", &ControlValue::accessibleName)
        .field("accessibleDescription", &ControlValue::accessibleDescription)
        .field("labels", &ControlValue::labels)
        .field("writes", &ControlValue::writes);
    register_vector<ControlRow>("ControlRows");
    register_vector<FontRow>("FontRows");
    function("layout", &Layout);
    function("fonts", &Fonts);
    function("facts", &Facts);
    class_<Window>("Window")
        .constructor<>()
        .function("setMeasure", &Window::SetMeasure)
        .function("take", &Window::Take)
        .function("drawWhole", &Window::DrawWhole)
        .function("press", &Window::Press)
        .function("keyPress", &Window::KeyPress)
        .function("edit", &Window::Edit)
        .function("focusedBy", &Window::FocusedBy)
        .function("arrow", &Window::Arrow)
        .function("undo", &Window::Undo)
        .function("redo", &Window::Redo)
        .function("showMarks", &Window::ShowMarks)
        .function("control", &Window::Control)
        .function("focus", &Window::Focus)
        .function("surfaceDescription", &Window::SurfaceDescription)
        .function("copyText", &Window::CopyText)
        .function("canUndo", &Window::CanUndo)
        .function("canRedo", &Window::CanRedo)
        .function("marksShown", &Window::MarksShown);
}
