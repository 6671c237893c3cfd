#pragma once
// Two saved games between "Red Sox" and "Sox" (one team's name inside the
// other's) with figures worked out by hand in the tests, plus standings and
// matchup rows whose names hold LIKE wildcards and markup.
#include "browser_fixture.h"

#include <QTest>

namespace analysis {

inline const QString G1 = QStringLiteral("010126120000");  // Red Sox at Sox
inline const QString G2 = QStringLiteral("020126120000");  // Sox at Red Sox
inline const QString RedSox = QStringLiteral("Red Sox");
inline const QString Sox = QStringLiteral("Sox");

inline void saveFixture()
{
    using namespace browser_test;
    const QVariant n;  // NULL
    db::Connection c;
    c.transaction([&] {
        // Counts: K, BB, 1B, 2B, 3B, HR, SB, RBI, AB.
        addBatting(c, "Smith", RedSox, G1, {2, 1, 1, n, n, 1, n, n, 4});
        addBatting(c, "Smith", Sox, G1, {n, n, 2, 1, 1, n, n, n, 3});
        addBatting(c, "Al Zero", Sox, G1, {1, n, n, n, n, n, n, n, 0});
        addBatting(c, "smalls", RedSox, G2, {1, n, 1, n, n, n, n, n, 3});
        addBatting(c, "Smith", RedSox, G2, {n, n, n, n, n, 2, 1, 3, 6});
        addBatting(c, "No AB", Sox, G2, {n, 1});
        addBatting(c, "", Sox, G2, {n, n, n, n, n, n, n, n, 1});

        // Counts: K, BB, Hits, HR, Runs.
        addPitching(c, "Ace", RedSox, G1, 6.0, {5, 2, 4, 1, 2});
        addPitching(c, "Zed", Sox, G1, 0.0001, {1});
        addPitching(c, "Ace", RedSox, G2, 2.67, {4, 0, 2, 0, 1});
        addPitching(c, "Mop", Sox, G2, 6.0, {n, 2, 4, n, 2});
        addPitching(c, "Rel", Sox, G2, 1.0, {0, n, n, n, 2});
        addPitching(c, "Nil", Sox, G2, 0.0, {2, 1});

        addLineScore(c, RedSox, true, G1, {0, 1, 0, 0, 0, 0, 0, 0, 0}, 5, 1);
        addLineScore(c, Sox, false, G1, {0, 0, 2, 0, 0, 0, 0, 0}, 6, 0);
        addLineScore(c, Sox, true, G2, {1, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 7, 0);
        addLineScore(c, RedSox, false, G2, {0, 0, 0, 0, 0, 0, 0, 0, 1, 0}, 4, 2);

        auto winLoss = [&](const QString& team, const QVariant& win, const QVariant& loss) {
            std::vector<std::pair<QString, QVariant>> row{{"Team", team}};
            if (win.isValid())
                row.emplace_back("Win", win);
            if (loss.isValid())
                row.emplace_back("Loss", loss);
            c.insert("WinLoss", row);
        };
        winLoss(Sox, 1, n);
        winLoss(RedSox, n, 1);
        winLoss(Sox, 1, n);
        winLoss(RedSox, n, 1);
        winLoss("SOX", 0, n);
        winLoss("A_B", 1, n);
        winLoss("AxB", 1, 1);
        winLoss("Zero Wins", 0, 1);
        winLoss("<b>Bee</b>", n, 1);
        for (const char* key : {"Red Sox  vs  Sox", "Sox  vs  Red Sox", "A_B  vs  AxB", "A_B  vs  AxB", "AxB  vs  AxB"})
            c.insert("Matchups", {{"Matchup", QString::fromLatin1(key)}, {"Tally", 1}});
    });
}

inline int rowCount(const QString& table)
{
    db::Connection c;
    return c.select(QStringLiteral("SELECT COUNT(*) FROM ") + table).rows.front().front().toInt();
}

inline std::vector<int> tableCounts()
{
    std::vector<int> out;
    for (const char* t : {"Batting", "Pitching", "BoxScores", "WinLoss", "Matchups"})
        out.push_back(rowCount(QString::fromLatin1(t)));
    return out;
}

}  // namespace analysis

class AnalysisTest : public BrowserTest {
protected:
    void SetUp() override
    {
        BrowserTest::SetUp();
        analysis::saveFixture();
        open();
        ASSERT_TRUE(ui->programErrors().isEmpty()) << ui->programErrors().join('\n').toStdString();
    }

    // A click on a data cell, on the tab that shows the grid.
    void clickCell(Grid& g, int row, int col, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        showTabOf(g);
        g.scrollTo(g.model().index(row - 1, col));
        QTest::mouseClick(g.viewport(), Qt::LeftButton, mods, g.cellRect(row, col).center());
    }
    void doubleClickCell(Grid& g, int row, int col, Qt::KeyboardModifiers mods)
    {
        showTabOf(g);
        // A widget gets the double-click event alone; the press before it
        // comes from the first click, as with a real mouse.
        const QPoint at = g.cellRect(row, col).center();
        QTest::mouseClick(g.viewport(), Qt::LeftButton, mods, at);
        QTest::mouseDClick(g.viewport(), Qt::LeftButton, mods, at);
    }
    void showTabOf(const QWidget& w)
    {
        for (int i = 0; i < browser->SSTab1->count(); ++i)
            if (browser->SSTab1->widget(i)->isAncestorOf(&w))
                browser->SSTab1->setCurrentIndex(i);
    }
};
