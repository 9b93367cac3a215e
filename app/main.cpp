// SPDX-FileCopyrightText: 2026 folvar developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DocumentWriter.h"
#include "Form1.h"
#include "FormActions.h"
#include "FormStyle.h"
#include "SystemServices.h"

#include <QApplication>

#include <cstdlib>

namespace {

// Windows ends the process soon after it has said that the session ends.
constexpr int sessionEndMilliseconds = 4000;

DocumentWriter *writerAtExit = nullptr;

// Qt ends the process through exit() when the display goes away: a
// document on its way into a file is finished first.
void finishAtExit()
{
    if (writerAtExit)
        writerAtExit->finishBeforeExit();
}

} // namespace

int main(int argc, char **argv)
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
    writerAtExit = &writer;
    std::atexit(finishAtExit);
    QObject::connect(&application, &QCoreApplication::aboutToQuit, &writer, [&writer] {
        writer.finishBeforeExit(QDeadlineTimer(sessionEndMilliseconds));
    });
    int status = 0;
    {
        SystemCloseRequests closeRequests;
        QObject::connect(&closeRequests, &CloseRequests::closeRequested, &form, &QWidget::close);
        form.show();
        status = QApplication::exec();
    }
    writerAtExit = nullptr;
    // The window is gone; a reader that never reads must not keep the program.
    if (!writer.finishBeforeExit())
        std::_Exit(status);
    return status;
}
