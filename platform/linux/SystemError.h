// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The system's own words for an error number, in the user's language.
namespace SystemError {

// The C library words the reason in the locale's code set, which is not
// always UTF-8 (ru_RU.CP1251, ru_RU.KOI8-R); it is decoded from that.
QString text(int error);

} // namespace SystemError
