// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The desktop's own choice of application for a file, as its file manager
// would make it: GIO reads the file's content type and the default
// application for that type from the desktop's database.
namespace DefaultApplication {

// The executable of the default application for the file, a name or a
// path; empty when the type has none.
QString executableFor(const QString &file);

} // namespace DefaultApplication
