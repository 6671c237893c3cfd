// Teams on the board: loading a team file into a side, the team logos, the
// side at bat and the batter pick that puts the batter on a runner piece.
// The handlers of lineup editing and of pitching changes live in their own
// files; all of them are connected here.
#include "board/form1.h"
#include "board/game_rules.h"
#include "board/team_file.h"
#include "common/colours.h"
#include "common/numbers.h"
#include "common/program_folder.h"
#include "platform/grid.h"
#include "platform/guarded.h"
#include "platform/interaction.h"
#include "platform/look.h"
#include "presentation/logos.h"
#include "presentation/photos.h"
#include "stats_sheet/form2.h"
#include "stats_sheet/sheet_columns.h"

#include <QFileInfo>

namespace {

namespace col = sheet::col;
constexpr int BattingOrder = 9;

Form2& sheetOf(const Form1& board)
{
    Form2* sheet = board.statsSheet();
    if (!sheet)
        errors::raise(errors::InvalidCall);
    return *sheet;
}

// Whether a side's sheet rows hold anything a play or the user recorded.
bool sideHasRecords(const Grid* grid)
{
    for (int row = 1; row <= teamfile::MaxPlayers && row < grid->rows(); ++row)
        for (int c = col::FirstBatCount; c <= col::IP; ++c)
            if (!grid->textMatrix(row, c).isEmpty())
                return true;
    return false;
}

// Empties a side's sheet rows and takes its current pitcher off.
void clearSideRecords(const SideControls& own)
{
    Grid* grid = own.stats;
    for (int row = 1; row <= teamfile::MaxPlayers && row < grid->rows(); ++row)
        for (int c = col::Batter; c <= col::PlayedFlag; ++c)
            if (!grid->textMatrix(row, c).isEmpty())
                grid->setTextMatrix(row, c, QString());
    // The old pitcher would otherwise be charged, and credited at the next
    // change, on a sheet that no longer lists him.
    own.pitcher->setText(QString());
    own.pitcher->hiddenText.clear();
    own.pitcherPhoto->clearPicture();
}

}  // namespace

