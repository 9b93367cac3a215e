// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DocumentWriter.h"
#include "Form1.h"
#include "FormActions.h"
#include "FormStyle.h"
#include "SystemServices.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char *argv[])
{
    SystemServices::prepareProcess();
    QApplication application(argc, argv);
    FormStyle::apply();
    SystemDocumentFile file;
    SystemShellOpener shell;
    DocumentWriter writer(file, shell);
    Form1 form;
    FormActions actions(form, writer, shell);
    actions.load();
    form.show();
    const int status = QApplication::exec();
    // The window is gone; a reader that never reads must not keep the program.
    if (!writer.finishBeforeExit())
        std::_Exit(status);
    return status;
}
