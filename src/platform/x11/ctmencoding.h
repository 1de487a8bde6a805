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

// The value of the output property "CscMatrix" of NVIDIA's proprietary X
// driver: a 3×4 matrix, row by row, each number a signed 32-bit integer with
// 65536 for 1.0; the fourth column is an offset added to each channel.
namespace CscMatrixEncoding {

inline constexpr int itemCount = 12;

// The 3×3 matrix with zero offsets; values beyond the 32-bit range saturate.
std::array<quint32, itemCount> encode(const std::array<double, 9> &matrix);

} // namespace CscMatrixEncoding