void Form1::wireTeams()
{
    auto on = [this](auto* sender, auto signal, auto handler) {
        connect(sender, signal, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    };
    on(Command6, &QPushButton::clicked, &Form1::Command6_Click);
    on(Command7, &QPushButton::clicked, &Form1::Command7_Click);
    on(img_VisLogo, &ClickLabel::DblClick, &Form1::img_VisLogo_DblClick);
    on(img_HomeLogo, &ClickLabel::DblClick, &Form1::img_HomeLogo_DblClick);
    on(List1, &ListBox::Click, &Form1::List1_Click);
    on(List2, &ListBox::Click, &Form1::List2_Click);
    on(List1, &ListBox::DblClick, &Form1::List1_DblClick);
    on(List2, &ListBox::DblClick, &Form1::List2_DblClick);
    on(lbl_VisPitcher, &ClickLabel::DblClick, &Form1::lbl_VisPitcher_DblClick);
    on(lbl_HomePitcher, &ClickLabel::DblClick, &Form1::lbl_HomePitcher_DblClick);
    on(Command2, &QPushButton::clicked, &Form1::Command2_Click);
    on(Command3, &QPushButton::clicked, &Form1::Command3_Click);
    on(Command8, &QPushButton::clicked, &Form1::Command8_Click);
    on(Command4, &QPushButton::clicked, &Form1::Command4_Click);

    events::onSet(Option5, [this] { guarded([this] { Option5_Click(); }); });
    events::onSet(Option6, [this] { guarded([this] { Option6_Click(); }); });
    events::onSet(Option1, [this] { guarded([this] { Option1_Click(); }); });
    events::onSet(Option2, [this] { guarded([this] { Option2_Click(); }); });
    events::onSet(Option3, [this] { guarded([this] { Option3_Click(); }); });
    events::onToggle(Check1, [this] { guarded([this] { Check1_Click(); }); });
    events::onToggle(Check2, [this] { guarded([this] { Check2_Click(); }); });

    using MouseHandler = void (Form1::*)(int, int, double, double);
    auto onMouse = [this](ListBox* list, void (ListBox::*signal)(int, int, double, double), MouseHandler handler) {
        connect(list, signal, this, [this, handler](int button, int shift, double x, double y) {
            guarded([&] { (this->*handler)(button, shift, x, y); });
        });
    };
    onMouse(List1, &ListBox::MouseMove, &Form1::List1_MouseMove);
    onMouse(List2, &ListBox::MouseMove, &Form1::List2_MouseMove);
    onMouse(List1, &ListBox::MouseDown, &Form1::List1_MouseDown);
    onMouse(List2, &ListBox::MouseDown, &Form1::List2_MouseDown);
    onMouse(List1, &ListBox::MouseUp, &Form1::List1_MouseUp);
    onMouse(List2, &ListBox::MouseUp, &Form1::List2_MouseUp);
}

// ---------------------------------------------------------------- team files

void Form1::Command6_Click()
{
    openTeam(true);
}

void Form1::Command7_Click()
{
    openTeam(false);
}

void Form1::openTeam(bool visitors)
{
    if (GameAlreadySaved())
        return;
    const QString path = platform::interaction().openFileName(
        QString(), folder::resolve(QStringLiteral("Teams")), QStringLiteral("Text (*.txt);;Csv (*.csv*)"));
    // A cancelled pick leaves the side exactly as it was.
    if (path.isEmpty())
        return;
    teamFilePath_[visitors ? 0 : 1] = path;
    if (visitors)
        Visitor_Open();
    else
        Home_Open();
}

void Form1::Visitor_Open()
{
    loadTeam(true);
}

void Form1::Home_Open()
{
    loadTeam(false);
}

void Form1::loadTeam(bool visitors)
{
    // The whole file is read and checked before anything of the side changes.
    const teamfile::TeamFile team = teamfile::read(teamFilePath_[visitors ? 0 : 1]);
    if (!team.refusal.isEmpty()) {
        platform::interaction().msgBox(team.refusal, QMessageBox::Ok, platform::applicationTitle(),
                                       QMessageBox::Warning);
        return;
    }
    Form2& sheet = sheetOf(*this);
    const SideControls own = side(visitors);
    ListBox* list = own.lineup;
    QLineEdit* nameBox = own.teamName;
    Grid* grid = own.stats;
    QLabel* sheetLabel = own.sheetTeam;

    // The new names would take over the old players' counts and pitching
    // lines, and a save would store them under the new team's name.
    if (sideHasRecords(grid)) {
        const QString side = visitors ? QStringLiteral("visitors'") : QStringLiteral("home team's");
        const QString question = QStringLiteral("The %1 statistics recorded in this game will be cleared:\n"
                                                "batting, pitching and innings pitched.\n\n"
                                                "Load \"%2\" in their place?")
                                     .arg(side, team.teamName);
        if (platform::interaction().msgBox(question, QMessageBox::Yes | QMessageBox::No,
                                           platform::applicationTitle(), QMessageBox::Question, QMessageBox::No)
            != QMessageBox::Yes)
            return;
        clearSideRecords(own);
    }

    list->clear();
    list->setToolTip(QString());
    side(visitors).logo->clearPicture();
    list->addItems(team.entries);
    nameBox->setText(team.teamName);

    const int n = static_cast<int>(team.entries.size());
    for (int row = 1; row <= teamfile::MaxPlayers; ++row) {
        if (row <= n) {
            grid->setTextMatrix(row, col::Batter, game::entryName(team.entries.at(row - 1)));
            continue;
        }
        // A row the new team does not fill must not carry an earlier
        // player's line into a save under this team's name.
        grid->setTextMatrix(row, col::Batter, QString());
        for (int c = col::FirstBatCount; c <= col::LastBatCount; ++c)
            grid->setTextMatrix(row, c, QString());
        grid->setTextMatrix(row, col::PlayedFlag, QString());
    }
    // A nameless entry ("=...") is nobody to save a batting line for.
    for (int row = 1; row <= std::min(BattingOrder, n); ++row)
        if (!grid->textMatrix(row, col::Batter).isEmpty())
            grid->setTextMatrix(row, col::PlayedFlag, QStringLiteral("1"));

    sheetLabel->setText(nameBox->text());
    sheet.grd_BoxScore->setTextMatrix(visitors ? 1 : 2, 0, sheetLabel->text());
    if (visitors)
        Vis_Logo();
    else
        Home_Logo();
}

// ---------------------------------------------------------------- logos

void Form1::Vis_Logo()
{
    logos::showTeamLogo(*img_VisLogo, *sheetOf(*this).Picture3, tb_VisTeam->text(), true);
}

void Form1::Home_Logo()
{
    logos::showTeamLogo(*img_HomeLogo, *sheetOf(*this).Picture4, tb_HomeTeam->text(), false);
}

void Form1::img_VisLogo_DblClick()
{
    pickLogo(true);
}

void Form1::img_HomeLogo_DblClick()
{
    pickLogo(false);
}

void Form1::pickLogo(bool visitors)
{
    const QString path = platform::interaction().openFileName(
        QStringLiteral("Open Image"), folder::resolve(QStringLiteral("logos")),
        QStringLiteral("Graphic Files (*.bmp *.jpg)"));
    if (path.isEmpty())
        return;
    // Read once: a file that is no picture changes neither logo.
    const QPixmap logo = photos::loadPicture(path);
    if (logo.isNull())
        errors::raise(QFileInfo(path).isFile() ? errors::InvalidPicture : errors::FileNotFound);
    const SideControls own = side(visitors);
    if (!own.sheetLogo)
        errors::raise(errors::InvalidCall);
    own.logo->setPicture(logo);
    own.sheetLogo->setPicture(logo);
}

// ---------------------------------------------------------------- the side at bat

void Form1::Option5_Click()
{
    colourBattingSide(true);
}

void Form1::Option6_Click()
{
    colourBattingSide(false);
}

void Form1::colourBattingSide(bool visitors)
{
    const unsigned bat = colours::White, field = colours::IdleBoxColor;
    if (visitors) {
        look::setBackColour(tb_VisTeam, bat);
        look::setBackColour(tb_HomeTeam, field);
        look::setBackColour(List2, field);
        look::setBackColour(List1, bat);
    } else {
        look::setBackColour(tb_HomeTeam, bat);
        look::setBackColour(tb_VisTeam, field);
        look::setBackColour(List2, bat);
        look::setBackColour(List1, field);
    }
}

void Form1::Option1_Click()
{
    look::setBackColour(Option2, colours::IdleBoxColor);
    look::setBackColour(Option3, colours::IdleBoxColor);
}

void Form1::Option2_Click()
{
    look::setBackColour(Option2, colours::CompletedHalfColor);
    look::setBackColour(Option3, colours::IdleBoxColor);
    AssignAtBat();
}

void Form1::Option3_Click()
{
    look::setBackColour(Option3, colours::CompletedHalfColor);
    look::setBackColour(Option2, colours::IdleBoxColor);
    AssignAtBat();
}

// ---------------------------------------------------------------- the batter pick

void Form1::List1_Click()
{
    pickBatter(true);
}

void Form1::List2_Click()
{
    pickBatter(false);
}

void Form1::pickBatter(bool visitors)
{
    ListBox* list = side(visitors).lineup;
    if (side(visitors).edit->isChecked())
        return;
    if (!side(visitors).atBat->isChecked())
        return;
    if (num::Val(tb_ListBoxStatus->text()) > 0)
        return;
    if (list->count() == 0)
        return;
    const int row = list->listIndex();
    if (row < 0 || row >= BattingOrder)
        return;

    const QString name = game::entryName(list->itemText(row));
    lbl_Selected->setText(name);
    side(visitors).batterIndex->setText(QString::number(row));
    tb_LBselected->setText(QString());
    placeBatterPiece(name);
}

void Form1::placeBatterPiece(const QString& name)
{
    // A nameless entry is no batter: no piece shows an empty name band.
    if (name.isEmpty())
        return;
    // Read before any piece changes; a missing or unreadable photo shows the
    // name instead.
    const QPixmap photo = photos::loadPicture(photos::PlayerPhotoFile(lbl_PhotoPath->text(), name));
    for (size_t i = 0; i < pb_Player.size(); ++i) {
        PictureBox* piece = pb_Player[i];
        ClickLabel* caption = lbl_Player[i];
        if (piece->hasPicture() || !caption->text().isEmpty())
            continue;
        PictureBox* token = Image[i];
        if (!photo.isNull()) {
            token->setPicture(photo);
            piece->setPicture(photo);
            piece->resize(token->size());
            piece->hiddenText = name;
            ZoomPicture(*piece, 1.0);
        } else {
            // The token would otherwise keep an earlier batter's photo.
            token->clearPicture();
            caption->setText(lbl_Selected->text());
            piece->hiddenText = lbl_Selected->text();
            caption->show();
        }
        return;
    }
}
