// Times "SAVE TO DB": a full nine-inning game (two lineups of nine plus
// bench players, four pitchers) saved into a statistics database that
// already holds 1,000 and then 50,000 games, from the click to the success
// message. Beside each median stands its floor: the same rows inserted
// through the SQLite C API (open, one transaction with one prepared
// statement per table, commit, close), timed in turns with the saves.
//
// The game tables carry their index on GameID as every database the program
// makes or opens does.
#include "bench_setup.h"
#include "board/form1.h"
#include "platform/database.h"
#include "platform/grid.h"
#include "stats_sheet/form2.h"
#include "support/sheet_helpers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <sqlite3.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int Runs = 21;

void check(int rc, sqlite3* db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

sqlite3* openFile()
{
    sqlite3* db = nullptr;
    const QByteArray file = db::path().toUtf8();
    check(sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr), db);
    return db;
}

void run(sqlite3* db, const char* sql)
{
    check(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), db);
}

struct Stmt {
    sqlite3_stmt* s = nullptr;
    Stmt(sqlite3* db, const std::string& sql) { check(sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr), db); }
    ~Stmt() { sqlite3_finalize(s); }
    void text(int i, const std::string& v) { sqlite3_bind_text(s, i, v.c_str(), int(v.size()), SQLITE_TRANSIENT); }
    void integer(int i, long long v) { sqlite3_bind_int64(s, i, v); }
    void step(sqlite3* db)
    {
        check(sqlite3_step(s), db);
        sqlite3_reset(s);
    }
};

// Earlier games as the save writes them (22 batters, 4 pitchers, 2 line
// scores, 2 win/loss rows and a matchup each), appended until the file
// holds `games`.
void fillTo(int& held, int games)
{
    sqlite3* db = openFile();
    run(db, "BEGIN");
    {
        Stmt bat(db, "INSERT INTO Batting (Batter, K, BB, \"1B\", HR, AB, Team, GameID) VALUES (?,?,?,?,?,?,?,?)");
        Stmt pit(db, "INSERT INTO Pitching (Pitcher, K, Hits, Runs, IP, Team, GameID) VALUES (?,?,?,?,?,?,?)");
        Stmt box(db, "INSERT INTO BoxScores (Team, I1, I2, I3, I4, I5, I6, I7, I8, I9, Runs, Hits, Errors, Host, "
                     "GameID) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)");
        Stmt wl(db, "INSERT INTO WinLoss (Team, Win, Loss) VALUES (?,?,?)");
        Stmt mu(db, "INSERT INTO Matchups (Matchup, Tally) VALUES (?,1)");
        for (int g = held; g < games; ++g) {
            char idBuf[32];
            std::snprintf(idBuf, sizeof idBuf, "%02d%010d", 1 + g % 12, g);
            const std::string id = idBuf;
            const std::string vis = "Team " + std::to_string(g % 16);
            const std::string home = "Team " + std::to_string((g + 5) % 16);
            for (int b = 0; b < 22; ++b) {
                bat.text(1, "Player " + std::to_string(b + 100 * (g % 16)));
                bat.integer(2, b % 2);
                bat.integer(3, b % 3 == 0);
                bat.integer(4, 1);
                bat.integer(5, b % 7 == 0);
                bat.integer(6, 4);
                bat.text(7, b < 11 ? vis : home);
                bat.text(8, id);
                bat.step(db);
            }
            for (int p = 0; p < 4; ++p) {
                pit.text(1, "Arm " + std::to_string(p + 10 * (g % 16)));
                pit.integer(2, 5);
                pit.integer(3, 4);
                pit.integer(4, 2);
                sqlite3_bind_double(pit.s, 5, 4.5);
                pit.text(6, p < 2 ? vis : home);
                pit.text(7, id);
                pit.step(db);
            }
            for (int side = 0; side < 2; ++side) {
                box.text(1, side ? home : vis);
                for (int i = 1; i <= 9; ++i)
                    box.integer(1 + i, i % 3 == 0);
                box.integer(11, 3);
                box.integer(12, 8);
                box.integer(13, 1);
                box.text(14, side ? "b_HOME" : "a_VIS");
                box.text(15, id);
                box.step(db);
                wl.text(1, side ? home : vis);
                sqlite3_bind_null(wl.s, 2);
                sqlite3_bind_null(wl.s, 3);
                wl.integer(side ? 2 : 3, 1);
                wl.step(db);
            }
            mu.text(1, vis + "  vs  " + home);
            mu.step(db);
        }
    }
    run(db, "COMMIT");
    sqlite3_close(db);
    held = games;
}

// The rows the last save stored, each as the values bound to re-insert it.
struct SavedRows {
    struct Table {
        std::string insert;
        std::vector<std::vector<sqlite3_value*>> rows;
    };
    std::vector<Table> tables;

    ~SavedRows()
    {
        for (Table& t : tables)
            for (auto& row : t.rows)
                for (sqlite3_value* v : row)
                    sqlite3_value_free(v);
    }
};

