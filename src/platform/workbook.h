#pragma once
// Writing a spreadsheet workbook (.xlsx) of named sheets.
//
// Rows are streamed: each sheet is written top to bottom and a row is gone
// from memory once a later one is started, so a sheet of a million rows
// costs no more memory than one of ten. Within a row, cells may come in any
// order; a cell of an earlier row can no longer be written.
//
// The workbook is written under a temporary name in the target folder and
// given its own name only once it is complete, so a failed workbook leaves no
// file behind, and an existing file is never replaced. A writer holds a lock
// on its temporary file while it works; one that was killed leaves the file
// unlocked, which tells a later writer that nobody will finish it.
//
// Every text reads back in a spreadsheet exactly as it was given, whatever
// characters it holds.
#include <QRgb>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

namespace platform {

class Workbook {
public:
    // How a cell looks. Colours are opaque RGB; 0 leaves the part unset.
    struct Style {
        bool bold = false;
        QRgb border = 0;  // a thin line of this colour on all four sides
        QRgb fill = 0;    // a solid fill
        QString numberFormat;
        bool operator<(const Style& o) const
        {
            return std::tie(bold, border, fill, numberFormat) < std::tie(o.bold, o.border, o.fill, o.numberFormat);
        }
    };
    // A style made once per workbook; nullptr is the default look.
    using StyleRef = lxw_format*;

    class Sheet {
    public:
        // Width in the spreadsheet's character units.
        void setColumnWidth(int col, double width);
        // The height of every row that is not given one of its own (points).
        void setDefaultRowHeight(double points);
        // Row and column count from 0 (A1 is 0, 0).
        void writeText(int row, int col, const QString& text, StyleRef style = nullptr);
        // A text as UTF-8 bytes, written as they are where they can be (a
        // database's texts come so, and need no conversion). Writes nothing
        // and returns false where the bytes need a reading of their own:
        // not well-formed UTF-8, a NUL, or U+FFFE or U+FFFF.
        bool writeUtf8(int row, int col, std::string_view utf8, StyleRef style = nullptr);
        void writeNumber(int row, int col, double value, StyleRef style = nullptr);
        // An empty cell that carries a style (nothing at all without one).
        void writeBlank(int row, int col, StyleRef style);

    private:
        friend class Workbook;
        Sheet(lxw_worksheet* ws, QString name) : ws_(ws), name_(std::move(name)) {}
        [[noreturn]] void failed(int error, int row, int col) const;
        [[noreturn]] void tooLong(int row, int col) const;
        lxw_worksheet* ws_;
        QString name_;
        std::string utf8_;  // the text being written, reused from cell to cell
    };

    // The most rows a sheet holds, its first row included.
    static constexpr int MaxRows = 1048576;
    // The longest text a cell holds.
    static constexpr int MaxTextLength = 32767;

    // The workbook will be "<folder>/<baseName>.xlsx", or "<baseName>_2.xlsx",
    // "_3" ... when that name is taken, with the mode of any new file the
    // user makes. The folder must exist. Throws ProgramError 75 naming the
    // folder when nothing can be written there.
    Workbook(const QString& folder, const QString& baseName);
    // An unsaved workbook is discarded with its temporary file.
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // Removes the temporary files that writers of workbooks named after
    // baseNamePattern (a wildcard: "Report_*") left in folder and no running
    // writer holds. Files that cannot be removed are left.
    static void removeAbandoned(const QString& folder, const QString& baseNamePattern);

    // Sheets appear in the order they are added; the first is the active one.
    Sheet& addSheet(const QString& name);
    StyleRef style(const Style& s);

    // Completes the file and gives it its name; returns the path. Throws
    // ProgramError 75 with the path when it cannot be written (the temporary
    // file is then removed and no workbook appears).
    QString save();

private:
    [[noreturn]] void failedToWrite(const QString& path, const QString& detail) const;

    QString folder_;
    QString baseName_;
    QString tempPath_;
    int tempFd_ = -1;  // open, and locked, while the workbook is written
    lxw_workbook* wb_ = nullptr;
    std::vector<std::unique_ptr<Sheet>> sheets_;
    std::map<Style, StyleRef> styles_;
};

}  // namespace platform
