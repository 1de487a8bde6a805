#pragma once

#include <QtGlobal>

#include <array>

// The value of the XRandR output property "CTM" as KMS drivers expose it:
// a 3×3 matrix, row by row, each number in S31.32 sign-magnitude fixed point
// (bit 63 the sign, the other 63 bits the magnitude times 2^32; not two's
// complement), sent as two 32-bit items with the low half first.
namespace CtmEncoding {

inline constexpr int itemCount = 18;

std::array<quint32, itemCount> encode(const std::array<double, 9> &matrix);

} // namespace CtmEncoding
