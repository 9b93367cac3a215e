// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Characters a path may not hold: they could hide or forge what the user is
// shown. Controls, format characters (direction marks among them) and line
// and paragraph separators, in any plane.
namespace HiddenCharacters {

bool isHidden(char32_t character);

} // namespace HiddenCharacters
