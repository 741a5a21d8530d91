// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The page: builds the browser's own controls from the core's layout table,
// passes every click, key and edit on to the core's window, and after each
// event shows what the window holds and does what its outcome asks, as the
// desktop window does. web/core.d.ts declares what it uses of the core.

import createTolvane from "./tolvane.js";
import { Surface, cssColour, fontOf } from "./canvas2d.js";
import { Menu } from "./menu.js";
import * as paper from "./paper.js";

// The key combinations the desktop's menu entries have.
function keyOf(event) {
  if (!(event.ctrlKey || event.metaKey) || event.altKey) return "";
  const key = event.key.length === 1 ? event.key.toLowerCase() : event.key;
  if (key === "z") return event.shiftKey ? "redo" : "undo";
  if (key === "y" && !event.shiftKey) return "redo";
  if (key === "i" && !event.shiftKey) return "marks";
  if (key === "g" && !event.shiftKey) return "function";
  if (key === "c" && !event.shiftKey) return "copy";
  if (key === "p" && !event.shiftKey) return "print";
  return "";
}

class Page {
  constructor(core) {
    this.core = core;
    this.rows = core.layout();
    this.window = document.getElementById("form");
    this.live = document.getElementById("announcement");
    this.elements = [];
    this.focusTargets = [];
    this.shown = [];
    this.history = new Map(); // a box's own typing: {undo, redo}
    // The page's own words are in the same faces as the window's.
    document.documentElement.style.setProperty("--gothic", core.gothic);
    this.build();
    // The core's window draws the start picture as it is made, measuring
    // text in the surface's fonts.
    this.form = new core.Window((text, pixels, bold) => this.surface.measure(text, pixels, bold));
    // A lesson's link is the starting sheet; only a link that could not be
    // read is announced.
    const start = location.hash && this.form.openLink(location.hash, core.LinkOpening.Start);
    // The controls have their fonts before fit() has the window laid out,
    // so that it is laid out once.
    this.showState();
    this.fit();
    this.surface.draw(this.form.take());
    this.follow();
    // Hidden controls take no focus: the window shows first, in the place
    // of the first frame the page was built with.
    document.body.classList.add("ready");
    document.getElementById("first-frame")?.remove();
    this.focusTargets[this.form.focus()].focus({ preventScroll: true });
    // For docs/performance.md: the window is complete from here on.
    performance.mark("tolvane-shown");
    if (start && !start.opened) this.announce(start.announcement);
    addEventListener("resize", () => this.fit());
    // A link given to the open page is a step that Ctrl+Z takes back.
    addEventListener("hashchange", () => {
      if (!this.ended && location.hash)
        this.apply(this.form.openLink(location.hash, core.LinkOpening.Step));
    });
    document.addEventListener("keydown", (event) => this.windowKey(event));
    // The browser's own printing, from its menu or without any window,
    // prints the worksheet as the last choice made.
    addEventListener("beforeprint", () => this.buildWorksheet());
    addEventListener("afterprint", () => this.dropWorksheet());
    // The worksheet is built only when printing; its module comes with the
    // page, so that the browser's printing finds it from the first frame on.
    this.printChoice = { scale: 0, bare: false };
  }

  build() {
    const core = this.core, Kind = core.ControlKind;
    this.window.style.background = cssColour(core.windowGround);
    const slots = document.createElement("div");
    slots.setAttribute("role", "radiogroup");
    this.rows.forEach((row, i) => {
      const { element, target } = this.make(row, i);
      element.style.left = row.left + "px";
      element.style.top = row.top + "px";
      element.style.width = row.width + "px";
      element.style.height = row.height + "px";
      element.style.zIndex = String(i);
      element.id = "c" + i;
      if (row.kind === Kind.Label || row.kind === Kind.Option || row.kind === Kind.Shape) {
        element.style.background = cssColour(row.groundColour);
        element.style.color = cssColour(core.captionColour);
      }
      if (row.tabIndex >= 0) target.tabIndex = row.tabIndex + 1;
      if (row.kind !== Kind.Label && row.kind !== Kind.Shape)
        target.addEventListener("focus", () => this.form.focusedBy(i));
      (row.kind === Kind.Option ? slots : this.window).append(element);
      this.elements[i] = element;
      this.focusTargets[i] = target;
      this.shown[i] = { left: row.left, top: row.top, font: null, writes: 0 };
    });
    this.window.append(slots);
    this.buildPanel();
    this.menu = new Menu(this.window, [
      { label: core.copyEntry, keys: "Ctrl+C", run: () => this.copy() },
      { label: core.linkCopyEntry, run: () => this.copyLink() },
      null,
      { label: core.undoEntry, keys: "Ctrl+Z", run: () => this.run("undo") },
      { label: core.redoEntry, keys: "Ctrl+Y", run: () => this.run("redo") },
      null,
      { label: core.marksEntry, keys: "Ctrl+I", checkable: true, run: () => this.run("marks") },
      { label: core.functionEntry, keys: "Ctrl+G", checkable: true,
        run: () => this.run("function") },
      null,
      { label: core.printEntry, keys: "Ctrl+P", run: () => this.run("print") },
    ]);
  }

