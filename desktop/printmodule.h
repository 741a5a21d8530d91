// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/worksheet.h"

class QWidget;
class Window;

// Printing lives in a module of its own, loaded the first time a teacher
// prints, so that the printer libraries cost nothing at start-up. The module
// holds one function of this type, by the name PrintModuleEntry: it asks
// for the choice (starting from `choice`, which it updates) and the printer,
// and prints.
using PrintWorksheetFunction = void (*)(QWidget *parent, const Window &window,
                                        WorksheetChoice *choice);
inline constexpr const char *PrintModuleEntry = "tolvane_print_worksheet";
inline constexpr const char *PrintModuleName = "tolvane-print";
