// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The user's Documents folder (FOLDERID_Documents) in Windows's separators,
// empty where the system names none.
QString documentsFolder();
