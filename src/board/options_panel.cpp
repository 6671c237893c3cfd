#include "board/options_panel.h"

#include "common/colours.h"
#include "platform/events.h"
#include "platform/look.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr std::uint32_t PanelBack = 0x00C0C0C0;
constexpr std::uint32_t CaptionRed = 0x000000C0;

QCheckBox* optionBox(QWidget* panel, const char* name, const QString& caption, double left, double top,
                     double width = 2280)
{
    auto* box = new QCheckBox(caption, panel);
    box->setObjectName(QString::fromLatin1(name));
    // A switch that cannot be used yet reads greyed.
    box->setStyleSheet(QStringLiteral("QCheckBox { %1 } QCheckBox:disabled { color: #808080; }")
                           .arg(colours::style(0, PanelBack)));
    look::setFont(box, QStringLiteral("Arial"), 8.25, true);
    twips::place(box, left, top, width, 285);
    return box;
}

QLabel* caption(QWidget* panel, const char* name, const QString& text, std::uint32_t fore)
{
    auto* l = new QLabel(text, panel);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setStyleSheet(colours::style(fore, PanelBack));
    look::setFont(l, QStringLiteral("Arial"), 8.25, true);
    return l;
}

}  // namespace

namespace board {

void OptionsPanel::build(QWidget* field)
{
    fra_Options = new QFrame(field);
    fra_Options->setObjectName(QStringLiteral("fra_Options"));
    fra_Options->setFrameShape(QFrame::Box);
    fra_Options->setStyleSheet(QStringLiteral("QFrame#fra_Options { background-color: %1; border: 1px solid #606060; }")
                                   .arg(colours::fromBgr(PanelBack).name()));
    twips::place(fra_Options, 5220, 2250, 7890, 2580);

    auto* title = caption(fra_Options, "fra_OptionsCaption", QStringLiteral("OPTIONS"), CaptionRed);
    look::setFont(title, QStringLiteral("Arial Narrow"), 9);
    twips::place(title, 120, 30, 900, 240);
    Label9 = new ClickLabel(QStringLiteral("X"), fra_Options);
    Label9->setObjectName(QStringLiteral("Label9"));
    Label9->setAlignment(Qt::AlignCenter);
    Label9->setStyleSheet(colours::style(0, PanelBack));
    look::setFont(Label9, QStringLiteral("Arial"), 11.25, true);
    twips::place(Label9, 7585, 180, 240, 240);

    Label3 = caption(fra_Options, "Label3", QStringLiteral("MASTER # OF OUTS"), 0);
    twips::place(Label3, 180, 390, 1815, 255);
    tb_OutsCount = new QLineEdit(QStringLiteral("0"), fra_Options);
    tb_OutsCount->setObjectName(QStringLiteral("tb_OutsCount"));
    tb_OutsCount->setToolTip(QStringLiteral("Total outs made thus far"));
    look::setFont(tb_OutsCount, QStringLiteral("Arial"), 8.25, true);
    twips::place(tb_OutsCount, 2040, 360, 615, 315);

    Check4 = optionBox(fra_Options, "Check4", QStringLiteral("SHOW DICE ROLLER"), 180, 810);
    cb_MuteDice = optionBox(fra_Options, "cb_MuteDice", QStringLiteral("MUTE DICE"), 180, 1110);
    cb_Crowd = optionBox(fra_Options, "cb_Crowd", QStringLiteral("CROWD NOISE"), 180, 1410);
    // The longer captions of the second column take the room up to PHOTO SIZE,
    // so they still show whole on a board shrunk for a laptop's screen.
    cb_BaseTracker = optionBox(fra_Options, "cb_BaseTracker", QStringLiteral("SHOW BASE TRACKER"), 2520, 810, 2460);
    chk_Ctrls = optionBox(fra_Options, "chk_Ctrls", QStringLiteral("HIDE CONTROLS"), 2520, 1110, 2460);
    cb_RandParks = optionBox(fra_Options, "cb_RandParks", QStringLiteral("RANDOM BALLPARKS"), 2520, 1410, 2460);
    // Usable once a ballpark picture has been picked.
    cb_RandParks->setEnabled(false);

    Label6 = caption(fra_Options, "Label6", QStringLiteral("PHOTO SIZE"), 0);
    Label6->setAlignment(Qt::AlignCenter);
    twips::place(Label6, 5040, 390, 1200, 255);
    cmd_FotoSmall = new QPushButton(QStringLiteral("SM"), fra_Options);
    cmd_FotoSmall->setObjectName(QStringLiteral("cmd_FotoSmall"));
    cmd_FotoBig = new QPushButton(QStringLiteral("BIG"), fra_Options);
    cmd_FotoBig->setObjectName(QStringLiteral("cmd_FotoBig"));
    for (QWidget* b : {static_cast<QWidget*>(cmd_FotoSmall), static_cast<QWidget*>(cmd_FotoBig)})
        look::setFont(b, QStringLiteral("Arial"), 8.25, true);
    twips::place(cmd_FotoSmall, 5040, 690, 570, 345);
    twips::place(cmd_FotoBig, 5670, 690, 570, 345);

    Image7 = new ClickLabel(QStringLiteral("DONATE"), fra_Options);
    Image7->setObjectName(QStringLiteral("Image7"));
    Image7->setAlignment(Qt::AlignCenter);
    Image7->setStyleSheet(QStringLiteral("color: #1a2b4c; background-color: #f2c14e; border: 2px solid #1a2b4c; "
                                         "border-radius: 6px;"));
    look::setFont(Image7, QStringLiteral("Arial"), 9, true);
    twips::place(Image7, 6420, 660, 1260, 780);

    Label8 = caption(fra_Options, "Label8", QStringLiteral("Label8"), 0);
    twips::place(Label8, 180, 1800, 3000, 255);
    Label11 = caption(fra_Options, "Label11", QStringLiteral("CTRL + Click to Edit path ..... DblClick to Save path"),
                      CaptionRed);
    look::setFont(Label11, QStringLiteral("Arial"), 8.25);
    twips::place(Label11, 3240, 1800, 4410, 255);
    lbl_PhotoPath = new ClickLabel(QStringLiteral("Player photo folder path"), fra_Options);
    lbl_PhotoPath->setObjectName(QStringLiteral("lbl_PhotoPath"));
    lbl_PhotoPath->setTextFormat(Qt::PlainText);
    lbl_PhotoPath->setStyleSheet(colours::style(0x00FF0000, colours::LightGrey));
    lbl_PhotoPath->setToolTip(QStringLiteral("Ctrl + Click to EDIT"));
    look::setFont(lbl_PhotoPath, QStringLiteral("Calibri"), 9);
    twips::place(lbl_PhotoPath, 180, 2070, 7470, 255);
    tb_PhotoPath = new QLineEdit(fra_Options);
    tb_PhotoPath->setObjectName(QStringLiteral("tb_PhotoPath"));
    tb_PhotoPath->setToolTip(QStringLiteral("Double-Click to SAVE"));
    look::setFont(tb_PhotoPath, QStringLiteral("Calibri"), 8.25);
    twips::place(tb_PhotoPath, 180, 2070, 7470, 285);
    tb_PhotoPath->hide();

    // The captions that act like links show the hand.
    for (QWidget* w : {static_cast<QWidget*>(Label3), static_cast<QWidget*>(Label9), static_cast<QWidget*>(Label11),
                       static_cast<QWidget*>(Image7)})
        w->setCursor(Qt::PointingHandCursor);

    fra_Options->hide();
}

}  // namespace board
