// SPDX-FileCopyrightText: 2026 Tolvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRgb>

namespace vb {

// The classic 16-colour palette, index 0 to 15. An index outside that range
// gives black rather than reading past the table.
QRgb QBColor(int index);

} // namespace vb
