// Teams on the board: loading a team file into a side, the team logos, the
// side at bat and the batter pick that puts the batter on a runner piece.
// The handlers of lineup editing and of pitching changes live in their own
// files; all of them are connected here.
#include "board/form1.h"
#include "board/runners.h"
#include "board/side_panel.h"
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

using board::Side;

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

board::SidePanel& panelOf(Form1& f, Side s)
{
    return s == Side::Visitors ? f.visitorsSide : f.homeSide;
}

}  // namespace

void board::wireTeams(Form1& f)
{
    for (Side s : {Side::Visitors, Side::Home}) {
        SidePanel& own = panelOf(f, s);
        auto on = [&f](auto* sender, auto signal, auto handler) {
            QObject::connect(sender, signal, &f, [handler] { guarded(handler); });
        };
        on(own.load, &QPushButton::clicked, [&f, s] { f.openTeam(s); });
        on(own.logo, &ClickLabel::DblClick, [&f, s] { f.pickLogo(s); });
        on(own.lineup, &ListBox::Click, [&f, s] { f.pickBatter(s); });
        on(own.lineup, &ListBox::DblClick, [&own] { own.renameEntry(); });
        on(own.pitcher, &ClickLabel::DblClick, [&f, s] { f.changePitcher(s); });
        on(own.up, &QPushButton::clicked, [&own] { own.moveEntry(-1); });
        on(own.down, &QPushButton::clicked, [&own] { own.moveEntry(1); });
        events::onSet(own.atBat, [&f, s] { guarded([&f, s] { f.colourBattingSide(s); }); });
        events::onToggle(own.edit, [&own] { guarded([&own] { own.editToggled(); }); });

        auto onMouse = [&f](ListBox* list, void (ListBox::*signal)(int, int, double, double), auto handler) {
            QObject::connect(list, signal, &f, [handler](int button, int shift, double x, double y) {
                guarded([&] { handler(button, shift, x, y); });
            });
        };
        onMouse(own.lineup, &ListBox::MouseMove,
                [&own](int button, int, double x, double y) { own.showEntryTooltip(button, x, y); });
        onMouse(own.lineup, &ListBox::MouseDown, [&own](int, int, double, double) { own.lineupPressed(); });
        onMouse(own.lineup, &ListBox::MouseUp, [&f, &own](int button, int shift, double x, double y) {
            own.lineupReleased(button, shift, x, y, f.tb_ListBoxStatus);
        });
    }
    events::onSet(f.Option1, [&f] { guarded([&f] { f.Option1_Click(); }); });
    events::onSet(f.Option2, [&f] { guarded([&f] { f.Option2_Click(); }); });
    events::onSet(f.Option3, [&f] { guarded([&f] { f.Option3_Click(); }); });
}

// ---------------------------------------------------------------- team files

void Form1::openTeam(Side s)
{
    if (GameAlreadySaved())
        return;
    const QString path = platform::interaction().openFileName(
        QString(), folder::resolve(QStringLiteral("Teams")), QStringLiteral("Text (*.txt);;Csv (*.csv*)"));
    // A cancelled pick leaves the side exactly as it was.
    if (path.isEmpty())
        return;
    panelOf(*this, s).teamFile = path;
    loadTeam(s);
}

void Form1::loadTeam(Side s)
{
    // The whole file is read and checked before anything of the side changes.
    const teamfile::TeamFile team = teamfile::read(panelOf(*this, s).teamFile);
    if (!team.refusal.isEmpty()) {
        platform::interaction().msgBox(team.refusal, QMessageBox::Ok, platform::applicationTitle(),
                                       QMessageBox::Warning);
        return;
    }
    Form2& sheet = sheetOf(*this);
    const SideControls own = side(s);
    ListBox* list = own.lineup;
    QLineEdit* nameBox = own.teamName;
    Grid* grid = own.stats;
    QLabel* sheetLabel = own.sheetTeam;

    // The new names would take over the old players' counts and pitching
    // lines, and a save would store them under the new team's name.
    if (sideHasRecords(grid)) {
        const QString whose = s == Side::Visitors ? QStringLiteral("visitors'") : QStringLiteral("home team's");
        const QString question = QStringLiteral("The %1 statistics recorded in this game will be cleared:\n"
                                                "batting, pitching and innings pitched.\n\n"
                                                "Load \"%2\" in their place?")
                                     .arg(whose, team.teamName);
        if (platform::interaction().msgBox(question, QMessageBox::Yes | QMessageBox::No,
                                           platform::applicationTitle(), QMessageBox::Question, QMessageBox::No)
            != QMessageBox::Yes)
            return;
        clearSideRecords(own);
    }

    list->clear();
    list->setToolTip(QString());
    own.logo->clearPicture();
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
    sheet.grd_BoxScore->setTextMatrix(s == Side::Visitors ? 1 : 2, 0, sheetLabel->text());
    showTeamLogo(s);
}

// ---------------------------------------------------------------- logos

void Form1::showTeamLogo(Side s)
{
    const SideControls own = side(s);
    PictureBox* sheetLogo = s == Side::Visitors ? sheetOf(*this).Picture3 : sheetOf(*this).Picture4;
    logos::showTeamLogo(*own.logo, *sheetLogo, own.teamName->text(), s);
}

void Form1::pickLogo(Side s)
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
    const SideControls own = side(s);
    if (!own.sheetLogo)
        errors::raise(errors::InvalidCall);
    own.logo->setPicture(logo);
    own.sheetLogo->setPicture(logo);
}

// ---------------------------------------------------------------- the side at bat

void Form1::colourBattingSide(Side s)
{
    const SideControls bat = side(s);
    const SideControls field = side(board::otherSide(s));
    look::setBackColour(bat.teamName, colours::White);
    look::setBackColour(field.teamName, colours::IdleBoxColor);
    look::setBackColour(bat.lineup, colours::White);
    look::setBackColour(field.lineup, colours::IdleBoxColor);
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

void Form1::pickBatter(Side s)
{
    const SideControls own = side(s);
    ListBox* list = own.lineup;
    if (own.edit->isChecked())
        return;
    if (!own.atBat->isChecked())
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
    own.batterIndex->setText(QString::number(row));
    tb_LBselected->setText(QString());
    pieces.placeBatter(name, lbl_PhotoPath->text());
}