  // The panel that shows the line being typed as a linear function: its
  // lines, then its table of values. Tab reaches it after the controls.
  buildPanel() {
    this.panel = document.createElement("section");
    this.panel.id = "function";
    this.panel.setAttribute("aria-label", this.core.functionPanelName);
    this.panel.tabIndex = 0;
    this.panel.hidden = true;
    this.panelLines = document.createElement("div");
    this.panelTable = document.createElement("table");
    this.panel.append(this.panelLines, this.panelTable);
    this.window.append(this.panel);
    this.panelShown = "";
  }

  make(row, i) {
    const Kind = this.core.ControlKind;
    let element;
    switch (row.kind) {
    case Kind.Surface: {
      element = document.createElement("canvas");
      element.setAttribute("role", "img");
      const description = document.createElement("div");
      description.id = "surface-description";
      description.hidden = true;
      this.window.append(description);
      element.setAttribute("aria-describedby", description.id);
      this.description = description;
      this.surface = new Surface(element, row.width, row.height, this.core);
      this.surfaceEvents(element);
      break;
    }
    case Kind.Label:
      element = document.createElement("label");
      element.textContent = row.text;
      break;
    case Kind.Button:
      element = document.createElement("button");
      element.type = "button";
      element.textContent = row.text;
      element.addEventListener("click", () => this.apply(this.form.press(i)));
      break;
    case Kind.Option: {
      element = document.createElement("label");
      element.className = "slot";
      const input = document.createElement("input");
      input.type = "radio";
      const caption = document.createElement("span");
      caption.textContent = row.text;
      caption.setAttribute("aria-hidden", "true");
      element.append(input, caption);
      input.addEventListener("click", () => this.apply(this.form.press(i)));
      input.addEventListener("keydown", (event) => this.slotKey(event, i));
      return { element, target: input };
    }
    case Kind.Box:
      element = document.createElement("input");
      element.type = "text";
      // A full keyboard: the numeric pads of tablets have no minus sign.
      element.inputMode = "text";
      element.enterKeyHint = "next";
      element.autocomplete = "off";
      element.spellcheck = false;
      element.setAttribute("autocapitalize", "off");
      element.setAttribute("autocorrect", "off");
      this.boxEvents(element, i);
      break;
    default:
      element = document.createElement("div");
      element.className = "shape";
      element.style.borderColor = cssColour(this.core.panelFrameColour);
      element.setAttribute("aria-hidden", "true");
      break;
    }
    element.classList.add("control");
    return { element, target: element };
  }

  boxEvents(box, i) {
    // Composed text counts once the input method commits it: the edits made
    // while composing are left out, and the commit is passed on.
    box.addEventListener("input", (event) => {
      if (!event.isComposing) this.edited(i, box.value);
    });
    box.addEventListener("compositionend", () => this.edited(i, box.value));
    box.addEventListener("keydown", (event) => {
      // The Enter that commits a composition is the input method's own.
      if (event.key === "Enter" && !event.isComposing && event.keyCode !== 229) {
        // The key stays here: the button the focus may move to must not
        // take it as a press.
        event.preventDefault();
        this.apply(this.form.keyPress(i, 13));
        return;
      }
      const which = keyOf(event);
      if ((which === "undo" || which === "redo") && this.boxHistory(i, which)) {
        event.preventDefault();
        event.stopPropagation();
      }
    });
    // The browser's own Undo in its menus goes the same way as the keys.
    box.addEventListener("beforeinput", (event) => {
      const which = { historyUndo: "undo", historyRedo: "redo" }[event.inputType];
      if (!which) return;
      event.preventDefault();
      if (!this.ended && !this.boxHistory(i, which)) this.run(which);
    });
  }

