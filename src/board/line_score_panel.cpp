#include "board/line_score_panel.h"

#include "board/panel_look.h"
#include "platform/events.h"
#include "platform/look.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace board {

void LineScorePanel::build(QWidget* boardArea)
{
    Frame3 = new QFrame(boardArea);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    Frame3->setFrameShape(QFrame::Box);
    Frame3->setAutoFillBackground(true);
    Frame3->setStyleSheet(QStringLiteral("QFrame#Frame3 { background-color: #1f1f1f; }"));
    twips::place(Frame3, 5525, 60, 7875, 2490);

    // Directly below the top frame, wide enough for its ten innings.
    Frame1 = new QFrame(boardArea);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setStyleSheet(QStringLiteral("QFrame#Frame1 { background-color: #1f1f1f; }"));
    twips::place(Frame1, 5525, 60 + 2490, 6120, 1560);
    Frame1->hide();

    const double boxW = 420, step = 440, x0 = 1620;
    auto head = [&](QWidget* parent, const QString& text, double x, double y) {
        auto* l = new QLabel(text, parent);
        l->setAlignment(Qt::AlignCenter);
        paintColours(l, colours::White, 0x001F1F1F);
        look::setFont(l, QStringLiteral("Arial"), 9, true);
        twips::place(l, x, y, boxW, 255);
        return l;
    };
    for (int d = 1; d <= 10; ++d) {
        const int digit = d % 10;  // "0" heads inning 10
        auto* l = new ClickLabel(QString::number(digit), Frame3);
        l->setObjectName(QStringLiteral("lbl_%1").arg(digit));
        l->setAlignment(Qt::AlignCenter);
        // The digit heads are the number pad: white on blue, unlike the
        // plain "R", "H", "E" heads.
        paintColours(l, colours::White, 0x00FF0000);
        look::setFont(l, QStringLiteral("Arial"), 9, true);
        twips::place(l, x0 + (d - 1) * step, 60, boxW, 255);
        lbl_Digit[static_cast<size_t>(digit)] = l;
    }
    const QStringList rhe{QStringLiteral("R"), QStringLiteral("H"), QStringLiteral("E")};
    for (int i = 0; i < 3; ++i)
        lbl_RHE[static_cast<size_t>(i)] = head(Frame3, rhe[i], x0 + (10 + i) * step, 60);

    tb_VisTeam = new QLineEdit(QStringLiteral("VIS"), Frame3);
    tb_VisTeam->setObjectName(QStringLiteral("tb_VisTeam"));
    tb_HomeTeam = new QLineEdit(QStringLiteral("HOME"), Frame3);
    tb_HomeTeam->setObjectName(QStringLiteral("tb_HomeTeam"));
    twips::place(tb_VisTeam, 60, 360, 1500, 390);
    twips::place(tb_HomeTeam, 60, 800, 1500, 390);
    paintColours(tb_VisTeam, 0, colours::White);
    paintColours(tb_HomeTeam, 0, colours::IdleBoxColor);
    for (auto* t : {tb_VisTeam, tb_HomeTeam})
        look::setFont(t, QStringLiteral("Arial"), 8.25, true);

    auto* xcap = new QLabel(QStringLiteral("EXTRA INNINGS 11 TO 20"), Frame1);
    lbl_Frame1Caption = xcap;
    paintColours(xcap, colours::White, 0x001F1F1F);
    look::setFont(xcap, QStringLiteral("Arial"), 8, true);
    // The caption runs on over the free space above the inning heads.
    twips::place(xcap, 60, 40, 3600, 255);
    for (int i = 0; i < 10; ++i)
        lbl_XinnHead[static_cast<size_t>(i)] = head(Frame1, QString::number(11 + i), x0 + i * step, 330);

    // Innings 1 to 10 and the totals stand in the top frame, innings 11 to 20
    // in the extra frame, each side's box under the visitors'.
    for (size_t i = 0; i < tb_BoxScore.size(); ++i) {
        const bool extra = i >= 10 && i < InningBoxes;
        QWidget* parent = extra ? Frame1 : Frame3;
        const size_t col = extra ? i - 10 : (i < 10 ? i : i - 10);
        const double x = x0 + static_cast<double>(col) * step;
        const double yTop = extra ? 620 : 360;
        auto* top = new BoxScoreEdit(parent);
        auto* bottom = new BoxScoreEdit(parent);
        top->setObjectName(QStringLiteral("tb_BoxScore(%1)").arg(i));
        bottom->setObjectName(QStringLiteral("tb_BoxScoreBottom(%1)").arg(i));
        twips::place(top, x, yTop, boxW, 390);
        twips::place(bottom, x, yTop + 440, boxW, 390);
        for (auto* b : {top, bottom})
            look::setFont(b, QStringLiteral("Arial"), 9, true);
        if (i >= InningBoxes) {
            top->setText(QStringLiteral("0"));
            bottom->setText(QStringLiteral("0"));
        }
        tb_BoxScore[i] = top;
        tb_BoxScoreBottom[i] = bottom;
    }
    tb_BoxScore[10]->setToolTip(QStringLiteral("top of 11"));
    tb_BoxScoreBottom[10]->setToolTip(QStringLiteral("bottom of 11"));
    tb_BoxScore[19]->setToolTip(QStringLiteral("top of 20"));
    tb_BoxScoreBottom[19]->setToolTip(QStringLiteral("botom of 20"));

    // Under the line score, left of the chart block: the outs with RESET
    // beside them, BALLPARKS and X-INN, UPDATE.
    lbl_OUTS = new QLabel(QStringLiteral("OUTS"), Frame3);
    lbl_OUTS->setAlignment(Qt::AlignCenter);
    paintColours(lbl_OUTS, colours::White, 0x00303030);
    look::setFont(lbl_OUTS, QStringLiteral("Arial"), 9.75, true);
    twips::place(lbl_OUTS, 60, 1290, 600, 330);
    tb_OUT = new QLineEdit(QStringLiteral("0"), Frame3);
    tb_OUT->setObjectName(QStringLiteral("tb_OUT"));
    tb_OUT->setAlignment(Qt::AlignCenter);
    paintColours(tb_OUT, colours::White, 0x000000FF);
    look::setFont(tb_OUT, QStringLiteral("Arial"), 12, true);
    twips::place(tb_OUT, 720, 1290, 465, 330);
    Command11 = new QPushButton(QStringLiteral("RESET"), Frame3);
    Command11->setObjectName(QStringLiteral("Command11"));
    twips::place(Command11, 1245, 1290, 1515, 330);
    cb_Xinnings = new QCheckBox(QStringLiteral("X-INN"), Frame3);
    cb_Xinnings->setObjectName(QStringLiteral("cb_Xinnings"));
    cb_Xinnings->setToolTip(QStringLiteral("Extra innings 11-20"));
    paintColours(cb_Xinnings, colours::White, 0x00303030);
    twips::place(cb_Xinnings, 1635, 1665, 1125, 330);
    Command5 = new QPushButton(QStringLiteral("UPDATE"), Frame3);
    Command5->setObjectName(QStringLiteral("Command5"));
    twips::place(Command5, 60, 2040, 1515, 330);
    for (QWidget* w : std::initializer_list<QWidget*>{Command11, Command5, cb_Xinnings})
        look::setFont(w, QStringLiteral("Arial"), 8.25, true);

    Command9 = new QPushButton(QStringLiteral("BALLPARKS"), Frame3);
    Command9->setObjectName(QStringLiteral("Command9"));
    look::setFont(Command9, QStringLiteral("Arial"), 8.25, true);
    twips::place(Command9, 60, 1665, 1515, 330);
}

void LineScorePanel::toggleCompleted(Side s, int index) const
{
    if (index < 0 || index >= static_cast<int>(InningBoxes))
        return;
    BoxScoreEdit* box = row(s)[static_cast<size_t>(index)];
    box->setCompleted(!box->completed());
}

}  // namespace board
