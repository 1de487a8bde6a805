#include "platform/x11/ctmencoding.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace CtmEncoding {

std::array<quint32, itemCount> encode(const std::array<double, 9> &matrix)
{
    constexpr double scale = 4294967296.0; // 2^32
    constexpr quint64 largestMagnitude = (quint64(1) << 63) - 1;

    std::array<quint32, itemCount> items{};
    for (std::size_t i = 0; i < matrix.size(); ++i) {
        const double value = std::isnan(matrix[i]) ? 0.0 : matrix[i];
        const double scaled = std::fabs(value) * scale;
        const quint64 magnitude = scaled >= 9.2e18 ? largestMagnitude : quint64(std::llround(scaled));
        // A value that rounds to zero carries no sign, so there is one zero.
        const bool negative = value < 0 && magnitude != 0;
        items[2 * i] = quint32(magnitude & 0xffffffffu);
        items[2 * i + 1] = quint32(magnitude >> 32) | (negative ? 0x80000000u : 0u);
    }
    return items;
}

} // namespace CtmEncoding

namespace CscMatrixEncoding {

std::array<quint32, itemCount> encode(const std::array<double, 9> &matrix)
{
    constexpr double scale = 65536.0;
    constexpr double largest = double(std::numeric_limits<qint32>::max());
    constexpr double smallest = double(std::numeric_limits<qint32>::min());

    std::array<quint32, itemCount> items{};
    for (std::size_t row = 0; row < 3; ++row) {
        for (std::size_t column = 0; column < 3; ++column) {
            const double value = matrix[3 * row + column];
            const double scaled = std::isnan(value) ? 0.0 : std::clamp(std::round(value * scale), smallest, largest);
            items[4 * row + column] = static_cast<quint32>(static_cast<qint32>(scaled));
        }
        // The offset column stays zero.
    }
    return items;
}

} // namespace CscMatrixEncoding