  // A box's typing of its own is undone before the window's commands, as a
  // desktop box does; what the program writes into a box starts it afresh.
  edited(i, text) {
    if (text === this.shown[i].text) return;
    const history = this.history.get(i) || { undo: [], redo: [] };
    history.undo.push(this.shown[i].text);
    history.redo = [];
    this.history.set(i, history);
    this.apply(this.form.edit(i, text));
  }

  boxHistory(i, which) {
    const history = this.history.get(i);
    const from = history && (which === "undo" ? history.undo : history.redo);
    if (!from || from.length === 0) return false;
    const box = this.focusTargets[i];
    (which === "undo" ? history.redo : history.undo).push(box.value);
    box.value = from.pop();
    this.apply(this.form.edit(i, box.value));
    return true;
  }

  slotKey(event, i) {
    const steps = { ArrowRight: [1, 0], ArrowLeft: [-1, 0], ArrowDown: [0, 1], ArrowUp: [0, -1] };
    const step = steps[event.key];
    if (!step || event.altKey || event.ctrlKey || event.metaKey) return;
    event.preventDefault();
    this.apply(this.form.arrow(i, step[0], step[1]));
  }

  surfaceEvents(canvas) {
    canvas.addEventListener("contextmenu", (event) => {
      event.preventDefault();
      this.openMenu(event.clientX, event.clientY);
    });
    // A long press opens the menu where no contextmenu event comes (Safari
    // on the iPad).
    let timer = 0, origin = null, pressedLong = false;
    const cancel = () => { clearTimeout(timer); timer = 0; };
    canvas.addEventListener("pointerdown", (event) => {
      if (event.pointerType === "mouse" && event.button === 0) canvas.focus({ preventScroll: true });
      if (event.pointerType !== "touch") return;
      origin = [event.clientX, event.clientY];
      cancel();
      pressedLong = false;
      timer = setTimeout(() => {
        pressedLong = true;
        this.openMenu(origin[0], origin[1]);
      }, 600);
    });
    // The finger lifts over the menu it opened: the click the browser makes
    // of that touch would take the focus out of the menu, which closes it,
    // or choose the entry under the finger.
    canvas.addEventListener("touchend", (event) => {
      if (pressedLong) event.preventDefault();
      pressedLong = false;
    });
    canvas.addEventListener("pointermove", (event) => {
      if (timer && Math.hypot(event.clientX - origin[0], event.clientY - origin[1]) > 10) cancel();
    });
    for (const type of ["pointerup", "pointercancel", "pointerleave"])
      canvas.addEventListener(type, cancel);
    canvas.addEventListener("keydown", (event) => {
      if (event.key === "ContextMenu" || (event.key === "F10" && event.shiftKey
          && !event.ctrlKey && !event.altKey)) {
        event.preventDefault();
        const r = canvas.getBoundingClientRect();
        this.openMenu(r.left + r.width / 2, r.top + r.height / 2);
      } else if (keyOf(event) === "copy") {
        event.preventDefault();
        this.copy();
      }
    });
  }

  openMenu(clientX, clientY) {
    const r = this.window.getBoundingClientRect();
    const s = r.width / this.core.formWidth;
    this.menu.show((clientX - r.left) / s, (clientY - r.top) / s, this.size,
      [{}, {}, { enabled: this.form.canUndo() }, { enabled: this.form.canRedo() },
        { checked: this.form.marksShown() }, { checked: this.form.functionShown() }]);
  }

  // The window's own keys, wherever the focus is.
  windowKey(event) {
    const which = keyOf(event);
    if (which === "" || which === "copy" || event.defaultPrevented) return;
    event.preventDefault();
    // The window waits behind the print dialog.
    if (this.printDialog && this.printDialog.open) return;
    this.run(which);
  }

