#pragma once
// The statistics browser "Database": eight tabs over the statistics
// database. It only reads the database (the purges and deletions aside);
// its grids are its only copy of the data. The board opens it modally; each
// opening runs the load step again, so it shows the database as it is then.
// The class is implemented across several files of this folder, one per
// concern, all sharing this header.
#include <QDialog>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

class ClickLabel;
class Grid;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace browser {
class QueryRunner;
struct View;
struct GridSheet;
}  // namespace browser

class Form4 : public QDialog {
    Q_OBJECT
public:
    // The board is the window the browser centres over; it also owns it.
    explicit Form4(QWidget* board);
    ~Form4() override;

    // The load step: tab 0, every initial query, centring over the board,
    // the GameID marking. Query failures are reported in one box at most;
    // the window stays usable.
    void Form_Load();
    // Run when the window closes: lets go of every grid's rows.
    void Form_Unload();

    // ---- Tab 0 "Linescores" ----
    void Command4_Click();   // "Get all LineScores"
    void Command11_Click();  // "LineScore by GameID"
    // ---- Tab 1 "Batting by game" ----
    void Command5_Click();  // "Data by player"
    void Command3_Click();  // "Data by team"
    void Command9_Click();  // "Data by GameID"
    // ---- Tab 2 "Pitching by game" ----
    void Command2_Click();   // "Data by player"
    void Command1_Click();   // "Data by team"
    void Command10_Click();  // "Data by GameID"
    // ---- Tab 6 "Game Stats", opened from a GameID of the line scores ----
    void MSHFlexGrid1_Click(int row, int col);
    void GetBoxScore();
    // ---- Ctrl+double-click sorting of grids 2 to 5 ----
    void SortGridByColumn(Grid& grid, int col);
    // ---- Tabs 3 and 4: aggregate batting and pitching ----
    void Command6_Click();   // all batters (run by the load step)
    void Command7_Click();   // "Batting data by player"
    void Command8_Click();   // "Batting data by team"
    void Command14_Click();  // all pitchers (run by the load step)
    void Command13_Click();  // "Pitching data by player"
    void Command12_Click();  // "Pitching data by team"
    // ---- Tab 5 "Win/Loss" ----
    void Command30_Click();  // standings (run by the load step)
    void Command34_Click();  // matchups (run by the load step)
    void MSHFlexGrid9_Click(int row);
    void MSHFlexGrid10_Click(int row);
    void Command36_Click();  // "DELETE Matchup or Win/Loss"
    void Command33_Click();  // "Clear all Win/Loss data"
    // ---- Tab 0: "PURGE ALL STATS" ----
    void cmd_Purge_Click();

    // ---- Tab 0: spreadsheet exports ----
    void Command16_Click();  // "Send all DataGrids to Excel"
    void Command15_Click();  // "Send Access DB to Excel"
    // ---- Tab 7 "Tournament": the bracket ----
    void lbl_Team_Click(int Index);
    void lbl_TeamRnd2_Click(int Index);
    void lbl_TeamRnd3_Click(int Index);
    void lbl_TeamRnd4_Click(int Index);
    void lbl_Champ_Click();
    void cmd_Reset_Click();  // "RESET"
    // The bracket from the settings store (the load step's last work) and
    // back into it (every close).
    void restoreBracket();
    void saveBracket();

    // The column of the line-score grid that opens a game.
    static constexpr int GameIdColumn = 26;

    // ---- Controls (names as the program has always called them) ----
    QTabWidget* SSTab1 = nullptr;
    QWidget* TabPage[8] = {};

    Grid* MSHFlexGrid1 = nullptr;   // line scores
    Grid* MSHFlexGrid2 = nullptr;   // batting by game
    Grid* MSHFlexGrid3 = nullptr;   // pitching by game
    Grid* MSHFlexGrid4 = nullptr;   // aggregate batting
    Grid* MSHFlexGrid5 = nullptr;   // aggregate pitching
    Grid* MSHFlexGrid6 = nullptr;   // game: visitors' batting
    Grid* MSHFlexGrid7 = nullptr;   // game: visitors' pitching
    Grid* MSHFlexGrid8 = nullptr;   // game: home batting
    Grid* MSHFlexGrid9 = nullptr;   // win/loss standings
    Grid* MSHFlexGrid10 = nullptr;  // matchups
    Grid* MSHFlexGrid11 = nullptr;  // game: home pitching
    Grid* MSHFlexGrid12 = nullptr;  // game: line score

