// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "GenerateCommand.h"

// The program's steps for one document, taken on one thread: the form
// read, the file written, the shell asked.
inline GenerateResult generate(DocumentFile &file, ShellOpener &shell, const FormReader &form)
{
    GenerateCommand command(file, shell);
    return command.show(command.write(GenerateCommand::prepare(form)));
}