  // The window's keys and the browser's own Undo, until the program ends.
  run(which) {
    if (this.ended) return;
    if (which === "undo") this.apply(this.form.undo());
    else if (which === "redo") this.apply(this.form.redo());
    else if (which === "marks") this.apply(this.form.showMarks(!this.form.marksShown()));
    else if (which === "function")
      this.apply(this.form.showFunction(!this.form.functionShown()));
    else if (which === "print") this.openPrint();
  }

  // The choices before printing: the scale, the fitting one first time and
  // the last one chosen after that, and the pupils' copy.
  openPrint() {
    if (this.printDialog && this.printDialog.open) return;
    this.menu.close();
    const returnTo = document.activeElement;
    if (!this.printDialog) this.buildPrintDialog();
    const core = this.core, unit = this.form.gridUnit();
    const scale = this.printChoice.scale || core.fittingScale(unit);
    for (const { input, words } of this.scaleChoices) {
      const mm = Number(input.value);
      words.textContent = core.paperScaleChoice(mm, core.planeFitsPaper(unit, mm));
      input.checked = mm === scale;
    }
    this.bareChoice.checked = this.printChoice.bare;
    this.printReturnTo = returnTo;
    this.printDialog.showModal();
    // On the scale chosen, with its ring showing, as a focus from the
    // keyboard: the dialog is mostly opened by Ctrl+P. Opening may have
    // focused it already, without the ring.
    const chosen = this.scaleChoices.find(({ input }) => input.checked).input;
    chosen.blur();
    chosen.focus({ focusVisible: true });
  }

  buildPrintDialog() {
    const core = this.core;
    const dialog = document.createElement("dialog");
    dialog.id = "print";
    dialog.setAttribute("aria-labelledby", "print-title");
    const form = document.createElement("form");
    form.method = "dialog";
    const title = document.createElement("h2");
    title.id = "print-title";
    title.textContent = core.printTitle;
    const scales = document.createElement("fieldset");
    const legend = document.createElement("legend");
    legend.textContent = core.paperScaleHeading;
    scales.append(legend);
    this.scaleChoices = core.paperScales().map((mm) => {
      const label = document.createElement("label");
      const input = document.createElement("input");
      input.type = "radio";
      input.name = "scale";
      input.value = String(mm);
      const words = document.createElement("span");
      label.append(input, words);
      scales.append(label);
      return { input, words };
    });
    const bare = document.createElement("label");
    this.bareChoice = document.createElement("input");
    this.bareChoice.type = "checkbox";
    bare.append(this.bareChoice, core.pupilsCopyChoice);
    const buttons = document.createElement("div");
    buttons.className = "buttons";
    const print = document.createElement("button");
    print.textContent = core.printButton;
    const cancel = document.createElement("button");
    cancel.type = "button";
    cancel.textContent = core.cancelButton;
    cancel.addEventListener("click", () => dialog.close());
    buttons.append(print, cancel);
    form.append(title, scales, bare, buttons);
    dialog.append(form);
    // Enter in a choice prints, as 印刷… does.
    form.addEventListener("submit", (event) => {
      event.preventDefault();
      this.print();
    });
    dialog.addEventListener("close", () => {
      const target = this.printReturnTo;
      if (target && target.isConnected) target.focus({ preventScroll: true });
    });
    document.body.append(dialog);
    this.printDialog = dialog;
  }

  print() {
    const unit = this.form.gridUnit();
    const scale = Number(this.scaleChoices.find(({ input }) => input.checked).input.value);
    // The fitting scale stays the choice when the plane changes size.
    this.printChoice = { scale: scale === this.core.fittingScale(unit) ? 0 : scale,
      bare: this.bareChoice.checked };
    this.buildWorksheet();
    this.printDialog.close();
    window.print();
  }

  // The worksheet as the last choice made, for the printer only.
  buildWorksheet() {
    if (!this.worksheet) {
      this.worksheet = document.createElement("section");
      this.worksheet.id = "worksheet";
      document.body.append(this.worksheet);
    }
    const { scale, bare } = this.printChoice;
    this.worksheet.replaceChildren(
      paper.worksheetSvg(this.form.worksheet(scale, !bare), this.core));
    document.body.classList.add("worksheet");
  }

  dropWorksheet() {
    if (!this.worksheet) return;
    this.worksheet.replaceChildren();
    document.body.classList.remove("worksheet");
  }

