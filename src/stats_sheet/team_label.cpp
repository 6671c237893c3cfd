#include "stats_sheet/team_label.h"

#include "platform/look.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {
// Space kept free before and after the name.
constexpr int Pad = 3;
}  // namespace

TeamLabel::TeamLabel(const QString& text, double bandShare, QWidget* parent)
    : QLabel(parent), bandShare_(std::clamp(bandShare, 0.0, 1.0))
{
    setTextFormat(Qt::PlainText);
    setText(text);
}

void TeamLabel::setColours(const QColor& fore, const QColor& back)
{
    fore_ = fore;
    back_ = back;
    update();
}

int TeamLabel::roomForText() const
{
    return std::max(0, width() - 2 * Pad);
}

QFont TeamLabel::fittedFont() const
{
    return look::shrunkToFit(font(), text(), roomForText(), SmallestPoints);
}

int TeamLabel::bandWidth() const
{
    // One pixel more than measured: eliding measures a little differently.
    const int textWidth = QFontMetrics(fittedFont()).horizontalAdvance(text()) + 2 * Pad + 1;
    return std::min(width(), std::max(int(width() * bandShare_ + 0.5), textWidth));
}

void TeamLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect band(0, 0, bandWidth(), height());
    p.fillRect(band, back_);
    const QFont f = fittedFont();
    p.setFont(f);
    p.setPen(fore_);
    const QRect textRect = band.adjusted(Pad, 0, -Pad, 0);
    // Past the smallest size the end gives way, never the beginning.
    p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetrics(f).elidedText(text(), Qt::ElideRight, textRect.width()));
}
