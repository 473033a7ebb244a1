#pragma once
// Window geometry is kept in twips (1440 to the inch), converted to pixels with the
// screen's logical resolution: 15 twips to the pixel at 96 dots per inch.
#include <cmath>

namespace folio::twips {

inline constexpr double kPerInch = 1440.0;

inline double perPixel(double dpi)
{
    return kPerInch / (dpi > 0 ? dpi : 96.0);
}

// Pixels for a twips value, rounded to the nearest whole pixel.
inline int toPixels(double twipsValue, double dpi)
{
    return static_cast<int>(std::lround(twipsValue / perPixel(dpi)));
}

// Twips for a pixel value: what a control reports after it has been placed.
inline double fromPixels(int pixels, double dpi)
{
    return pixels * perPixel(dpi);
}

}  // namespace folio::twips
