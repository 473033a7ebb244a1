#pragma once
// A colour as the program stores it: r + 256 * g + 65536 * b, red in the lowest byte.
#include <cstdint>

namespace folio {

using ColourValue = std::int32_t;

inline constexpr ColourValue RGB(int r, int g, int b)
{
    return static_cast<ColourValue>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr int redOf(ColourValue c)
{
    return c & 0xFF;
}
inline constexpr int greenOf(ColourValue c)
{
    return (c >> 8) & 0xFF;
}
inline constexpr int blueOf(ColourValue c)
{
    return (c >> 16) & 0xFF;
}

}  // namespace folio
