// The "Game Stats" tab: one saved game as a box score, opened by a click on
// its GameID in the line scores. The two team names come from the clicked
// game's own line-score rows and are matched whole, so a team named "Sox"
// never collects the players of "Red Sox" from the same game.
#include "stats_browser/form4.h"

#include "platform/grid.h"
#include "platform/guarded.h"
#include "stats_browser/query.h"

#include <QLineEdit>
#include <QTabWidget>

namespace {

// The area of the grid outside its cells in the button face colour; the
// cells keep their own white.
void buttonFaceAround(Grid& g)
{
    GridModel& m = g.model();
    const QColor cells = g.palette().color(QPalette::Base);
    QPalette p = g.viewport()->palette();
    p.setColor(QPalette::Base, g.palette().color(QPalette::Button));
    g.viewport()->setPalette(p);
    for (int c = 1; c < m.cols(); ++c)
        m.setColBackColor(c, cells);
}

constexpr int DataRowTwips = 200;

// A GameID matches without regard to case, as the file's other texts do.
// Every spelling of an id in any case of its ASCII letters lies between its
// capitals and its small letters in the index's binary order, so the range
// lets SQLite find the game's rows through the index on GameID and the
// caseless comparison then picks exactly those rows.
const QString OfGame = QStringLiteral("GameID BETWEEN ? AND ? AND GameID = ? COLLATE NOCASE");

QVariantList ofGame(const QString& gameId)
{
    QString capitals = gameId, small = gameId;
    for (qsizetype i = 0; i < gameId.size(); ++i) {
        const char16_t c = gameId.at(i).unicode();
        if (c >= u'a' && c <= u'z')
            capitals[i] = QChar(c - (u'a' - u'A'));
        else if (c >= u'A' && c <= u'Z')
            small[i] = QChar(c + (u'a' - u'A'));
    }
    return {capitals, small, gameId};
}

}  // namespace

void Form4::wireGameStats()
{
    connect(MSHFlexGrid1, &Grid::cellClicked, this,
            [this](int row, int col) { guarded([&] { MSHFlexGrid1_Click(row, col); }); });
}

void Form4::MSHFlexGrid1_Click(int row, int col)
{
    if (col != GameIdColumn || row < 1 || row >= MSHFlexGrid1->rows()) {
        Text9->clear();
        return;
    }
    Text9->setText(MSHFlexGrid1->textMatrix(row, col));
    GetBoxScore();
}

void Form4::GetBoxScore()
{
    const GridModel& lines = MSHFlexGrid1->model();
    if (lines.rows() < 2) {
        Text9->clear();
        return;
    }
    const QString gameId = Text9->text();

    // The game's two rows: wherever the current view put them.
    QVariant visitors, home;  // NULL, matching no row, when a row is missing
    if (lines.cols() > GameIdColumn) {
        const int hostColumn = GameIdColumn - 1;
        for (int r = 1; r < lines.rows() && !(visitors.isValid() && home.isValid()); ++r) {
            if (lines.textMatrix(r, GameIdColumn) != gameId)
                continue;
            const QString host = lines.textMatrix(r, hostColumn);
            if (host.compare(QLatin1String("a_VIS"), Qt::CaseInsensitive) == 0 && !visitors.isValid())
                visitors = lines.textMatrix(r, 1);
            else if (host.compare(QLatin1String("b_HOME"), Qt::CaseInsensitive) == 0 && !home.isValid())
                home = lines.textMatrix(r, 1);
        }
    }
    if (!visitors.isValid())
        visitors = QVariant(QMetaType::fromType<QString>());
    if (!home.isValid())
        home = QVariant(QMetaType::fromType<QString>());

    // One connection for the five queries, and one report should the file
    // fail them.
    browser::QueryRunner runner(browser::QueryRunner::Mode::SharedStep);

    // Each game's rows in the order they were saved.
    const QString ofTeam = OfGame + QStringLiteral(" AND Team = ? COLLATE NOCASE");
    browser::View batting;
    batting.parts = db::Parts{browser::selectFields(QStringLiteral("Batting")), QStringLiteral("Batting"), ofTeam};
    batting.header = browser::fieldsOf(QStringLiteral("Batting"));
    batting.widths = {{0, 30}, {1, 1600}};
    for (int c = 2; c <= 10; ++c)
        batting.widths.emplace_back(c, 350);
    batting.widths.insert(batting.widths.end(), {{10, 500}, {11, 0}, {12, 0}});
    batting.alignments = {{1, browser::LeftCentre}};
    for (int c = 2; c <= 12; ++c)
        batting.alignments.emplace_back(c, browser::CentreCentre);

    browser::View pitching;
    pitching.parts = db::Parts{browser::selectFields(QStringLiteral("Pitching")), QStringLiteral("Pitching"), ofTeam};
    pitching.header = browser::fieldsOf(QStringLiteral("Pitching"));
    pitching.widths = {{0, 30}, {1, 1600}, {2, 380}, {3, 380}, {4, 450}, {5, 450}, {6, 550}, {7, 450}, {8, 0}, {9, 0}};
    pitching.alignments = {{1, browser::LeftCentre}};
    for (int c = 2; c <= 9; ++c)
        pitching.alignments.emplace_back(c, browser::CentreCentre);

    const std::pair<Grid*, const browser::View*> statGrids[] = {
        {MSHFlexGrid6, &batting}, {MSHFlexGrid7, &pitching}, {MSHFlexGrid8, &batting}, {MSHFlexGrid11, &pitching}};
    const QVariant teams[] = {visitors, visitors, home, home};
    for (int i = 0; i < 4; ++i) {
        browser::View v = *statGrids[i].second;
        v.params = ofGame(gameId) << teams[i];
        runner.run(*statGrids[i].first, v);
        statGrids[i].first->setDataRowHeightTwips(DataRowTwips);
    }

    SSTab1->setCurrentIndex(6);

    browser::View line;
    // By Host (visitors first), as ORDER BY Host lists them.
    line.parts = db::Parts{browser::selectFields(QStringLiteral("BoxScores")), QStringLiteral("BoxScores"),
                           OfGame};
    line.sortAfter = {{QStringLiteral("Host"), false, true}};
    line.params = ofGame(gameId);
    line.header = browser::fieldsOf(QStringLiteral("BoxScores"));
    line.widths = {{0, 30}, {1, 800}};
    for (int c = 2; c <= 21; ++c)
        line.widths.emplace_back(c, 400);
    line.widths.insert(line.widths.end(), {{22, 550}, {23, 550}, {24, 550}, {25, 0}, {26, 1200}});
    line.centreAllData = false;
    for (int c = 2; c <= 24; ++c)
        line.alignments.emplace_back(c, browser::CentreCentre);
    runner.run(*MSHFlexGrid12, line);

    for (Grid* g : {MSHFlexGrid6, MSHFlexGrid7, MSHFlexGrid8, MSHFlexGrid11, MSHFlexGrid12})
        buttonFaceAround(*g);
    runner.report();
}
