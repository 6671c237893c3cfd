#include "stats_browser/exports.h"
#include "stats_browser/query.h"

#include "common/game_stamp.h"
#include "common/numbers.h"
#include "common/program_folder.h"
#include "platform/database.h"
#include "platform/grid.h"
#include "platform/guarded.h"
#include "platform/interaction.h"
#include "platform/workbook.h"
#include "stats_browser/aggregate_columns.h"
#include "stats_browser/form4.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>
#include <optional>

namespace browser {
namespace {

using platform::Workbook;

// Data rows a sheet holds below its field names.
constexpr long long MaxDataRows = Workbook::MaxRows - 1;

// The formatted block of every grid sheet: A1:AQ45.
constexpr int BlockRows = 45;
constexpr int BlockLastCol = 42;  // AQ
constexpr QRgb BorderColour = 0xFF99CCFF;
constexpr QRgb FillColour = 0xFFFEFEFE;

bool boldInHeader(int col)
{
    // B1:R1 and U1:AQ1; S1 and T1 are left as they are.
    return (col >= 1 && col <= 17) || (col >= 20 && col <= BlockLastCol);
}

int columnIndex(QStringView letters)
{
    int n = 0;
    for (QChar ch : letters)
        n = n * 26 + (ch.toUpper().unicode() - u'A' + 1);
    return n - 1;
}

// Fields that hold names and game ids: text even when they read as numbers,
// so a GameID keeps its leading zero.
bool isTextField(const QString& name)
{
    static const QStringList names = {QStringLiteral("Batter"), QStringLiteral("Pitcher"), QStringLiteral("Team"),
                                      QStringLiteral("Host"),   QStringLiteral("Matchup"), QStringLiteral("GameID")};
    return names.contains(name.trimmed(), Qt::CaseInsensitive);
}

// A cell that reads as a number in the user's locale (its decimal symbol,
// or "." in which the grid shows stored fractions). More than 15 digits
// would not survive as a number and stay text.
std::optional<num::Plain> shownNumber(QStringView text, QChar decimalPoint)
{
    const auto n = num::plain(text, decimalPoint);
    if (!n || n->digits > 15)
        return std::nullopt;
    return n;
}

// The styles a grid sheet uses, made once per workbook.
class GridStyles {
public:
    explicit GridStyles(Workbook& wb)
    {
        for (int bold = 0; bold < 2; ++bold)
            for (int f = 0; f < 3; ++f)
                block_[bold][f] = wb.style({bold == 1, BorderColour, FillColour, formatText(f)});
        plain_[0] = nullptr;
        for (int f = 1; f < 3; ++f)
            plain_[f] = wb.style({false, 0, 0, formatText(f)});
    }
    // decimals: 2 and 3 keep the grid's ".00" and ".000"; others general.
    Workbook::StyleRef of(bool inBlock, bool bold, int decimals) const
    {
        const int f = decimals == 2 ? 1 : decimals == 3 ? 2 : 0;
        return inBlock ? block_[bold ? 1 : 0][f] : plain_[f];
    }

private:
    static QString formatText(int f) { return f == 1 ? QStringLiteral(".00") : f == 2 ? QStringLiteral(".000") : QString(); }
    Workbook::StyleRef block_[2][3] = {};
    Workbook::StyleRef plain_[3] = {};
};

// A sheet column and where its cells come from.
struct SourceColumn {
    const GridModel* grid = nullptr;  // nullptr: nothing pasted there
    int col = 0;
    bool text = false;
    double width = -1;  // -1: the default width
};

bool columnIsEmpty(const GridModel& g, int col)
{
    for (int r = 1; r < g.rows(); ++r)
        if (!g.textMatrix(r, col).isEmpty())
            return false;
    return true;
}

std::vector<SourceColumn> sheetColumns(const GridSheet& plan)
{
    // As pasted: a later grid overlapping an earlier one wins.
    std::vector<SourceColumn> cols;
    for (const GridOnSheet& g : plan.grids) {
        const int n = g.grid->cols();
        if (int(cols.size()) < g.firstColumn + n)
            cols.resize(size_t(g.firstColumn + n));
        for (int c = 0; c < n; ++c)
            cols[size_t(g.firstColumn + c)] = {g.grid, c, isTextField(g.grid->textMatrix(0, c)), -1};
    }
    for (const ColumnWidths& w : plan.widths) {
        const QString& range = w.range;
        const int colon = int(range.indexOf(':'));
        const int first = columnIndex(colon < 0 ? QStringView(range) : QStringView(range).left(colon));
        const int last = colon < 0 ? first : columnIndex(QStringView(range).mid(colon + 1));
        if (int(cols.size()) <= last)
            cols.resize(size_t(last + 1));
        for (int c = first; c <= last; ++c)
            cols[size_t(c)].width = w.width;
    }
    if (plan.dropUnplayedExtraInnings) {
        // Innings 10 to 20 (columns L to V) go, with their widths, when no
        // row of the grid reached them; nothing else is ever dropped.
        for (int c = 21; c >= 11; --c) {
            const SourceColumn& s = cols.size() > size_t(c) ? cols[size_t(c)] : SourceColumn{};
            if (s.grid && s.grid->textMatrix(0, s.col).compare(QStringLiteral("I%1").arg(c - 1), Qt::CaseInsensitive) == 0
                && columnIsEmpty(*s.grid, s.col))
                cols.erase(cols.begin() + c);
        }
    }
    return cols;
}

void writeGridSheet(Workbook& wb, const GridStyles& styles, const GridSheet& plan)
{
    const std::vector<SourceColumn> cols = sheetColumns(plan);
    Workbook::Sheet& sheet = wb.addSheet(plan.name);
    sheet.setDefaultRowHeight(11);
    for (size_t c = 0; c < cols.size(); ++c)
        if (cols[c].width >= 0)
            sheet.setColumnWidth(int(c), cols[c].width);

    int rows = BlockRows;
    for (const GridOnSheet& g : plan.grids)
        rows = std::max(rows, g.grid->rows());
    const QChar decimalPoint = QLocale().decimalPoint().front();
    for (int r = 0; r < rows; ++r) {
        const bool blockRow = r < BlockRows;
        const int lastCol = blockRow ? std::max(int(cols.size()) - 1, BlockLastCol) : int(cols.size()) - 1;
        for (int c = 0; c <= lastCol; ++c) {
            const bool inBlock = blockRow && c <= BlockLastCol;
            const bool bold = inBlock && r == 0 && boldInHeader(c);
            const SourceColumn* s = c < int(cols.size()) ? &cols[size_t(c)] : nullptr;
            const QString text = s && s->grid && r < s->grid->rows() ? s->grid->textMatrix(r, s->col) : QString();
            if (text.isEmpty()) {
                if (inBlock)
                    sheet.writeBlank(r, c, styles.of(true, bold, 0));
                continue;
            }
            if (r > 0 && !s->text) {
                if (const auto number = shownNumber(text, decimalPoint)) {
                    // The ".00"/".000" patterns only where the grid shows the
                    // number that way: a stored 0.33 keeps its leading zero.
                    int decimals = std::max(number->decimals, 0);
                    if ((decimals == 2 || decimals == 3) && browser::formatNumber(number->value, decimals) != text.trimmed())
                        decimals = 0;
                    sheet.writeNumber(r, c, number->value, styles.of(inBlock, bold, decimals));
                    continue;
                }
            }
            sheet.writeText(r, c, text, styles.of(inBlock, bold, 0));
        }
    }
}

QString quotedName(const QString& name)
{
    return '"' + QString(name).replace('"', QStringLiteral("\"\"")) + '"';
}

// Ends the read transaction whatever happens; a read has nothing to undo.
struct ReadSnapshot {
    explicit ReadSnapshot(db::Connection& c) : c(c)
    {
        if (!c.sql().transaction())
            db::raise(c.sql().lastError());
    }
    ~ReadSnapshot() { c.sql().rollback(); }
    db::Connection& c;
};

}  // namespace

QString TooManyRows::message() const
{
    return QStringLiteral("\"%1\" holds %2 rows, more than a worksheet holds (%3). Nothing was exported.")
        .arg(source)
        .arg(rows)
        .arg(MaxDataRows);
}

QString reportsFolder()
{
    const QString path = folder::resolve(QStringLiteral("Game Rpts"));
    const QFileInfo info(path);
    if (info.isDir())
        return path;
    if (info.exists() || info.isSymLink() || !QDir().mkpath(path))
        throw ProgramError(errors::FileAccess,
                           errors::describe(errors::FileAccess) + QStringLiteral(": ") + QDir::toNativeSeparators(path));
    return path;
}

QString writeGridWorkbook(const QString& folder, const QString& baseName, const std::vector<GridSheet>& sheets)
{
    // Counted first: a sheet cut short would look complete.
    for (const GridSheet& s : sheets)
        for (const GridOnSheet& g : s.grids)
            if (g.grid->rows() - 1 > MaxDataRows)
                throw TooManyRows{s.name, g.grid->rows() - 1};

    Workbook wb(folder, baseName);
    const GridStyles styles(wb);
    for (const GridSheet& s : sheets)
        writeGridSheet(wb, styles, s);
    return wb.save();
}

QString writeDatabaseWorkbook(const QString& folder, const QString& baseName)
{
    db::Connection c;
    const ReadSnapshot snapshot(c);
    for (const db::Table& t : db::tables()) {
        QSqlQuery count = c.exec(QStringLiteral("SELECT COUNT(*) FROM ") + quotedName(t.name));
        const long long n = count.next() ? count.value(0).toLongLong() : 0;
        if (n > MaxDataRows)
            throw TooManyRows{t.name, n};
    }

    Workbook wb(folder, baseName);
    for (const db::Table& t : db::tables()) {
        Workbook::Sheet& sheet = wb.addSheet(t.name);
        const QString all = QStringLiteral("SELECT * FROM ") + quotedName(t.name);
        const QStringList fields = c.select(all + QStringLiteral(" LIMIT 0")).columns;
        const int n = int(fields.size());
        for (int f = 0; f < n; ++f)
            sheet.writeText(0, f, fields[f]);
        int r = 0;
        // Straight from SQLite: a text goes to the writer in the UTF-8 the
        // file holds, unless it needs the reading Qt's driver gives it.
        const auto written = c.scan(all + QStringLiteral(" ORDER BY rowid"), {}, [&](const db::ScanRow& row) {
            ++r;
            for (int f = 0; f < n; ++f) {
                switch (row.kind(f)) {
                case db::ScanRow::Kind::Null: break;
                case db::ScanRow::Kind::Integer: sheet.writeNumber(r, f, double(row.integer(f))); break;
                case db::ScanRow::Kind::Real: sheet.writeNumber(r, f, row.real(f)); break;
                case db::ScanRow::Kind::Text:
                    if (!sheet.writeUtf8(r, f, row.bytes(f)))
                        sheet.writeText(r, f, row.text(f));
                    break;
                case db::ScanRow::Kind::Blob: {
                    const std::string_view b = row.bytes(f);
                    sheet.writeText(r, f, QString::fromUtf8(b.data(), qsizetype(b.size())));
                    break;
                }
                }
            }
            return true;
        });
        if (written)
            continue;
        QSqlQuery q = c.exec(all + QStringLiteral(" ORDER BY rowid"));
        while (q.next()) {
            ++r;
            for (int f = 0; f < n; ++f) {
                const QVariant v = q.value(f);
                if (v.isNull())
                    continue;
                switch (v.typeId()) {
                case QMetaType::LongLong:
                case QMetaType::Int:
                case QMetaType::Double: sheet.writeNumber(r, f, v.toDouble()); break;
                default: sheet.writeText(r, f, v.toString()); break;
                }
            }
        }
        if (q.lastError().isValid())
            db::raise(q.lastError());
    }
    return wb.save();
}

}  // namespace browser

