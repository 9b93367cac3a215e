#include "Form1.h"
#include "FormActions.h"
#include "FormStyle.h"
#include "SaveFileOutput.h"
#include "SystemShellOpener.h"
#include "WriteSignals.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    WriteSignals::ignore();
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