  // The picture and the words together, where the browser takes both.
  async copy() {
    const text = this.form.copyText();
    try {
      await navigator.clipboard.write([new ClipboardItem({
        "image/png": this.surface.png(),
        "text/plain": new Blob([text], { type: "text/plain" }),
      })]);
    } catch (error) {
      try {
        await navigator.clipboard.write([new ClipboardItem({ "image/png": this.surface.png() })]);
      } catch (again) {
        if (navigator.clipboard) await navigator.clipboard.writeText(text).catch(() => {});
      }
    }
  }

  // The page's own address, which carries the sheet after "#".
  async copyLink() {
    if (!navigator.clipboard) return;
    try {
      await navigator.clipboard.writeText(location.href);
    } catch (error) {
      return;
    }
    this.announce(this.core.linkCopiedSentence);
  }

  // The address follows the sheet without a step in the browser's history,
  // so that a reload or a restored tab keeps the lines.
  follow() {
    const link = this.form.link();
    const fragment = link.length > 1 ? link : "";
    if (fragment !== location.hash)
      history.replaceState(null, "", fragment || location.pathname + location.search);
  }

  apply(outcome) {
    this.surface.draw(this.form.take());
    this.showState();
    this.follow();
    if (outcome.focusMoved) this.focusTargets[this.form.focus()].focus({ preventScroll: true });
    if (outcome.announcement) this.announce(outcome.announcement);
    if (outcome.ended) this.end();
  }

  announce(text) {
    // Emptied first, so that the same sentence twice is heard twice.
    this.live.textContent = "";
    setTimeout(() => { this.live.textContent = text; }, 50);
  }

  showState() {
    const core = this.core, Kind = core.ControlKind;
    this.form.controls().forEach((state, i) => {
      const row = this.rows[i];
      const shown = this.shown[i];
      const element = this.elements[i];
      const target = this.focusTargets[i];
      if (state.left !== shown.left || state.top !== shown.top) {
        element.style.left = state.left + "px";
        element.style.top = state.top + "px";
      }
      if (state.font !== shown.font && state.font !== core.FontStyle.None) {
        const font = core.fontOfStyle(state.font);
        element.style.font = fontOf(font.pixels, font.bold, core.gothic);
      }
      if (row.kind === Kind.Box && state.writes !== shown.writes) {
        target.value = state.text;
        this.history.delete(i);
      }
      if (row.kind === Kind.Option) {
        target.checked = state.checked;
        target.tabIndex = state.tabStop ? row.tabIndex + 1 : -1;
      }
      if (state.accessibleName !== shown.accessibleName) {
        if (state.accessibleName) target.setAttribute("aria-label", state.accessibleName);
        else target.removeAttribute("aria-label");
      }
      if (row.kind === Kind.Surface && state.accessibleDescription !== shown.accessibleDescription)
        this.description.textContent = state.accessibleDescription;
      if (row.kind === Kind.Label && state.labels !== shown.labels) {
        if (state.labels >= 0) element.htmlFor = "c" + state.labels;
        else element.removeAttribute("for");
      }
      this.shown[i] = state;
    });
    this.showPanel();
  }

  // What the boxes make now, while the panel shows; the window grows by the
  // panel and shrinks back when it goes.
  showPanel() {
    const shown = this.form.functionShown();
    if (shown === this.panel.hidden) {
      if (!shown && this.panel.contains(document.activeElement))
        this.focusTargets[this.form.focus()].focus({ preventScroll: true });
      this.panel.hidden = !shown;
      this.fit();
    }
    if (!shown) return;
    const words = this.form.functionWords();
    // Beside the window the table takes two stacked parts when one row of
    // every column would not fit its width.
    const n = words.tableX.length;
    const parts = this.panelBeside && n > 7 ? 2 : 1;
    const seen = JSON.stringify([words, parts]);
    if (seen === this.panelShown) return;
    this.panelShown = seen;
    // Seen as written, "−2/3"; heard as spoken, "マイナス3分の2".
    const said = (written, spoken) => {
      const seen = document.createElement("span");
      seen.textContent = written;
      seen.setAttribute("aria-hidden", "true");
      const heard = document.createElement("span");
      heard.className = "unseen";
      heard.textContent = spoken;
      return [seen, heard];
    };
    this.panelLines.replaceChildren(...words.lines.map((line) => {
      const p = document.createElement("p");
      if (line.label) {
        const label = document.createElement("span");
        label.className = "label";
        label.textContent = line.label;
        p.append(label);
      }
      p.append(...said(line.written, line.spoken));
      return p;
    }));
    this.panelTable.hidden = n === 0;
    const rows = [];
    const per = Math.ceil(n / parts);
    for (let from = 0; from < n; from += per) {
      for (const [name, numbers] of [["x", words.tableX], ["y", words.tableY]]) {
        const row = document.createElement("tr");
        const head = document.createElement("th");
        head.scope = "row";
        head.textContent = name;
        row.append(head, ...numbers.slice(from, from + per).map((number) => {
          const cell = document.createElement("td");
          cell.append(...said(number.written, number.spoken));
          return cell;
        }));
        rows.push(row);
      }
    }
    const caption = document.createElement("caption");
    caption.textContent = this.core.tableLabel;
    this.panelTable.replaceChildren(caption, ...rows);
  }

