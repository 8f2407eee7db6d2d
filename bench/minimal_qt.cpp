// The floor for start-up: a Qt Widgets program that shows one empty window of
// the main window's size and quits after its first paint.
#include "first_paint.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(712, 544);
    quitAfterFirstPaint(window);
    window.show();
    return QApplication::exec();
}
