#pragma once

#include <QString>
#include <QtGlobal>

namespace kdx {

// The main window's caption animation: at each timer tick the tail
// "<< E[VRK]bot III d >>" moves one blank to the right and, after 60 ticks, back
// again, so that the caption repeats every 120 ticks. While the tail is far out
// the web address is shown behind the title.
class TitleMarquee {
public:
    // The caption before the first tick; it is also the caption at step 0.
    static QString initialCaption();

    // One step of the animation; gives the new caption. The captions are built
    // once per program, so a tick only shares an existing string.
    QString tick();

private:
    qint16 MarqueeStep = 0; // between -60 and 59 after every tick; 0 before the first
};

} // namespace kdx
