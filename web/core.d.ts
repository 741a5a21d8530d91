// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The core as page.js and canvas2d.js use it: exactly what web/bindings.cpp
// exports. Colours are numbers 0xRRGGBB; texts are strings.

// An enum value of the core, as embind hands it over: the same object for
// the same value, compared with ===.
interface CoreEnum {
  readonly value: number;
}

// How a face shows a control.
interface ControlKinds {
  readonly Surface: CoreEnum;
  readonly Label: CoreEnum;
  readonly Button: CoreEnum;
  readonly Option: CoreEnum;
  readonly Box: CoreEnum;
  readonly Shape: CoreEnum;
}

// A control's size in points and weight; fontOfStyle gives its pixel size.
// None for the surface and the panel's frame, which show no text.
interface FontStyles {
  readonly None: CoreEnum;
  readonly R12: CoreEnum;
  readonly B12: CoreEnum;
  readonly B14: CoreEnum;
  readonly B20: CoreEnum;
  readonly R24: CoreEnum;
}

// The commands of a recorded drawing. Each takes drawStride numbers: its
// opcode, then its operands, the unused ones 0.
interface DrawOps {
  readonly Clear: CoreEnum; // back colour
  readonly Pen: CoreEnum;   // width, colour
  readonly Line: CoreEnum;  // x1, y1, x2, y2: pixel centres on the surface
  readonly Font: CoreEnum;  // pixel size, bold (1) or not (0)
  readonly Text: CoreEnum;  // x, y of the top-left corner, index into texts
  readonly Box: CoreEnum;   // left, top, width, height, colour
  readonly Dot: CoreEnum;   // x, y of the centre, radius, colour
}

// A row of the layout table, in creation order, which is stacking order.
interface ControlLayout {
  kind: CoreEnum; // one of ControlKind
  left: number;
  top: number;
  width: number;
  height: number;
  text: string;         // the caption
  groundColour: number; // the colour a label, slot button or frame stands on
  tabIndex: number;     // its place in the Tab order, or -1
}

// A control as it shows now.
interface ControlState {
  left: number;
  top: number;
  text: string;    // a box's text
  font: CoreEnum;  // one of FontStyle
  checked: boolean; // a slot button that is selected
  tabStop: boolean;
  accessibleName: string; // empty: its caption names it
  accessibleDescription: string;
  labels: number; // a label: the row of the box it names, or -1
  writes: number; // a box: how often the core wrote its text
}

// What the page must do after an event, besides showing the controls anew
// and drawing what take() gives.
interface Outcome {
  focusMoved: boolean; // give the focus to focus()
  announcement: string; // for a screen reader; empty when silent
  ended: boolean; // the program ends
}

// The outcome of opening a link, and whether the sheet became the link's.
interface LinkOutcome extends Outcome {
  opened: boolean;
}

// How a link is opened: as the starting sheet, or as a step that undo takes
// back.
interface LinkOpenings {
  readonly Start: CoreEnum;
  readonly Step: CoreEnum;
}

// A line of the panel that shows the line being typed as a linear
// function: "式" and "y = −2/3x + 2", read "y = マイナス3分の2x + 2".
interface PanelLine {
  label: string; // empty for a sentence that stands alone
  written: string;
  spoken: string;
}

// A number of the table of values: "10/3", read "3分の10".
interface PanelNumber {
  written: string;
  spoken: string;
}

// The panel's words; tableX and tableY hold a column each, both empty when
// there is no table.
interface FunctionWords {
  lines: PanelLine[];
  tableX: PanelNumber[];
  tableY: PanelNumber[];
}

interface Drawing {
  ops: Float64Array; // drawStride numbers a command
  texts: string[];
}

// A worksheet is a Drawing on an A4 page (paperWidth × paperHeight CSS
// pixels), in exact positions rather than pixel centres: Pen's width is in
// hundredths of a millimetre and its ends are square, Font's size is the
// exact pixel size of its points, lines end at the page's edges, and there
// is no Clear: the paper stays white.

