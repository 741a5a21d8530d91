// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/layout.h"

#include <QFont>

// The proportional Japanese gothic face every control and the surface use,
// at a size in pixels so that the layout does not depend on the screen's dpi.
// The faces are the core's GothicFamilies, in their order.
QFont GothicFont(int pixelSize, bool bold);

// The gothic face in a layout style's pixel size and weight.
QFont ControlFont(FontStyle style);
