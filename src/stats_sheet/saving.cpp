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

// The current pitcher receives the side's innings less what the side's other
// innings cells hold, in every row of his that has no innings yet; a
// pitcher who already holds innings (a returning pitcher, a typed value)
// keeps them.
void creditCurrentPitcher(TeamLines& lines, const QString& pitcher, double outs)
{
    if (pitcher.isEmpty())
        return;
    QStringList held;
    for (int row = 1; row < lines.rows(); ++row)
        held << lines.at(row, col::IP);
    // firstBadCell has refused every cell this could fail on; only outs
    // beyond any game can still end the save here, before anything is stored.
    const QString credit = innings::text(innings::creditLeft(outs, held));
    for (int row = 1; row < lines.rows(); ++row) {
        QString& ip = lines.at(row, col::IP);
        if (lines.at(row, col::Pitcher) == pitcher && ip.trimmed().isEmpty())
            ip = credit;
    }
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
    if (b->selectedLineupEntry(true).isEmpty() || b->selectedLineupEntry(false).isEmpty()) {
        tell(QStringLiteral("Select a player in both lineups before saving."), QMessageBox::Ok,
             QMessageBox::Warning);
        return;
    }

    records::GameRecord game;
    game.visitors = linesOf(grd_VisStats);
    game.home = linesOf(grd_HomeStats);
    game.boxRows = {boxRowOf(grd_BoxScore, 1), boxRowOf(grd_BoxScore, 2)};
    game.visitorsRuns = b->lineScoreRuns(true);
    game.homeRuns = b->lineScoreRuns(false);

    const QString visPitcher = b->currentPitcher(true);
    const QString homePitcher = b->currentPitcher(false);
    listCurrentPitcher(game.visitors, visPitcher);
    listCurrentPitcher(game.home, homePitcher);
    if (const auto bad = records::firstBadCell(game)) {
        tell(*bad, QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    creditCurrentPitcher(game.home, homePitcher, b->outsInTheField(false));
    creditCurrentPitcher(game.visitors, visPitcher, b->outsInTheField(true));
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

    b->pitcherSaved(true, visPitcher);
    b->pitcherSaved(false, homePitcher);
    showPitching(grd_VisStats, game.visitors);
    showPitching(grd_HomeStats, game.home);
    tb_TimeStamp2->setText(game.gameId);
    tell(QStringLiteral("Data successfully recorded"), QMessageBox::Ok, QMessageBox::Information);
}
