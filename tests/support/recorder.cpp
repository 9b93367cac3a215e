// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Notes how the shell started it, for the tests: the file it was given, as Qt reads
// it from the UTF-16 command line, then the show command, in the file FOLVAR_RECORD names.
#include <windows.h>

#include <QCoreApplication>
#include <QSaveFile>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nShowCmd)
{
    QCoreApplication application(__argc, __argv);
    const QByteArray noted
        = QCoreApplication::arguments().constLast().toUtf8() + '\n' + QByteArray::number(nShowCmd);
    // Whole at once: the documents of two clicks may be shown at the same time.
    QSaveFile record(qEnvironmentVariable("FOLVAR_RECORD"));
    return record.open(QIODevice::WriteOnly) && record.write(noted) == noted.size()
                   && record.commit()
               ? 0
               : 1;
}
