// The folvar window process, ending right after its first paint.
#include "FirstPaintExit.h"
#include "FolvarWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    FolvarWindow window;
    const FirstPaintExit exit(window.form());
    window.show();
    return QApplication::exec();
}
