#include "stats_browser/query.h"

#include "common/numbers.h"
#include "platform/database.h"
#include "platform/database_threads.h"
#include "platform/grid.h"
#include "platform/guarded.h"

#include <QHeaderView>
#include <QLocale>
#include <QSignalBlocker>
#include <QThreadPool>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace browser {

// ------------------------------------------------------------ number patterns

namespace {

// A number as the database's texts hold it, always with ".".
std::optional<double> cellNumber(QStringView text)
{
    const auto n = num::plain(text);
    return n ? std::optional<double>(n->value) : std::nullopt;
}

}  // namespace

QString formatNumber(double value, int decimals)
{
    if (!std::isfinite(value))
        return num::general(value);
    decimals = std::clamp(decimals, 0, 15);

    // The value as it reads with 15 significant digits: d.dddddddddddddde±x.
    char e[40];
    std::snprintf(e, sizeof e, "%.14e", std::fabs(value));
    char digits[15];
    digits[0] = e[0];
    std::memcpy(digits + 1, e + 2, 14);
    const int exponent = std::atoi(e + 17);

    // round(|value| x 10^decimals) as decimal digits: the 15 digits shifted.
    const int shift = exponent - 14 + decimals;
    std::string scaled;
    if (shift >= 0) {
        scaled.assign(digits, 15);
        scaled.append(size_t(shift), '0');
    } else if (-shift > 15) {
        scaled = "0";
    } else {
        const int kept = 15 + shift;
        scaled = kept > 0 ? std::string(digits, size_t(kept)) : std::string("0");
        // Half or more of the dropped part rounds away from zero.
        if (digits[kept] >= '5') {
            int i = int(scaled.size()) - 1;
            while (i >= 0 && scaled[size_t(i)] == '9')
                scaled[size_t(i--)] = '0';
            if (i < 0)
                scaled.insert(scaled.begin(), '1');
            else
                ++scaled[size_t(i)];
        }
    }
    const size_t lead = std::min(scaled.find_first_not_of('0'), scaled.size());
    scaled.erase(0, lead);  // "" for zero

    std::string out;
    if (value < 0 && !scaled.empty())
        out += '-';
    // No leading zero below 1: ".50", ".00".
    if (int(scaled.size()) > decimals)
        out.append(scaled, 0, scaled.size() - size_t(decimals));
    QString text = QString::fromLatin1(out.data(), qsizetype(out.size()));
    if (decimals > 0) {
        const std::string fraction = int(scaled.size()) >= decimals
            ? scaled.substr(scaled.size() - size_t(decimals))
            : std::string(size_t(decimals) - scaled.size(), '0') + scaled;
        text += QLocale().decimalPoint();
        text += QLatin1String(fraction.data(), qsizetype(fraction.size()));
    } else if (scaled.empty()) {
        text = QStringLiteral("0");
    }
    return text;
}

QString formatCell(const QString& text, int decimals)
{
    if (text.isEmpty())
        return text;
    const auto v = cellNumber(text);
    return v ? formatNumber(*v, decimals) : text;
}

// ------------------------------------------------------------ grid steps

QStringList fieldsOf(const QString& table)
{
    QStringList names;
    for (const db::Table& t : db::tables())
        if (t.name.compare(table, Qt::CaseInsensitive) == 0)
            for (const db::Column& c : t.columns)
                names << c.name;
    return names;
}

QString selectFields(const QString& table)
{
    // Each field named as itself: a column keeps the heading the grids
    // expect however the file spells the field ("k" for "K"). Quoted, so
    // "1B" is a field and not a number.
    QStringList names = fieldsOf(table);
    for (QString& n : names)
        n = QStringLiteral("\"%1\" AS \"%1\"").arg(n);
    return QStringLiteral("SELECT %1 FROM \"%2\"").arg(names.join(QStringLiteral(", ")), table);
}

namespace {

// The old rows go first, so resizing the columns touches none of them.
GridModel& header(Grid& grid, const QStringList& names)
{
    GridModel& m = grid.model();
    m.clearData();
    m.setCols(int(names.size()) + 1);
    m.setTextMatrix(0, 0, QString());
    for (int c = 0; c < names.size(); ++c)
        m.setTextMatrix(0, c + 1, names[c]);
    return m;
}

}  // namespace

void fillGrid(Grid& grid, const QStringList& names, std::vector<QStringList> rows)
{
    header(grid, names).setDataRows(std::move(rows));
}

void fillGrid(Grid& grid, db::ColumnRows result)
{
    header(grid, result.columns).setDataColumns(std::move(result.data), result.rows);
}

void layOut(Grid& grid, const View& view)
{
    constexpr int Unset = INT_MIN;
    GridModel& m = grid.model();
    const int cols = m.cols();
    // Each column takes its last width only: a width given and then
    // changed would resize the column twice and paint the grid twice.
    std::vector<int> widths(size_t(cols), Unset);
    for (const auto& [col, width] : view.widths)
        if (col >= 0 && col < cols)
            widths[size_t(col)] = width;
    for (int col = 0; col < cols; ++col)
        if (widths[size_t(col)] != Unset)
            grid.setColWidth(col, widths[size_t(col)]);

    m.setColAlignmentFixed(-1, CentreTop);
    if (view.centreAllData)
        m.setColAlignment(-1, CentreTop);
    for (const auto& [col, code] : view.alignments)
        if (col >= 0 && col < cols)
            m.setColAlignment(col, code);

    for (const auto& [col, decimals] : view.formats) {
        if (col < 0 || col >= cols)
            continue;
        // A column holds few distinct values (innings, rates): each is
        // formatted once.
        m.mapDataTexts(col, [decimals](const QString& text) { return formatCell(text, decimals); });
        m.setColAlignment(col, RightCentre);
    }
}

