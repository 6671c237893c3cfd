// "SAVE TO DB": puts the finished game on the sheet into the statistics
// database.
//
// The save works on a copy of the sheet. It lists each current pitcher on
// the copy, checks every cell it will store, credits the current pitchers'
// innings and marks unrecorded innings there, stores every row of the game
// in one transaction, and only then writes the pitchers and innings onto the
// sheet and clears the pitchers' photos on the board. A refusal or a failure
// therefore leaves the sheet, the board and the database as they were, and
// the button enabled for another try; after a stored game the button stays
// disabled, so a run saves its game once.
#include "platform/database.h"
#include "platform/grid.h"
#include "platform/guarded.h"
#include "platform/interaction.h"
#include "stats_sheet/form2.h"
#include "stats_sheet/innings.h"
#include "stats_sheet/record_writers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace {

using records::TeamLines;
namespace col = records::col;

QMessageBox::StandardButton tell(const QString& text, QMessageBox::StandardButtons buttons, QMessageBox::Icon icon)
{
    return platform::interaction().msgBox(text, buttons, platform::applicationTitle(), icon);
}

TeamLines linesOf(const Grid* grid)
{
    TeamLines lines;
    lines.cells.resize(size_t(grid->rows()));
    for (int row = 0; row < grid->rows(); ++row) {
        QStringList& cells = lines.cells[size_t(row)];
        cells.reserve(col::Count);
        for (int c = 0; c < col::Count; ++c)
            cells << (c < grid->cols() ? grid->textMatrix(row, c) : QString());
    }
    return lines;
}

QStringList boxRowOf(const Grid* grid, int row)
{
    QStringList cells;
    for (int c = 0; c < records::box::Count; ++c)
        cells << (c < grid->cols() ? grid->textMatrix(row, c) : QString());
    return cells;
}

// The current pitcher gets a pitching line as a pitching change gives one:
// his own row when he is listed, otherwise the first free row. A side
// without a current pitcher gets nothing.
void listCurrentPitcher(TeamLines& lines, const QString& pitcher)
{
    if (pitcher.isEmpty())
        return;
    for (int row = 1; row < lines.rows(); ++row) {
        QString& name = lines.at(row, col::Pitcher);
        if (name == pitcher)
            return;
        if (name.isEmpty()) {
            name = pitcher;
            return;
        }
    }
}

// The current pitcher is credited as a pitching change credits the pitcher
// it replaces: the side's innings less what the side's other rows hold,
// whatever his own row holds from an earlier stint (a pitcher who came back,
// a starter picked twice). Only a figure the user typed into his row since
// the board last credited it stands as typed.
void creditCurrentPitcher(TeamLines& lines, const QString& pitcher, double outs,
                          const std::function<bool(int row)>& typed)
{
    if (pitcher.isEmpty())
        return;
    int own = -1;
    for (int row = 1; row < lines.rows() && own < 0; ++row)
        if (lines.at(row, col::Pitcher) == pitcher)
            own = row;
    if (own < 0 || (typed(own) && !lines.at(own, col::IP).trimmed().isEmpty()))
        return;
    QStringList others;
    for (int row = 1; row < lines.rows(); ++row)
        if (row != own)
            others << lines.at(row, col::IP);
    // firstBadCell has refused every cell this could fail on; only outs
    // beyond any game can still end the save here, before anything is stored.
    lines.at(own, col::IP) = innings::text(innings::creditLeft(outs, others));
}

// The pitchers' names and innings the save settled, onto the sheet.
void showPitching(Grid* grid, const TeamLines& lines)
{
    for (int row = 1; row < lines.rows() && row < grid->rows(); ++row)
        for (int c : {col::Pitcher, col::IP})
            if (grid->textMatrix(row, c) != lines.at(row, c))
                grid->setTextMatrix(row, c, lines.at(row, c));
}

}  // namespace

void Form2::wireSaving()
{
    connect(Command2, &QPushButton::clicked, this, [this] { guarded([this] { Command2_Click(); }); });
}

void Form2::Command2_Click()
{
    if (grd_BoxScore->textMatrix(2, records::box::Team) == QLatin1String("Team")
        && grd_BoxScore->textMatrix(1, records::box::Team) == QLatin1String("Team")
        && grd_VisStats->textMatrix(1, col::Batter).isEmpty()) {
        tell(QStringLiteral("Missing required game data. Unable to save."), QMessageBox::Ok, QMessageBox::Critical);
        return;
    }
    if (tell(QStringLiteral("WARNING: Record data only when a game is over. Is your game over?"),
             QMessageBox::Yes | QMessageBox::No, QMessageBox::NoIcon)
        != QMessageBox::Yes)
        return;

    SheetBoard* b = board();
    if (!b)
        errors::raise(errors::InvalidCall);
    if (b->selectedLineupEntry(board::Side::Visitors).isEmpty()
        || b->selectedLineupEntry(board::Side::Home).isEmpty()) {
        tell(QStringLiteral("Select a player in both lineups before saving."), QMessageBox::Ok,
             QMessageBox::Warning);
        return;
    }

    records::GameRecord game;
    game.visitors = linesOf(grd_VisStats);
    game.home = linesOf(grd_HomeStats);
    game.boxRows = {boxRowOf(grd_BoxScore, 1), boxRowOf(grd_BoxScore, 2)};
    game.visitorsRuns = b->lineScoreRuns(board::Side::Visitors);
    game.homeRuns = b->lineScoreRuns(board::Side::Home);

    const QString visPitcher = b->currentPitcher(board::Side::Visitors);
    const QString homePitcher = b->currentPitcher(board::Side::Home);
    listCurrentPitcher(game.visitors, visPitcher);
    listCurrentPitcher(game.home, homePitcher);
    if (const auto bad = records::firstBadCell(game)) {
        tell(*bad, QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    creditCurrentPitcher(game.home, homePitcher, b->outsInTheField(board::Side::Home),
                         [this](int row) { return inningsTyped(grd_HomeStats, row); });
    creditCurrentPitcher(game.visitors, visPitcher, b->outsInTheField(board::Side::Visitors),
                         [this](int row) { return inningsTyped(grd_VisStats, row); });
    records::markUnrecordedInnings(game.home);
    records::markUnrecordedInnings(game.visitors);
    game.savedAt = QDateTime::currentDateTime();

    Command2->setEnabled(false);
    try {
        db::Connection conn;
        records::recordGame(conn, game);
    } catch (...) {
        // Nothing was stored: the user may put the fault right and save again.
        Command2->setEnabled(true);
        throw;
    }

    gameSaved_ = true;
    b->pitcherSaved(board::Side::Visitors, visPitcher);
    b->pitcherSaved(board::Side::Home, homePitcher);
    showPitching(grd_VisStats, game.visitors);
    showPitching(grd_HomeStats, game.home);
    tb_TimeStamp2->setText(game.gameId);
    tell(QStringLiteral("Data successfully recorded"), QMessageBox::Ok, QMessageBox::Information);
}
