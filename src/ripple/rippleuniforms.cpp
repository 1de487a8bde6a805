#include "ripple/rippleuniforms.h"

#include "core/colormath.h"

#include <algorithm>

RippleUniforms RippleUniforms::forScreen(const QRectF &screen, QPointF origin,
                                         qint64 fromTemperature, qint64 fromSaturation,
                                         qint64 toTemperature, qint64 toSaturation)
{
    const double width = screen.width();
    const double height = screen.height();

    RippleUniforms u;
    u.origin[0] = float((origin.x() - screen.left()) / std::max(width, 1.0));
    u.origin[1] = float((origin.y() - screen.top()) / std::max(height, 1.0));
    u.aspect = float(width / std::max(height, 1.0));
    u.time = 0.0f;
    u.duration = 3.0f;
    u.fromSaturation = float(fromSaturation) / 100.0f;
    u.toSaturation = float(toSaturation) / 100.0f;
    u.padding = 0.0f;

    const WhitePoint from = ColorMath::whitePoint(fromTemperature);
    const WhitePoint to = ColorMath::whitePoint(toTemperature);
    const float fromWhite[4] = {from.r, from.g, from.b, 1.0f};
    const float toWhite[4] = {to.r, to.g, to.b, 1.0f};
    std::copy(std::begin(fromWhite), std::end(fromWhite), u.fromWhite);
    std::copy(std::begin(toWhite), std::end(toWhite), u.toWhite);
    return u;
}
