#include "title_marquee.h"

#include <array>

namespace kdx {

namespace {

// The step wraps from 60 to -60, so the gap is chosen by |step| in 0..60.
constexpr int Wrap = 60;
// From this |step| on the web address is shown and the gap shrinks by its length.
constexpr int LongFrom = 30;
constexpr int LongGapReduction = 22;

const std::array<QString, Wrap + 1> &captions()
{
    static const std::array<QString, Wrap + 1> captions = [] {
        const QString shortTitle = QStringLiteral("KDXConfig 1.0      ");
        const QString longTitle = shortTitle + QStringLiteral("www.vevadudori.example");
        const QString tail = QStringLiteral("<< E[VRK]bot III d >>");
        std::array<QString, Wrap + 1> built;
        for (int n = 0; n <= Wrap; ++n) {
            const bool isLong = n >= LongFrom;
            const QString gap(isLong ? n - LongGapReduction : n, QLatin1Char(' '));
            built[static_cast<std::size_t>(n)] = (isLong ? longTitle : shortTitle) + gap + tail;
        }
        return built;
    }();
    return captions;
}

} // namespace

QString TitleMarquee::initialCaption()
{
    return captions()[0];
}

QString TitleMarquee::tick()
{
    ++MarqueeStep;
    if (MarqueeStep == Wrap)
        MarqueeStep -= 2 * Wrap;
    return captions()[static_cast<std::size_t>(qAbs(MarqueeStep))];
}

} // namespace kdx