// ---------------------------------------------------------------- the buttons

namespace {

// The pointer shows the wait cursor while a workbook is made; it is back
// before any box appears and whatever way the export ends.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { release(); }
    void release()
    {
        if (std::exchange(on_, false))
            QApplication::restoreOverrideCursor();
    }

private:
    bool on_ = true;
};

void tooManyRows(const browser::TooManyRows& t)
{
    platform::interaction().msgBox(t.message(), QMessageBox::Ok, platform::applicationTitle(), QMessageBox::Warning);
}

// The reports folder, rid of what exports of workbooks named namePrefix...
// left there when they were killed.
QString exportFolder(const QString& namePrefix)
{
    const QString folder = browser::reportsFolder();
    platform::Workbook::removeAbandoned(folder, namePrefix + QLatin1Char('*'));
    return folder;
}

// An aggregate sheet's widths as its column table gives them. The grid is
// pasted from column A, so grid column c is sheet column c.
std::vector<browser::ColumnWidths> aggregateSheetWidths(browser::AggregateTable table)
{
    std::vector<browser::ColumnWidths> widths;
    const std::vector<browser::ColumnLook> looks = browser::aggregateLooks(table);
    for (int c = 0; c < int(looks.size()); ++c) {
        if (looks[size_t(c)].sheetWidth < 0)
            continue;
        QString letters;
        for (int n = c + 1; n > 0; n = (n - 1) / 26)
            letters.prepend(QLatin1Char(char('A' + (n - 1) % 26)));
        widths.push_back({letters, looks[size_t(c)].sheetWidth});
    }
    return widths;
}

}  // namespace

