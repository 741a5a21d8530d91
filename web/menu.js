// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The surface's menu, as the desktop's context menu behaves: it opens where
// it was asked for, the arrow keys move between its entries, Enter or Space
// or a tap chooses one, and Escape, Tab or a tap elsewhere closes it; the
// focus then goes back to where it was.

export class Menu {
  // entries: [{label, run, checkable, keys}] with null for a separator;
  // keys, the entry's shortcut as it is shown: "Ctrl+G".
  constructor(parent, entries) {
    this.element = document.createElement("div");
    this.element.className = "menu";
    this.element.setAttribute("role", "menu");
    this.element.hidden = true;
    this.items = [];
    for (const entry of entries) {
      if (entry === null) {
        const line = document.createElement("div");
        line.setAttribute("role", "separator");
        this.element.append(line);
        continue;
      }
      const item = document.createElement("button");
      item.type = "button";
      item.tabIndex = -1;
      item.textContent = entry.label;
      if (entry.keys) {
        // The entry's shortcut shows beside it; a screen reader hears the
        // entry's name and its shortcut apart.
        item.setAttribute("aria-label", entry.label);
        item.setAttribute("aria-keyshortcuts", entry.keys.replace("Ctrl", "Control"));
        const keys = document.createElement("kbd");
        keys.setAttribute("aria-hidden", "true");
        keys.textContent = entry.keys;
        item.append(keys);
      }
      item.setAttribute("role", entry.checkable ? "menuitemcheckbox" : "menuitem");
      item.addEventListener("click", () => this.choose(entry));
      this.element.append(item);
      this.items.push({ item, entry });
    }
    this.element.addEventListener("keydown", (event) => this.key(event));
    this.element.addEventListener("focusout", (event) => {
      if (!this.element.contains(event.relatedTarget)) this.close(false);
    });
    parent.append(this.element);
  }

  get open() {
    return !this.element.hidden;
  }

  // Shows the menu with its top-left corner at (x, y) of the parent, kept
  // inside `bounds` {width, height}; states: [{enabled, checked}] per entry.
  show(x, y, bounds, states) {
    if (this.open) return;
    this.returnTo = document.activeElement;
    this.items.forEach(({ item, entry }, i) => {
      const state = states[i] || {};
      item.setAttribute("aria-disabled", state.enabled === false ? "true" : "false");
      if (entry.checkable) item.setAttribute("aria-checked", state.checked ? "true" : "false");
    });
    this.element.hidden = false;
    const w = this.element.offsetWidth, h = this.element.offsetHeight;
    this.element.style.left = Math.max(0, Math.min(x, bounds.width - w)) + "px";
    this.element.style.top = Math.max(0, Math.min(y, bounds.height - h)) + "px";
    this.move(0, 1);
  }

  close(refocus = true) {
    if (!this.open) return;
    this.element.hidden = true;
    if (refocus && this.returnTo) this.returnTo.focus({ preventScroll: true });
  }

  choose(entry) {
    const found = this.items.find((i) => i.entry === entry);
    if (found.item.getAttribute("aria-disabled") === "true") return;
    this.close();
    entry.run();
  }

  // Moves to the next enabled entry from `from` in direction `step`.
  move(from, step) {
    const n = this.items.length;
    for (let k = 0; k < n; ++k) {
      const i = (((from + step * k) % n) + n) % n;
      if (this.items[i].item.getAttribute("aria-disabled") !== "true") {
        this.items[i].item.focus({ preventScroll: true });
        return;
      }
    }
    this.items[0].item.focus({ preventScroll: true });
  }

  key(event) {
    const current = this.items.findIndex((i) => i.item === document.activeElement);
    switch (event.key) {
    case "ArrowDown": this.move(current + 1, 1); break;
    case "ArrowUp": this.move(current - 1, -1); break;
    case "Home": this.move(0, 1); break;
    case "End": this.move(this.items.length - 1, -1); break;
    case "Escape": case "Tab": this.close(); break;
    case "Enter": case " ":
      if (current >= 0) this.choose(this.items[current].entry);
      break;
    default: return;
    }
    event.preventDefault();
    event.stopPropagation();
  }
}
