#include "FolvarWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    FolvarWindow window;
    window.show();
    return QApplication::exec();
}
