// Stored colours keep the classic byte order: red in the low byte, then green, then
// blue (0x00BBGGRR). These two functions are the one place that converts them.
#pragma once

#include <QColor>
#include <cstdint>

inline std::uint32_t rgbValue(int red, int green, int blue)
{
    return static_cast<std::uint32_t>(red & 0xFF) | (static_cast<std::uint32_t>(green & 0xFF) << 8) |
           (static_cast<std::uint32_t>(blue & 0xFF) << 16);
}

inline QColor colorFromRgbValue(std::uint32_t value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

inline std::uint32_t rgbValue(const QColor &color)
{
    return rgbValue(color.red(), color.green(), color.blue());
}
