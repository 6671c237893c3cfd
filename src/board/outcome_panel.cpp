#include "board/outcome_panel.h"

#include "board/panel_look.h"
#include "platform/events.h"
#include "platform/look.h"
#include "platform/twips.h"
#include "presentation/feedback.h"

namespace board {

void OutcomePanel::build(QWidget* boardArea)
{
    // At the top right of the field, over its corner.
    pb_Res = new ClickLabel(boardArea);
    pb_Res->setObjectName(QStringLiteral("pb_Res"));
    pb_Res->setToolTip(QStringLiteral("CTRL + Left Click to drag controls"));
    pb_Res->setStyleSheet(
        QStringLiteral("background-color: %1; border: 1px solid #404040;").arg(colourName(0x00808080)));
    twips::place(pb_Res, 13300, 3285, 5620, 1695);

    struct Def {
        ClickLabel** member;
        const char* name;
        const char* caption;
        const char* tip;
        unsigned colour;
    };
    const unsigned plain = 0x00E0E0E0, out = 0x0000FFFF, ab = 0x008080FF;
    // Two rows of eight: what puts the batter on base or credits him, then
    // the outs; STATS below them at its own place.
    const Def defs[] = {
        {&lbl_Single, "lbl_Single", "1B", "Single", plain},
        {&lbl_Double, "lbl_Double", "2B", "Double", plain},
        {&lbl_Triple, "lbl_Triple", "3B", "Triple", plain},
        {&lbl_Homer, "lbl_Homer", "HR", "Homer", plain},
        {&lbl_BB, "lbl_BB", "BB", "Walk", plain},
        {&lbl_RBI, "lbl_RBI", "RBI", "Run batted in", plain},
        {&lbl_SB, "lbl_SB", "SB", "Stolen base", plain},
        {&lbl_AB, "lbl_AB", "AB", "Assign an 'At-Bat' [e.g. reached on an error]", ab},
        {&lbl_K, "lbl_K", "K", "Strikeout", out},
        {&lbl_GO, "lbl_GO", "GO", "Groundout", out},
        {&lbl_FO, "lbl_FO", "FO", "Flyout/Foulout", out},
        {&lbl_LO, "lbl_LO", "LO", "Lineout", out},
        {&lbl_PO, "lbl_PO", "PO", "Popout", out},
        {&lbl_DP, "lbl_DP", "DP", "Double Play", out},
        {&lbl_FC, "lbl_FC", "FC", "Fielder's choice", out},
        {&lbl_Pick, "lbl_Pick", "TO", "Runner thrown out/tagged out", out},
        {&lbl_STATS, "lbl_STATS", "STATS", nullptr, plain},
    };
    int i = 0;
    for (const Def& d : defs) {
        auto* l = new ClickLabel(QString::fromLatin1(d.caption), pb_Res);
        l->setObjectName(QString::fromLatin1(d.name));
        if (d.tip)
            l->setToolTip(QString::fromLatin1(d.tip));
        l->setAlignment(Qt::AlignCenter);
        feedback::setBackColor(l, d.colour);
        if (d.member == &lbl_STATS) {
            look::setFont(l, QStringLiteral("Calibri"), 11.25, true);
            twips::place(l, 2040, 1140, 885, 285);
        } else {
            look::setFont(l, QStringLiteral("Arial"), 11.25, true);
            twips::place(l, 140 + (i % 8) * 675, 90 + (i / 8) * 495, 615, 435);
        }
        *d.member = l;
        ++i;
    }

    size_t k = 0;
    for (const feedback::OutcomeLabel& o : feedback::outcomeLabels()) {
        auto* l = pb_Res->findChild<ClickLabel*>(QString::fromLatin1(o.name));
        Q_ASSERT(l);
        inColourOrder_[k++] = l;
    }
}

void OutcomePanel::rest() const
{
    size_t i = 0;
    for (const feedback::OutcomeLabel& o : feedback::outcomeLabels())
        feedback::setBackColor(inColourOrder_[i++], o.resting);
}

}  // namespace board
