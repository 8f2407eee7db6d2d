// The floor for the title marquee: a window that does nothing but rewrite its
// caption every 111 ms, with captions as long as the marquee's.
#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.resize(712, 544);

    int step = 0;
    QTimer timer;
    timer.setInterval(111);
    QObject::connect(&timer, &QTimer::timeout, &window, [&window, &step] {
        step = (step + 1) % 60;
        window.setWindowTitle(QStringLiteral("KDXConfig 1.0      ") + QString(step, QLatin1Char(' '))
                              + QStringLiteral("<< E[VRK]bot III d >>"));
    });
    timer.start();
    window.show();
    return QApplication::exec();
}
