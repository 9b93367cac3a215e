#include "Form1.h"
#include "FormActions.h"
#include "SaveFileOutput.h"
#include "SystemShellOpener.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    SaveFileOutput output;
    SystemShellOpener shell;
    Form1 form;
    FormActions actions(form, output, shell);
    actions.load();
    form.show();
    return QApplication::exec();
}
