// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The look every run shares, whatever the desktop: the Fusion style, so that
// buttons and boxes keep the laid-out proportions, and the program's name.
// Call it once the application exists.
void PrepareApplication();