void Form4::wireExports()
{
    connect(Command16, &QPushButton::clicked, this, [this] { guarded([this] { Command16_Click(); }); });
    connect(Command15, &QPushButton::clicked, this, [this] { guarded([this] { Command15_Click(); }); });
}

std::vector<browser::GridSheet> Form4::dataGridSheets() const
{
    // The order of the tabs in the workbook, the standings and matchups
    // first; each sheet's widths as set on the pasted columns.
    using browser::GridSheet;
    std::vector<GridSheet> sheets;
    sheets.push_back({QStringLiteral("WinLossMatchups"),
                      {{&MSHFlexGrid9->model(), 0}, {&MSHFlexGrid10->model(), 4}},
                      {{"C:D", 4}, {"F", 22}, {"G", 6}}});
    sheets.push_back({QStringLiteral("AggregatePitching"), {{&MSHFlexGrid5->model(), 0}},
                      aggregateSheetWidths(browser::AggregateTable::Pitching)});
    sheets.push_back({QStringLiteral("AggregateBatting"), {{&MSHFlexGrid4->model(), 0}},
                      aggregateSheetWidths(browser::AggregateTable::Batting)});
    sheets.push_back({QStringLiteral("PitchingDataByGame"), {{&MSHFlexGrid3->model(), 0}},
                      {{"B", 20}, {"C:K", 5}, {"I", 9}, {"J", 13}}});
    sheets.push_back({QStringLiteral("BattingDataByGame"), {{&MSHFlexGrid2->model(), 0}},
                      {{"B", 20}, {"C:K", 4}, {"M", 13}}});
    sheets.push_back({QStringLiteral("LineScores"), {{&MSHFlexGrid1->model(), 0}},
                      {{"C:V", 3}, {"W", 5}, {"X", 5}, {"Y", 5}, {"AA", 12}}, true});
    return sheets;
}