void readRows(sqlite3* db, SavedRows& out, const char* table, const std::string& where)
{
    Stmt q(db, std::string("SELECT * FROM ") + table + " " + where);
    SavedRows::Table t;
    const int n = sqlite3_column_count(q.s);
    std::string names, marks;
    for (int c = 0; c < n; ++c) {
        names += std::string(c ? ", \"" : "\"") + sqlite3_column_name(q.s, c) + "\"";
        marks += c ? ",?" : "?";
    }
    t.insert = std::string("INSERT INTO ") + table + " (" + names + ") VALUES (" + marks + ")";
    while (sqlite3_step(q.s) == SQLITE_ROW) {
        std::vector<sqlite3_value*> row;
        for (int c = 0; c < n; ++c)
            row.push_back(sqlite3_value_dup(sqlite3_column_value(q.s, c)));
        t.rows.push_back(std::move(row));
    }
    out.tables.push_back(std::move(t));
}

void lastSavedGame(const QString& gameId, SavedRows& out)
{
    sqlite3* db = openFile();
    const std::string byId = "WHERE GameID = '" + gameId.toStdString() + "' ORDER BY rowid";
    readRows(db, out, "Batting", byId);
    readRows(db, out, "Pitching", byId);
    readRows(db, out, "BoxScores", byId);
    readRows(db, out, "WinLoss", "WHERE rowid > (SELECT MAX(rowid) - 2 FROM WinLoss) ORDER BY rowid");
    readRows(db, out, "Matchups", "WHERE rowid = (SELECT MAX(rowid) FROM Matchups)");
    sqlite3_close(db);
}

// The floor: the same rows, straight through SQLite.
[[gnu::noinline]] double insertThroughSqlite(const SavedRows& game)
{
    QElapsedTimer t;
    t.start();
    sqlite3* db = openFile();
    sqlite3_busy_timeout(db, 3000);
    run(db, "BEGIN IMMEDIATE");
    for (const SavedRows::Table& table : game.tables) {
        Stmt ins(db, table.insert);
        for (const auto& row : table.rows) {
            for (size_t c = 0; c < row.size(); ++c)
                sqlite3_bind_value(ins.s, int(c) + 1, row[c]);
            ins.step(db);
        }
    }
    run(db, "COMMIT");
    sqlite3_close(db);
    return t.nsecsElapsed() / 1e6;
}

void retag(const QString& from, const QString& to)
{
    sqlite3* db = openFile();
    run(db, "BEGIN");
    for (const char* table : {"Batting", "Pitching", "BoxScores"}) {
        Stmt up(db, std::string("UPDATE ") + table + " SET GameID = ? WHERE GameID = ?");
        up.text(1, to.toStdString());
        up.text(2, from.toStdString());
        up.step(db);
    }
    run(db, "COMMIT");
    sqlite3_close(db);
}

double medianOf(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    BenchSetup bench(argc, argv);
    ScriptedInteraction& ui = bench.ui;
    { db::Connection create; }

    Form1 board;
    board.Form_Load();
    using namespace sheet_test;
    setUpNineInningGame(board, QStringLiteral("Harbor Cats"), QStringLiteral("Mill Town"));
    for (int row = 10; row <= 11; ++row) {
        statsGrid(board, Side::Visitors)->setTextMatrix(row, 1, QStringLiteral("Bench %1").arg(row));
        statsGrid(board, Side::Visitors)->setTextMatrix(row, 18, QStringLiteral("1"));
    }
    setPitching(board, Side::Visitors, 2, QStringLiteral("Vis Relief"), {"2", "1", "3", "", "1"}, QStringLiteral("3.33"));
    setPitching(board, Side::Home, 2, QStringLiteral("Home Relief"), {"1", "", "2", "1", "1"}, QStringLiteral("2.67"));
    board.ConstantUpdate();
    Form2& sheet = *board.statsSheet();

    int held = 0;
    for (const int games : {1000, 50000}) {
        fillTo(held, games);
        std::vector<double> saves, floors;
        for (int run = 0; run < Runs; ++run) {
            // Each run saves the same game afresh, crediting the current pitchers again.
            sheet.grd_VisStats->setTextMatrix(1, 17, QString());
            sheet.grd_HomeStats->setTextMatrix(1, 17, QString());
            sheet.Command2->setEnabled(true);
            ui.answerMsgBox(QMessageBox::Yes);
            ui.clear();
            QElapsedTimer t;
            t.start();
            sheet.Command2->click();
            saves.push_back(t.nsecsElapsed() / 1e6);
            if (ui.messages().value(1) != QLatin1String("Data successfully recorded")) {
                std::fprintf(stderr, "save failed: %s\n", qPrintable(ui.messages().join(" | ")));
                return 1;
            }
            SavedRows rows;
            const QString id = sheet.tb_TimeStamp2->text();
            lastSavedGame(id, rows);
            floors.push_back(insertThroughSqlite(rows));
            // A user saves a game a minute, not twenty a second: the next
            // save finds its own second free, as it would.
            retag(id, QStringLiteral("bench%1_%2").arg(games).arg(run));
        }
        const double save = medianOf(saves), floor = medianOf(floors);
        std::printf("save a game (%d batting, %d pitching rows) into a database of %d games: median %.2f ms "
                    "(min %.2f, max %.2f, %d runs); floor (same rows through the SQLite C API) %.2f ms; "
                    "ratio %.2f\n",
                    20, 4, games, save,
                    *std::min_element(saves.begin(), saves.end()), *std::max_element(saves.begin(), saves.end()),
                    Runs, floor, save / floor);
    }
    return 0;
}
