// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What a screen reader learns of the form beyond Qt's own: the two link
// labels are links that can be activated, and each combo box is named
// after the particular it holds and tied to its row's caption. On Linux
// Qt names a combo box after its text and leaves its caption to a label's
// buddy, which only one combo of a row can have.
namespace FormAccessibility {

// Makes the form's controls known to the accessibility bridge; once is enough.
void install();

} // namespace FormAccessibility