// The window; `control` and `box` are rows of the layout table.
declare class CoreWindow {
  // measure(text, pixels, bold) gives [advance, ascent + descent] of text
  // in the surface's fonts. The start picture is drawn at once.
  constructor(measure: (text: string, pixels: number, bold: boolean) => [number, number]);
  // What was drawn since the last call.
  take(): Drawing;
  press(control: number): Outcome;
  keyPress(box: number, keyCode: number): Outcome;
  edit(box: number, text: string): Outcome;
  focusedBy(control: number): void;
  arrow(control: number, dx: number, dy: number): Outcome;
  undo(): Outcome;
  redo(): Outcome;
  showMarks(shown: boolean): Outcome;
  // The line being typed as a linear function: its panel and its slope
  // triangle on the picture.
  showFunction(shown: boolean): Outcome;
  // Every control, by row.
  controls(): ControlState[];
  focus(): number;
  copyText(): string;
  canUndo(): boolean;
  canRedo(): boolean;
  marksShown(): boolean;
  functionShown(): boolean;
  // What the boxes make now, whether or not the panel shows.
  functionWords(): FunctionWords;
  // A whole address or a bare "#…"; a link that is no lesson changes
  // nothing and is announced with what was wrong.
  openLink(text: string, how: CoreEnum): LinkOutcome;
  // The sheet's link, "#…"; "" or "#" for the start sheet.
  link(): string;
  // The picture as shown as a worksheet, drawn afresh: millimetresPerUnit
  // one of paperScales(), or 0 for fittingScale(gridUnit()); withLines
  // false for the pupils' copy, the plane bare.
  worksheet(millimetresPerUnit: number, withLines: boolean): Drawing;
  // Pixels a unit of the plane: 40 at 小, 22 at 中.
  gridUnit(): number;
}

export interface Core {
  readonly ControlKind: ControlKinds;
  readonly FontStyle: FontStyles;
  readonly DrawOp: DrawOps;
  readonly LinkOpening: LinkOpenings;
  readonly drawStride: number;
  readonly formWidth: number;
  readonly formHeight: number;
  readonly windowGround: number;
  readonly captionColour: number;
  readonly panelFrameColour: number;
  // The gothic faces as a CSS font family list.
  readonly gothic: string;
  // The surface menu's entries.
  readonly copyEntry: string;
  readonly undoEntry: string;
  readonly redoEntry: string;
  readonly marksEntry: string;
  readonly functionEntry: string;
  readonly linkCopyEntry: string;
  // Said once the page's address is on the clipboard.
  readonly linkCopiedSentence: string;
  /** The panel's name for a screen reader, "式と表", and its table's label, "表". */
  readonly functionPanelName: string;
  readonly tableLabel: string;
  // The panel's width beside the window while it shows.
  readonly functionPanelWidth: number;
  // The worksheet: the menu's entry and the words of the choices before it
  // is printed, and the A4 page in CSS pixels.
  readonly printEntry: string;
  readonly printTitle: string;
  readonly paperScaleHeading: string;
  readonly pupilsCopyChoice: string;
  readonly printButton: string;
  readonly cancelButton: string;
  readonly paperWidth: number;
  readonly paperHeight: number;
  // Millimetres a unit on paper, largest first.
  paperScales(): number[];
  // Whether the whole plane of this grid unit fits the page at this scale.
  planeFitsPaper(gridUnit: number, millimetresPerUnit: number): boolean;
  // The largest of paperScales() at which the whole plane fits.
  fittingScale(gridUnit: number): number;
  // A scale as a choice: "1目盛り = 5 mm", and whether only the plane's
  // middle is printed.
  paperScaleChoice(millimetresPerUnit: number, planeFits: boolean): string;
  layout(): ControlLayout[];
  fontOfStyle(style: CoreEnum): { pixels: number; bold: boolean };
  readonly Window: typeof CoreWindow;
}

// tolvane.js, the module emscripten builds from the core.
export default function createTolvane(): Promise<Core>;