// ------------------------------------------------------------ QueryRunner

namespace {

// A grid's column fitting, held from its filling until its layout; should
// anything throw in between, until the run is left.
class HeldFitting {
public:
    explicit HeldFitting(Grid& grid) : grid_(&grid) { grid.holdFitting(); }
    ~HeldFitting() { release(); }
    HeldFitting(const HeldFitting&) = delete;
    HeldFitting& operator=(const HeldFitting&) = delete;
    void release()
    {
        if (Grid* g = std::exchange(grid_, nullptr))
            g->releaseFitting();
    }

private:
    Grid* grid_;
};

// The view would lay out its new rows and columns on its next turn of the
// event loop, after the window has already painted them once: a click would
// cost two paints of the grid. Laid out here, it paints once. So do columns
// whose width the view changes: told of each by the header, the view would
// repaint them on its next turn; it is laid out and repainted whole below.
// The columns' fitting, held since the grid was filled, is done here too.
void layOutNow(Grid& grid, const View& view, HeldFitting& fitting)
{
    {
        const QSignalBlocker quiet(grid.horizontalHeader());
        layOut(grid, view);
        fitting.release();
    }
    grid.horizontalHeader()->doItemsLayout();
    grid.doItemsLayout();
}

// What the view reads, on a connection of the caller's.
db::ColumnRows readView(const View& view, db::Connection& c)
{
    if (view.readFirst)
        if (std::optional<db::ColumnRows> first = view.readFirst(c))
            return std::move(*first);
    if (view.parts)
        return c.selectColumnsInParts(*view.parts, view.params, db::FixedColumn::Leading, view.sortAfter);
    return c.selectColumns(view.statement, view.params, db::FixedColumn::Leading, view.sortAfter);
}

// The same statement with the same values reads the same rows.
QString keyOf(const View& view)
{
    QString key = view.parts ? view.parts->statement() : view.statement;
    for (const QVariant& p : view.params)
        key += QLatin1Char('\x1f') + QString::number(p.typeId()) + QLatin1Char(':') + p.toString();
    return key;
}

}  // namespace

QueryRunner::QueryRunner(Mode mode) : mode_(mode) {}

QueryRunner::~QueryRunner()
{
    // A view read ahead and never taken still reads the file: done before
    // the step is.
    for (auto& [key, result] : ahead_)
        if (result.valid())
            result.wait();
}

db::Connection& QueryRunner::connection()
{
    if (!shared_)
        shared_ = std::make_unique<db::Connection>();
    return *shared_;
}

bool QueryRunner::run(Grid& grid, const View& view)
{
    if (view.showGrid)
        grid.setVisible(true);
    HeldFitting fitting(grid);
    std::optional<ProgramError> failed;
    if (mode_ == Mode::SharedStep && failure_) {
        failed = failure_;
    } else {
        try {
            if (mode_ == Mode::SharedStep) {
                const QString key = keyOf(view);
                const auto ahead = std::find_if(ahead_.begin(), ahead_.end(),
                                                [&](const auto& a) { return a.second.valid() && a.first == key; });
                fillGrid(grid, ahead != ahead_.end() ? ahead->second.get() : readView(view, connection()));
            } else {
                db::Connection own;
                fillGrid(grid, readView(view, own));
            }
        } catch (const ProgramError& e) {
            failed = e;
        }
    }

    if (failed) {
        fillGrid(grid, view.header, {});
        layOutNow(grid, view, fitting);
        if (mode_ == Mode::PerClick) {
            showProgramError(failed->number, failed->description);
        } else if (!failure_) {
            failure_ = failed;
            // A connection that failed once is not asked again in this step.
            shared_.reset();
        }
        return false;
    }
    layOutNow(grid, view, fitting);
    return true;
}

void QueryRunner::prefetch(const std::vector<View>& views)
{
    if (mode_ != Mode::SharedStep || failure_)
        return;
    try {
        // The step's own connection first: it brings a missing file or
        // table into being before the others look at it.
        connection();
    } catch (const ProgramError& e) {
        // As run() meets a failure: the step asks the file no more.
        failure_ = e;
        shared_.reset();
        return;
    }
    QThreadPool& readers = db::ReaderThreads::instance().views();
    for (const View& view : views) {
        auto result = std::make_shared<std::promise<db::ColumnRows>>();
        ahead_.emplace_back(keyOf(view), result->get_future());
        readers.start([view, result] {
            try {
                db::Connection own;
                result->set_value(readView(view, own));
            } catch (...) {
                result->set_exception(std::current_exception());
            }
        });
    }
}

void QueryRunner::report()
{
    if (!failure_ || reported_)
        return;
    reported_ = true;
    showProgramError(failure_->number, failure_->description);
}

}  // namespace browser