    // Tab 0
    QPushButton* Command4 = nullptr;
    QPushButton* Command11 = nullptr;
    QLineEdit* Text9 = nullptr;  // GameID filter
    QPushButton* cmd_Purge = nullptr;
    QPushButton* Command16 = nullptr;  // "Send all DataGrids to Excel"
    QPushButton* Command15 = nullptr;  // "Send Access DB to Excel"
    QPushButton* Command25 = nullptr;  // a second purge button, never seen, no handler
    // Tab 1
    QPushButton* Command5 = nullptr;
    QLineEdit* Text1 = nullptr;  // player
    QPushButton* Command3 = nullptr;
    QLineEdit* Text2 = nullptr;  // team
    QPushButton* Command9 = nullptr;
    QLineEdit* Text7 = nullptr;  // GameID
    // Tab 2
    QPushButton* Command2 = nullptr;
    QLineEdit* Text3 = nullptr;  // pitcher
    QPushButton* Command1 = nullptr;
    QLineEdit* Text4 = nullptr;  // team
    QPushButton* Command10 = nullptr;
    QLineEdit* Text8 = nullptr;  // GameID
    // Tab 3
    QLabel* Label1 = nullptr;
    QPushButton* Command7 = nullptr;
    QLineEdit* Text6 = nullptr;
    QPushButton* Command8 = nullptr;
    QLineEdit* Text5 = nullptr;
    QPushButton* Command6 = nullptr;  // hidden: the all-players view
    // Tab 4
    QLabel* Label4 = nullptr;
    QPushButton* Command13 = nullptr;
    QLineEdit* Text10 = nullptr;
    QPushButton* Command12 = nullptr;
    QLineEdit* Text11 = nullptr;
    QPushButton* Command14 = nullptr;  // hidden: the all-pitchers view
    // Tab 5
    QPushButton* Command33 = nullptr;  // "Clear all Win/Loss data"
    QPushButton* Command36 = nullptr;  // "DELETE Matchup or Win/Loss"
    QLabel* lbl_DEL2 = nullptr;
    QPushButton* Command30 = nullptr;  // hidden: standings
    QPushButton* Command34 = nullptr;  // hidden: matchups
    QPushButton* Command32 = nullptr;  // hidden: "TALLY WinLoss"

    // Tab 7
    QLineEdit* tb_Team = nullptr;
    QPushButton* cmd_Reset = nullptr;
    QLabel* lbl_instr = nullptr;
    ClickLabel* lbl_Team[16] = {};
    ClickLabel* lbl_TeamRnd2[8] = {};
    ClickLabel* lbl_TeamRnd3[4] = {};
    ClickLabel* lbl_TeamRnd4[2] = {};
    ClickLabel* lbl_Champ = nullptr;

    // The column sorted last and the direction used last (0 none,
    // 1 ascending, 2 descending), shared by the four sortable grids and kept
    // for the window object's life.
    std::uint8_t lastSortCol = 0;
    std::uint8_t sortDir = 0;

protected:
    void done(int result) override;

private:
    void buildControls();
    void wireByGame();
    void wireGameStats();
    void wireSorting();
    void wireAggregates();
    void wireWinLoss();
    void wirePurge();
    // Every grid back to its empty state: no rows, no fields.
    void releaseGrids();
    // Places a control on a tab page by its position measured from the
    // tab control's top-left corner, as the layout gives it.
    void placeOnTab(QWidget* w, double left, double top, double width, double height);

    // Runs one view into a grid: in the load step through the step's shared
    // runner, otherwise as a click (its own connection, its own report).
    bool runView(Grid& grid, const browser::View& view);
    // The views a handler shows, so the load step can read them ahead.
    // byGameId: the rows, read in rowid order, sorted by GameID afterwards.
    browser::View battingView(const QString& condition, const QString& filter,
                              std::optional<Qt::SortOrder> byGameId) const;
    browser::View pitchingView(const QString& condition, const QString& filter, std::optional<Qt::SortOrder> byGameId,
                               int gameIdWidth, bool formatInnings) const;
    // newestFirst: the rows, read in rowid order, sorted by GameID
    // descending and Host afterwards.
    browser::View lineScoresView(const QString& condition, const QVariantList& params, bool newestFirst) const;
    browser::View aggregateBattingView(const QString& where, const QVariantList& params) const;
    browser::View aggregatePitchingView(const QString& where, const QVariantList& params) const;
    // The load step's views, as their handlers show them.
    browser::View pitchingByPlayerView() const;
    browser::View allLineScoresView() const;
    browser::View battingByPlayerView() const;
    browser::View allBattersView() const;
    browser::View allPitchersView() const;
    browser::View standingsView() const;
    browser::View matchupsView() const;
    // Fills the line-score grid; the colour of the first pair alternates
    // with the next (&H00BBGGRR).
    void lineScores(const browser::View& view, bool hideWhileFilling, unsigned firstPairColour);
    void markGameIds();
    void pickDeleteTarget(const Grid& grid, int row);

    // Exports and bracket.
    void wireExports();
    std::vector<browser::GridSheet> dataGridSheets() const;
    void buildBracket();
    // The 31 slots with their settings keys, in the order they are read,
    // written and cleared.
    std::vector<std::pair<ClickLabel*, QString>> bracketSlots() const;
    void placeTeam(ClickLabel* const* round, int count, int index);
    static void showInSlot(ClickLabel* slot, const QString& name);

    QWidget* board_;
    browser::QueryRunner* loading_ = nullptr;
    bool unloaded_ = true;
};
