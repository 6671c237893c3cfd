#pragma once
// Colours are written as &H00BBGGRR values, blue in the high byte.
#include <QColor>
#include <QString>
#include <cstdint>

namespace colours {

inline QColor fromBgr(std::uint32_t bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline std::uint32_t toBgr(const QColor& c)
{
    return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
}

// A style sheet's text and back colours.
inline QString style(std::uint32_t foreBgr, std::uint32_t backBgr)
{
    return QStringLiteral("color: %1; background-color: %2;").arg(fromBgr(foreBgr).name(), fromBgr(backBgr).name());
}

constexpr std::uint32_t CompletedHalfColor = 0x0000FFFF;  // yellow
constexpr std::uint32_t IdleBoxColor = 0x00C0C0C0;        // grey
constexpr std::uint32_t TrackerOnColor = 0x0000FF00;      // green
constexpr std::uint32_t White = 0x00FFFFFF;
constexpr std::uint32_t DarkGrey = 0x00404040;
constexpr std::uint32_t LightGrey = 0x00E0E0E0;

}  // namespace colours
