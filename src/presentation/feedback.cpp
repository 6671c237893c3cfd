#include "presentation/feedback.h"

#include "common/colours.h"
#include "presentation/control_resizer.h"

#include <QLabel>
#include <QVariant>
#include <algorithm>

namespace feedback {

namespace {

void restyle(QLabel* label)
{
    const unsigned back = backColor(label);
    const QString backCss = back == ButtonFace ? QStringLiteral("palette(button)") : colours::fromBgr(back).name();
    const QVariant text = label->property("textColour");
    // A one-pixel border inside the label's own rectangle: the label keeps its
    // size, only its text area narrows by the border.
    label->setStyleSheet(QStringLiteral("QLabel { color: %1; background-color: %2; border: %3; }")
                             .arg(text.isValid() ? text.toString() : QStringLiteral("black"), backCss,
                                  borderStyle(label) == 1 ? QStringLiteral("1px solid black") : QStringLiteral("none")));
}

}  // namespace

unsigned backColor(const QWidget* label)
{
    return label->property("backColor").toUInt();
}

int borderStyle(const QWidget* label)
{
    return label->property("borderStyle").toInt();
}

void setBackColor(QLabel* label, unsigned bgr)
{
    const QVariant now = label->property("backColor");
    if (now.isValid() && now.toUInt() == bgr)
        return;
    label->setProperty("backColor", bgr);
    restyle(label);
}

void setBorderStyle(QLabel* label, int style)
{
    const QVariant now = label->property("borderStyle");
    if (now.isValid() && now.toInt() == style)
        return;
    label->setProperty("borderStyle", style);
    restyle(label);
}

void setTextColour(QLabel* label, const QString& css)
{
    label->setProperty("textColour", css);
    restyle(label);
}

const std::array<OutcomeLabel, 17>& outcomeLabels()
{
    constexpr unsigned plain = 0x00E0E0E0, green = 0x0000FF00;
    constexpr unsigned out = 0x0000FFFF, cyan = 0x00FFFF00;
    static const std::array<OutcomeLabel, 17> labels{{
        {"lbl_Single", plain, green},
        {"lbl_Double", plain, green},
        {"lbl_Triple", plain, green},
        {"lbl_Homer", plain, green},
        {"lbl_SB", plain, green},
        {"lbl_RBI", plain, green},
        {"lbl_BB", plain, green},
        {"lbl_STATS", plain, 0x00FFFFFF},
        {"lbl_K", out, cyan},
        {"lbl_PO", out, cyan},
        {"lbl_GO", out, cyan},
        {"lbl_Pick", out, cyan},
        {"lbl_FO", out, cyan},
        {"lbl_LO", out, cyan},
        {"lbl_DP", out, cyan},
        {"lbl_FC", out, cyan},
        {"lbl_AB", 0x008080FF, 0x00C0C0FF},
    }};
    return labels;
}

QPoint centredDragTo(const QRect& panel, const QPointF& pointer, const QSize& board)
{
    const double halfW = panel.width() / 2.0, halfH = panel.height() / 2.0;
    const double centreX = std::clamp(panel.x() + pointer.x(), 0.0, double(std::max(0, board.width())));
    const double centreY = std::clamp(panel.y() + pointer.y(), 0.0, double(std::max(0, board.height())));
    return {layout::toWhole(centreX - halfW), layout::toWhole(centreY - halfH)};
}

QPoint roundedPoint(double x, double y)
{
    return {layout::toWhole(x), layout::toWhole(y)};
}

}  // namespace feedback
