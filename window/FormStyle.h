// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The style the application draws the form in: Qt's Fusion on every system.
// Windows' own style draws a button's face its own way and would hide the
// light caption of the pages button; Fusion follows the form's colours.
namespace FormStyle {

// Sets the style for the whole application, before the form is made.
void apply();

} // namespace FormStyle
