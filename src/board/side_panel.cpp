#include "board/side_panel.h"

#include "board/panel_look.h"
#include "platform/look.h"
#include "platform/twips.h"
#include "presentation/picture_box.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace board {

void SidePanel::build(QWidget* boardArea, Side s)
{
    side = s;
    const bool vis = s == Side::Visitors;
    // The block fills the top band beside the pitcher's photo: the load
    // button and AT BAT, the lineup with UP and DN beside it, the pitcher
    // under the lineup, EDIT with its rename box at the bottom.
    const double x = vis ? 60 : 14970;
    load = new QPushButton(vis ? QStringLiteral("V") : QStringLiteral("H"), boardArea);
    load->setObjectName(vis ? QStringLiteral("Command6") : QStringLiteral("Command7"));
    load->setToolTip(vis ? QStringLiteral("LOAD Visitor team") : QStringLiteral("LOAD Home team"));
    twips::place(load, x, 60, 600, 300);
    atBat = new QRadioButton(QStringLiteral("AT BAT"), boardArea);
    atBat->setObjectName(vis ? QStringLiteral("Option5") : QStringLiteral("Option6"));
    look::setBackColoursByChoice(atBat, colours::IdleBoxColor, colours::White);
    twips::place(atBat, x + 660, 60, 1380, 300);
    lineup = new ListBox(boardArea);
    lineup->setObjectName(vis ? QStringLiteral("List1") : QStringLiteral("List2"));
    lineup->setStyleSheet(QStringLiteral("QListWidget { color: black; background-color: %1; }")
                              .arg(colourName(vis ? colours::White : colours::IdleBoxColor)));
    twips::place(lineup, x, 405, 3300, 2055);
    up = new QPushButton(QStringLiteral("UP"), boardArea);
    down = new QPushButton(QStringLiteral("DN"), boardArea);
    up->setObjectName(vis ? QStringLiteral("Command2") : QStringLiteral("Command8"));
    down->setObjectName(vis ? QStringLiteral("Command3") : QStringLiteral("Command4"));
    twips::place(up, x + 3360, 405, 600, 330);
    twips::place(down, x + 3360, 795, 600, 330);
    edit = new QCheckBox(QStringLiteral("EDIT"), boardArea);
    edit->setObjectName(vis ? QStringLiteral("Check1") : QStringLiteral("Check2"));
    paintColours(edit, colours::White, 0x00303030);
    twips::place(edit, x, 2865, 900, 300);
    editBox = new QLineEdit(boardArea);
    editBox->setObjectName(vis ? QStringLiteral("tb_List1edit") : QStringLiteral("tb_List2edit"));
    twips::place(editBox, x + 960, 2865, 2340, 300);
    editBox->hide();
    pitcher = new ClickLabel(boardArea);
    pitcher->setObjectName(vis ? QStringLiteral("lbl_VisPitcher") : QStringLiteral("lbl_HomePitcher"));
    pitcher->setToolTip(vis ? QStringLiteral("Visitor Pitcher") : QStringLiteral("Home Pitcher"));
    pitcher->setAlignment(Qt::AlignCenter);
    pitcher->setStyleSheet(QStringLiteral("color: white; background-color: #303030; border: 1px solid #a0a0a0;"));
    twips::place(pitcher, x, 2505, 3960, 330);
    pitcherPhoto = new PictureBox(boardArea);
    pitcherPhoto->setObjectName(vis ? QStringLiteral("img_VisPitch") : QStringLiteral("img_HomePitch"));
    twips::place(pitcherPhoto, vis ? 4080 : 13425, vis ? 270 : 300, 1425, 1995);
    // The logo under the pitcher's photo, between the block and the top frame.
    logo = new PictureBox(boardArea);
    logo->setObjectName(vis ? QStringLiteral("img_VisLogo") : QStringLiteral("img_HomeLogo"));
    logo->setToolTip(QStringLiteral("DblClick to add a logo"));
    twips::place(logo, vis ? 4080 : 13425, 2355, 1425, 825);
    for (QWidget* w : std::initializer_list<QWidget*>{load, atBat, edit, up, down})
        look::setFont(w, QStringLiteral("Arial"), 8.25, true);
    for (QWidget* w : std::initializer_list<QWidget*>{lineup, editBox})
        look::setFont(w, QStringLiteral("Arial"), 9.75);
    look::setFont(pitcher, QStringLiteral("Arial"), 9.75, true);
}

}  // namespace board
