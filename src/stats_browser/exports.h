#pragma once
// The browser's two spreadsheet workbooks: its grids as they are shown, and
// the five tables of the statistics database. Both go into "Game Rpts" under
// the program folder, named after the moment of the export.
#include <QString>
#include <vector>

class GridModel;

namespace browser {

// The MIME type of an .xlsx workbook, which the desktop is asked about.
inline constexpr char SpreadsheetType[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

// The reports folder "Game Rpts" under the program folder (any letter case),
// made when missing. Throws ProgramError 75 naming it when it cannot be.
QString reportsFolder();

// More rows than a sheet holds: nothing is written.
struct TooManyRows {
    QString source;  // the sheet or table
    long long rows;  // its data rows
    QString message() const;
};

// One grid pasted with its fixed column at a sheet column (0 = A).
struct GridOnSheet {
    const GridModel* grid;
    int firstColumn = 0;
};

// Column widths, in the spreadsheet's units, over a range of columns as
// pasted ("C:V", "W"); applied in order, so a later setting wins.
struct ColumnWidths {
    QString range;
    double width;
};

struct GridSheet {
    QString name;
    std::vector<GridOnSheet> grids;
    std::vector<ColumnWidths> widths;
    // The columns of innings 10 to 20 that no game reached are left out.
    bool dropUnplayedExtraInnings = false;
};

// Writes the sheets in the order given (the first is the active one) into
// "<folder>/<baseName>.xlsx" (or "_2", "_3" ... when taken) and returns the
// path. Each grid goes in whole: row 0 (the field names) in row 1, column 0
// (the empty fixed column) included, hidden columns too. Cells are typed:
// field names and the name and GameID columns as text, other cells that
// read as numbers as numbers (showing the decimals the grid shows), the rest
// as text; empty cells get no value. Every sheet: row height 11, a bordered
// and filled block A1:AQ45, bold field names in B1:R1 and U1:AQ1.
// Throws TooManyRows before writing anything, ProgramError on failure.
QString writeGridWorkbook(const QString& folder, const QString& baseName, const std::vector<GridSheet>& sheets);

// The five tables, read in one snapshot, one sheet each in table order:
// field names in row 1 from A1, rows in stored order, numbers as numbers,
// text as text, NULL as no cell. Returns the path. Throws TooManyRows
// before writing anything, ProgramError on failure.
QString writeDatabaseWorkbook(const QString& folder, const QString& baseName);

}  // namespace browser
