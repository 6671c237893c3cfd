// Times the two bulk paths under the browser's grids: loading a grid of
// 250,000 rows x 20 columns and painting its first and last page, then
// sorting it by one column; and reading 100,000 batting rows as text in one
// select. Prints the median of five runs of each.
#include "bench_setup.h"
#include "platform/database.h"
#include "platform/grid.h"
#include "support/browser_helpers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>
#include <vector>

namespace {

void timeGrid(std::vector<double>& loads, std::vector<double>& sorts)
{
    constexpr int rowCount = 250000;
    constexpr int colCount = 20;
    Grid g;
    g.setCols(colCount + 1);
    g.setRows(1);
    for (int c = 1; c <= colCount; ++c)
        g.setTextMatrix(0, c, QStringLiteral("F%1").arg(c));
    g.setColWidth(0, 0);
    g.setDataRowHeightTwips(200);
    g.resize(900, 500);
    g.show();
    (void)QTest::qWaitForWindowExposed(&g);

    std::vector<QStringList> rows(rowCount);
    for (int r = 0; r < rowCount; ++r) {
        QStringList& row = rows[size_t(r)];
        row << QString();
        for (int c = 1; c <= colCount; ++c)
            row << QString::number((r * 7919 + c * 104729) % 1000003);
    }
    QElapsedTimer t;
    t.start();
    g.model().setDataRows(std::move(rows));
    g.grab();
    g.scrollToBottom();
    g.grab();
    loads.push_back(double(t.nsecsElapsed()) / 1e6);

    t.restart();
    g.model().sortRows(3, true, true);
    g.grab();
    sorts.push_back(double(t.nsecsElapsed()) / 1e6);
}

double timeSelect(db::Connection& conn)
{
    QElapsedTimer t;
    t.start();
    const db::Rows r = conn.select(QStringLiteral("SELECT * FROM Batting"), {}, db::FixedColumn::Leading);
    const double ms = double(t.nsecsElapsed()) / 1e6;
    if (r.rows.size() != 100000u)
        std::printf("unexpected row count %zu\n", r.rows.size());
    return ms;
}

}  // namespace

int main(int argc, char** argv)
{
    BenchSetup bench(argc, argv);

    std::vector<double> loads, sorts;
    for (int run = 0; run < 5; ++run)
        timeGrid(loads, sorts);
    std::printf("grid 250,000 x 20: load and paint %.0f ms, sort %.0f ms (median of 5)\n", median(loads),
                median(sorts));

    db::Connection conn;
    browser_test::addNumberedBattingRows(conn, 100000);
    std::vector<double> selects;
    for (int run = 0; run < 5; ++run)
        selects.push_back(timeSelect(conn));
    std::printf("select of 100,000 batting rows: %.0f ms (median of 5)\n", median(selects));
    return 0;
}