void Form4::Command16_Click()
{
    WaitCursor wait;
    if (!platform::interaction().hasDefaultProgram(QString::fromLatin1(browser::SpreadsheetType))) {
        wait.release();
        platform::interaction().msgBox(QStringLiteral("Excel is not installed"), QMessageBox::Ok,
                                       platform::applicationTitle(), QMessageBox::NoIcon);
        return;
    }
    QString path;
    try {
        const QString prefix = QStringLiteral("DataGrids_");
        path = browser::writeGridWorkbook(exportFolder(prefix), prefix + game::stampNow(), dataGridSheets());
    } catch (const browser::TooManyRows& t) {
        wait.release();
        tooManyRows(t);
        return;
    }
    wait.release();

    // Closing stores the bracket; the board makes way for the workbook.
    done(QDialog::Accepted);
    if (board_)
        board_->setWindowState(board_->windowState() | Qt::WindowMinimized);
    // The browser is closed and the board minimised by then: a workbook the
    // desktop does not open would be written where nobody knows.
    platform::handToDesktop(QFileInfo(path).absoluteFilePath(),
                            QStringLiteral("The desktop could not open the workbook. It is saved as:\n"));
}

void Form4::Command15_Click()
{
    WaitCursor wait;
    try {
        const QString prefix = QStringLiteral("ZRQ_MSAccess_");
        browser::writeDatabaseWorkbook(exportFolder(prefix), prefix + game::stampNow());
    } catch (const browser::TooManyRows& t) {
        wait.release();
        tooManyRows(t);
        return;
    }
    wait.release();
    platform::interaction().msgBox(QStringLiteral("MS Access database tables have been exported"), QMessageBox::Ok,
                                   platform::applicationTitle(), QMessageBox::Information);
}
