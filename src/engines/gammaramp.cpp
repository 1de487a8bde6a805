#include "engines/gammaramp.h"

#include <algorithm>
#include <cmath>

namespace {

quint16 toEntry(double value)
{
    return static_cast<quint16>(std::lround(std::clamp(value, 0.0, 65535.0)));
}

QList<quint16> scaledChannel(const QList<quint16> &channel, double factor)
{
    QList<quint16> result;
    result.reserve(channel.size());
    for (quint16 entry : channel)
        result.append(toEntry(factor * entry));
    return result;
}

// The factor comes from the channel's largest entry; every entry then
// matches to within the rounding of both.
bool isScaledChannel(const QList<quint16> &channel, const QList<quint16> &base)
{
    if (channel.size() != base.size() || base.isEmpty())
        return false;
    const qsizetype top = std::max_element(base.cbegin(), base.cend()) - base.cbegin();
    if (base.at(top) == 0)
        return channel == base;
    const double factor = double(channel.at(top)) / double(base.at(top));
    for (qsizetype i = 0; i < base.size(); ++i) {
        if (std::abs(double(channel.at(i)) - std::clamp(factor * base.at(i), 0.0, 65535.0)) > 1.01)
            return false;
    }
    return true;
}

} // namespace

GammaRamp GammaRamp::linear(qsizetype size)
{
    GammaRamp ramp;
    if (size <= 0)
        return ramp;
    ramp.red.reserve(size);
    for (qsizetype i = 0; i < size; ++i)
        ramp.red.append(size == 1 ? quint16(65535) : toEntry(65535.0 * double(i) / double(size - 1)));
    ramp.green = ramp.red;
    ramp.blue = ramp.red;
    return ramp;
}

bool GammaRamp::isBlank() const
{
    auto zero = [](quint16 entry) { return entry == 0; };
    return std::all_of(red.cbegin(), red.cend(), zero) && std::all_of(green.cbegin(), green.cend(), zero)
           && std::all_of(blue.cbegin(), blue.cend(), zero);
}

GammaRamp GammaRamp::scaled(double redFactor, double greenFactor, double blueFactor) const
{
    GammaRamp result;
    result.red = scaledChannel(red, redFactor);
    result.green = scaledChannel(green, greenFactor);
    result.blue = scaledChannel(blue, blueFactor);
    return result;
}

bool GammaRamp::isScaledFrom(const GammaRamp &base) const
{
    return isScaledChannel(red, base.red) && isScaledChannel(green, base.green) && isScaledChannel(blue, base.blue);
}
