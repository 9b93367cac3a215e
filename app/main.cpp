#include "Form1.h"
#include "FormActions.h"
#include "FormStyle.h"
#include "SaveFileOutput.h"
#include "SystemShellOpener.h"

#include <QApplication>

#include <csignal>

int main(int argc, char *argv[])
{
#ifdef SIGPIPE
    // A FIFO whose reader has gone must fail the document's write with EPIPE,
    // not end the program and lose everything typed.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    QApplication application(argc, argv);
    FormStyle::apply();
    SaveFileOutput output;
    SystemShellOpener shell;
    Form1 form;
    FormActions actions(form, output, shell);
    actions.load();
    form.show();
    return QApplication::exec();
}
