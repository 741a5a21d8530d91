// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The surface: replays what the core drew (web/bindings.cpp records it) on a
// canvas's 2D context, at as many device pixels per surface pixel as the
// screen shows, and measures text in the fonts it draws with.

// A CSS font: `families` is a font family list.
export function fontOf(pixels, bold, families) {
  return `${bold ? "bold " : ""}${pixels}px ${families}`;
}

export function cssColour(rgb) {
  return "#" + rgb.toString(16).padStart(6, "0");
}

const measurer = document.createElement("canvas").getContext("2d");

// How far the baseline lies below the top of text in `font`, as measure()
// counts it.
export function ascentOf(font, pixels) {
  measurer.font = font;
  const m = measurer.measureText("国");
  return m.fontBoundingBoxAscent !== undefined ? m.fontBoundingBoxAscent : pixels * 0.88;
}

export class Surface {
  // core: the module, for its drawing commands and the gothic faces.
  constructor(canvas, width, height, core) {
    this.canvas = canvas;
    this.width = width;
    this.height = height;
    this.op = core.DrawOp;
    this.stride = core.drawStride;
    this.families = core.gothic;
    // Everything drawn since the surface was last wiped, so that a new
    // resolution or a copy draws the same picture without asking the core.
    this.ops = [];
    this.texts = [];
    this.scale = 0;
  }

  // How far text reaches from its top-left corner, as the desktop measures
  // it: the advance and the font's ascent plus descent.
  measure(text, pixels, bold) {
    measurer.font = fontOf(pixels, bold, this.families);
    const m = measurer.measureText(text);
    const height = m.fontBoundingBoxAscent !== undefined
      ? m.fontBoundingBoxAscent + m.fontBoundingBoxDescent : pixels * 1.2;
    return [m.width, height];
  }

  // Device pixels per surface pixel: the page's own scale times the
  // browser's ratio. Whole device pixels keep the grid crisp.
  setScale(scale) {
    const w = Math.max(1, Math.round(this.width * scale));
    const h = Math.max(1, Math.round(this.height * scale));
    if (w === this.canvas.width && h === this.canvas.height && this.scale) return;
    this.canvas.width = w;
    this.canvas.height = h;
    this.scale = w / this.width;
    this.replay(this.canvas.getContext("2d"), this.scale, this.ops, this.texts);
  }

  // Draws what the core recorded over what is shown.
  draw(recorded) {
    const ops = recorded.ops, n = this.stride, op = this.op;
    if (ops.length === 0) return;
    // A wipe starts a new picture; what came before it is of no more use.
    let start = 0;
    for (let i = 0; i < ops.length; i += n) {
      if (ops[i] === op.Clear.value) start = i;
    }
    if (ops[start] === op.Clear.value) {
      this.ops = [];
      this.texts = [];
    }
    const fresh = Array.from(ops.subarray(start));
    for (let i = 0; i < fresh.length; i += n) {
      if (fresh[i] === op.Text.value) fresh[i + 3] += this.texts.length;
    }
    this.ops = this.ops.concat(fresh);
    this.texts.push(...recorded.texts);
    this.replay(this.canvas.getContext("2d"), this.scale, fresh, this.texts);
  }

  // The picture at one device pixel per surface pixel, as a PNG.
  png() {
    const copy = document.createElement("canvas");
    copy.width = this.width;
    copy.height = this.height;
    this.replay(copy.getContext("2d"), 1, this.ops, this.texts);
    return new Promise((resolve) => copy.toBlob(resolve, "image/png"));
  }

  replay(ctx, s, ops, texts) {
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.lineCap = "round";
    ctx.lineJoin = "round";
    const snap = (v) => Math.round(v * s);
    const op = this.op, families = this.families;
    let width = 1, colour = "#000000", ascent = 0, pixels = 27, bold = false;
    for (let i = 0; i < ops.length; i += this.stride) {
      const a = ops[i + 1], b = ops[i + 2], c = ops[i + 3], d = ops[i + 4], e = ops[i + 5];
      switch (ops[i]) {
      case op.Clear.value:
        ctx.fillStyle = cssColour(a);
        ctx.fillRect(0, 0, ctx.canvas.width, ctx.canvas.height);
        break;
      case op.Pen.value:
        width = a;
        colour = cssColour(b);
        break;
      case op.Line.value: {
        // A pen centred on the middle of a pixel covers whole pixels: a
        // 1-pixel line at x = 322 fills column 322, a 3-pixel one columns
        // 321 to 323. Lines along rows and columns are filled as boxes
        // with their edges on device pixels, so the grid is crisp at
        // every ratio; the ends reach as far as the round pen does.
        const h = width / 2;
        ctx.fillStyle = colour;
        if ((a === c || b === d) && Number.isInteger(a + b + c + d)) {
          const l = snap(Math.min(a, c) + 0.5 - h), r = snap(Math.max(a, c) + 0.5 + h);
          const t = snap(Math.min(b, d) + 0.5 - h), u = snap(Math.max(b, d) + 0.5 + h);
          ctx.fillRect(l, t, r - l, u - t);
        } else {
          ctx.strokeStyle = colour;
          ctx.lineWidth = width * s;
          ctx.beginPath();
          ctx.moveTo((a + 0.5) * s, (b + 0.5) * s);
          ctx.lineTo((c + 0.5) * s, (d + 0.5) * s);
          ctx.stroke();
        }
        break;
      }
      case op.Font.value:
        pixels = a;
        bold = b !== 0;
        ascent = ascentOf(fontOf(pixels, bold, families), pixels);
        break;
      case op.Text.value:
        // The text's top-left corner is given; the baseline lies the
        // font's ascent below it, on a whole device pixel.
        ctx.font = fontOf(pixels * s, bold, families);
        ctx.fillStyle = colour;
        ctx.textBaseline = "alphabetic";
        ctx.fillText(texts[c], snap(a), snap(b + ascent));
        break;
      case op.Box.value: {
        const l = snap(a), t = snap(b);
        ctx.fillStyle = cssColour(e);
        ctx.fillRect(l, t, snap(a + c) - l, snap(b + d) - t);
        break;
      }
      case op.Dot.value:
        ctx.fillStyle = cssColour(d);
        ctx.beginPath();
        ctx.arc((a + 0.5) * s, (b + 0.5) * s, c * s, 0, 2 * Math.PI);
        ctx.fill();
        break;
      }
    }
  }
}
