#pragma once
// Colours are written as &H00BBGGRR values, blue in the high byte.
#include <QColor>
#include <QString>
#include <algorithm>
#include <cmath>
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

// Relative luminance, 0 for black to 1 for white, as screens show it.
inline double luminance(const QColor& c)
{
    auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// Contrast of two colours, 1 (none) to 21 (black on white); text reads
// well from 4.5 on.
inline double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

constexpr double ReadableContrast = 4.5;

// Black text on a light back colour, white on a dark one.
inline QColor readableOn(const QColor& back)
{
    return contrast(Qt::black, back) >= contrast(Qt::white, back) ? QColor(Qt::black) : QColor(Qt::white);
}

// The wanted text colour where it reads on the back colour, else the
// desktop's own text colour for that back colour.
inline QColor readableOr(const QColor& wanted, const QColor& back, const QColor& desktopText)
{
    return contrast(wanted, back) >= ReadableContrast ? wanted : desktopText;
}

// A style sheet's text and back colours.
inline QString style(std::uint32_t foreBgr, std::uint32_t backBgr)
{
    return QStringLiteral("color: %1; background-color: %2;").arg(fromBgr(foreBgr).name(), fromBgr(backBgr).name());
}

// A back colour with the black or white text that reads on it, for a
// control given only its back colour.
inline QString styleOn(std::uint32_t backBgr)
{
    return QStringLiteral("color: %1; background-color: %2;")
        .arg(readableOn(fromBgr(backBgr)).name(), fromBgr(backBgr).name());
}

constexpr std::uint32_t CompletedHalfColor = 0x0000FFFF;  // yellow
constexpr std::uint32_t IdleBoxColor = 0x00C0C0C0;        // grey
constexpr std::uint32_t TrackerOnColor = 0x0000FF00;      // green
constexpr std::uint32_t White = 0x00FFFFFF;
constexpr std::uint32_t DarkGrey = 0x00404040;
constexpr std::uint32_t LightGrey = 0x00E0E0E0;

}  // namespace colours
