#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

// Ends the application once the window's first paint is on the screen: the quit
// is posted while the paint event is delivered, so it runs after the paint and
// its flush to the window.
inline void quitAfterFirstPaint(QWidget &window)
{
    class PaintWatch : public QObject {
    public:
        using QObject::QObject;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint)
                QTimer::singleShot(0, qApp, &QCoreApplication::quit);
            return false;
        }
    };
    window.installEventFilter(new PaintWatch(&window));
}
