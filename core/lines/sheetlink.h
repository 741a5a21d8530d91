// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "lines/sheet.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// A sheet as the part of the page's address after "#", so that a teacher can
// post a lesson as a link: keys and values as a query string,
//   1=2,3,6,-3,3&2=1,-1,0,-5,5&size=s&marks=1
// "1" to "8" the line in that slot (a, b, c, the range's start and end),
// "size" s, m or l, "marks=1" the numbers and crossings shown, "view=1" the
// formula and table shown, "slot" the selected slot, 1 to 8. The browser
// never sends that part to a server, so the lesson is stored nowhere.

// The longest text a link may be, whole address included.
inline constexpr std::size_t LinkMaxLength = 2000;

// The link of `sheet`, "#" and then its keys: the slots holding a line in
// ascending order, then size, marks, view and slot, each left out at its
// default, so one sheet has one link. Each number is the shortest text of an
// optional "-", digits, an optional "." and digits, and an optional "e",
// sign and digits, that reads back to the same single; "-0" for negative
// zero. A line holding a number that is not finite draws nothing and cannot
// be written, so it is left out. `slot` is left out exactly when the slot
// after the highest written line is selected (after ８, １; with no line, １).
std::string LinkOf(const Sheet &sheet);

// What makes a text no lesson. The whole link is refused for any of them.
enum class LinkFault {
    None,
    NotALink,       // no "#", and no line or known key
    TooLong,        // more than LinkMaxLength characters
    Repeated,       // a key given twice
    TooFewNumbers,  // a line with fewer than five numbers
    TooManyNumbers, // a line with more than five numbers
    BadNumber,      // a number that is not written as a link writes numbers
    NotFinite,      // a number beyond the single's range
    BadSlot,        // a slot outside 1 to 8, as a key or as the value of "slot"
    BadValue,       // a value "size", "marks" or "view" does not take
};

// A link read: the sheet it describes, or what was wrong.
struct LinkReading {
    std::optional<Sheet> sheet;
    LinkFault fault = LinkFault::None;
    // The line the fault is in, 0 to 7, or -1 when it is in none.
    int slot = -1;
    // The key the fault is in, as written in the link (at most a few
    // characters of it).
    std::string key;
};

// Reads a whole address ("https://…/#1=…"), a bare "#…", or the text after
// "#" when it is no address and holds a line or a key below ("#" alone is
// the empty lesson; "" and "x + y = 2" are no link). Blanks around the text are
// skipped, empty parts between "&" too, and so are keys it does not know, so
// that a later version's links still open. Numbers must follow the grammar
// LinkOf writes; they are rounded correctly to single and must be finite.
// The sheet has each line drawn into its slot in slot order, so the selected
// slot is the one after the highest unless "slot" says otherwise, the size
// and switches set, and no undo history.
LinkReading ReadLink(std::string_view text);
