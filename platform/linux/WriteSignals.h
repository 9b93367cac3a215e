// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A write that fails, to a FIFO whose reader has gone or past the file-size
// limit the user's session set, must come back as the write's error. By
// default the system ends the program with a signal instead, and all that
// was typed is lost. The signals are caught, not ignored: a program started
// from this one gets the usual handling back as it starts, as it would not
// get an ignored signal back.
namespace WriteSignals {

// Once, as the program starts.
void catchAndGoOn();

} // namespace WriteSignals