  // The whole window at 1:1 where it fits the visible area; otherwise
  // scaled down as a whole, so that nothing scrolls. The function's panel
  // stands beside the window, or below it where that shows it larger, as
  // on an upright tablet.
  fit() {
    const core = this.core;
    const surface = this.rows.find((row) => row.kind === core.ControlKind.Surface);
    const ratio = devicePixelRatio || 1;
    const width = document.documentElement.clientWidth, height = innerHeight;
    const scaleOf = (w, h) => Math.min(1, width / w, height / h);
    const depth = core.functionPanelWidth;
    const beside = scaleOf(core.formWidth + depth, core.formHeight) >=
      scaleOf(core.formWidth, core.formHeight + depth);
    const shown = this.panel && !this.panel.hidden;
    this.size = { width: core.formWidth + (shown && beside ? depth : 0),
      height: core.formHeight + (shown && !beside ? depth : 0) };
    this.window.style.width = this.size.width + "px";
    this.window.style.height = this.size.height + "px";
    if (shown) {
      // Its frame in line with the plane's.
      const box = beside
        ? [core.formWidth, surface.top, depth - surface.top, surface.height]
        : [surface.left, core.formHeight, core.formWidth - 2 * surface.left, depth - surface.top];
      ["left", "top", "width", "height"].forEach((side, k) => {
        this.panel.style[side] = box[k] + "px";
      });
      if (beside !== this.panelBeside) {
        this.panelBeside = beside;
        if (this.form) this.showPanel();
      }
    }
    const { width: formWidth, height: formHeight } = this.size;
    const { scale, left, top } = self.placeWindow(formWidth, formHeight, surface);
    this.window.style.transform = `translate(${left}px, ${top}px) scale(${scale})`;
    this.surface.setScale(scale * ratio);
  }

  end() {
    this.ended = true;
    this.menu.close(false);
    window.close();
    // A page that was not opened by a script stays open: it shows the bare
    // window, and the next visit starts afresh.
    for (const target of this.focusTargets) if (target) target.disabled = true;
    this.window.inert = true;
    document.body.classList.add("ended");
  }
}

// index.html has the WebAssembly compiling by the time this module runs.
// The compiled module is instantiated at once, not in a task of its own
// that would wait behind the page's load events.
const compiled = self.tolvaneWasm;
// The core starts once the first frame the page was built with is painted
// (index.html); the frame after it is the live window.
self.afterFirstFrame.then(() => createTolvane(compiled ? {
  instantiateWasm(imports, receive) {
    compiled.then((module) => receive(new WebAssembly.Instance(module, imports)));
    return {};
  },
} : {})).then((core) => {
  window.tolvane = new Page(core);
  // The worker's install fetches every file again: not before the window
  // is on the screen, which the first contentful paint tells where the
  // browser reports it.
  if (!("serviceWorker" in navigator)) return;
  const register = () => navigator.serviceWorker.register("sw.js").catch(() => {});
  if (!self.PerformanceObserver?.supportedEntryTypes?.includes("paint")) {
    setTimeout(register, 1000);
    return;
  }
  new PerformanceObserver((list, observer) => {
    if (list.getEntriesByName("first-contentful-paint").length === 0) return;
    observer.disconnect();
    register();
  }).observe({ type: "paint", buffered: true });
});
