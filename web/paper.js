// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The worksheet on paper: replays what the core drew for an A4 page
// (web/bindings.cpp records it) as an SVG drawing of the page's own size, so
// that the browser prints it in vectors at its true scale. Positions are CSS
// pixels from the page's top-left corner, exact rather than pixel centres;
// a pen's width is in hundredths of a millimetre and its ends are square.

import { ascentOf, cssColour, fontOf } from "./canvas2d.js";

const SVG = "http://www.w3.org/2000/svg";
const PIXELS_PER_PEN_UNIT = 96 / 2540;

// Short numbers: a thousandth of a pixel is a quarter of a micrometre.
const n = (v) => String(Math.round(v * 1000) / 1000);

function make(name, attributes) {
  const element = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, value);
  return element;
}

// drawing: what Window.worksheet() gives; core: the module, for its drawing
// commands, the page's size and the gothic faces.
export function worksheetSvg(drawing, core) {
  const op = core.DrawOp, stride = core.drawStride, families = core.gothic;
  const svg = make("svg", {
    viewBox: `0 0 ${core.paperWidth} ${core.paperHeight}`,
    width: "210mm",
    height: "297mm",
    "font-family": families,
    // Text as wide as the page measured it, with no hinting of its own.
    "text-rendering": "geometricPrecision",
  });
  // Spaces as the core wrote them, as on the surface.
  svg.style.whiteSpace = "pre";
  const { ops, texts } = drawing;
  let width = 0, colour = "#000000", pixels = 16, bold = false, ascent = 0;
  // The lines of one pen share a group that carries it.
  let pen = null;
  for (let i = 0; i < ops.length; i += stride) {
    const a = ops[i + 1], b = ops[i + 2], c = ops[i + 3], d = ops[i + 4], e = ops[i + 5];
    switch (ops[i]) {
    case op.Pen.value:
      width = a;
      colour = cssColour(b);
      pen = null;
      break;
    case op.Line.value:
      if (!pen) {
        pen = make("g", { stroke: colour, "stroke-width": n(width * PIXELS_PER_PEN_UNIT),
          "stroke-linecap": "butt", fill: "none" });
        svg.append(pen);
      }
      pen.append(make("line", { x1: n(a), y1: n(b), x2: n(c), y2: n(d) }));
      break;
    case op.Font.value:
      pixels = a;
      bold = b !== 0;
      ascent = ascentOf(fontOf(pixels, bold, families), pixels);
      break;
    case op.Text.value: {
      // The top-left corner is given; the baseline lies the font's ascent
      // below it, as on the surface.
      const text = make("text", { x: n(a), y: n(b + ascent), "font-size": n(pixels),
        fill: colour });
      if (bold) text.setAttribute("font-weight", "bold");
      text.textContent = texts[c];
      svg.append(text);
      pen = null;
      break;
    }
    case op.Box.value:
      svg.append(make("rect", { x: n(a), y: n(b), width: n(c), height: n(d), fill: cssColour(e) }));
      pen = null;
      break;
    case op.Dot.value:
      svg.append(make("circle", { cx: n(a), cy: n(b), r: n(c), fill: cssColour(d) }));
      pen = null;
      break;
    }
  }
  return svg;
}
