// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>

// The font of the window's captions and inputs, in the given weight.
QFont formFont(QFont::Weight weight);
