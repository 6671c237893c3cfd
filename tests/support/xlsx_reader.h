#pragma once
// Reads back an .xlsx workbook the program wrote (through the unzip tool),
// so tests check what a spreadsheet program would show: sheet names and
// order, the active sheet, cell values and types, widths, row heights and
// each cell's bold, border, fill and number format.
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

struct XlsxCell {
    QString value;           // the text as a spreadsheet reads it, or the number as written
    bool number = false;     // a numeric cell
    int style = 0;           // index into the workbook's cell formats
};

struct XlsxSheet {
    QString name;
    std::map<QString, XlsxCell> cells;  // by reference ("B2"), only cells present
    std::map<int, double> widths;       // column (0 = A) -> width as stored
    double defaultRowHeight = 0;
    int rowCount = 0;                    // the last row that holds a cell
    bool has(const QString& ref) const { return cells.count(ref) > 0; }
    QString text(const QString& ref) const;  // "" when absent
    // The width as the program set it (the stored width less the padding
    // the format adds), -1 when not set.
    double width(int col) const;
};

struct XlsxStyle {
    bool bold = false;
    QString borderColour;  // "FF99CCFF", "" for none
    QString fillColour;    // "FFFEFEFE", "" for none
    QString numberFormat;  // "" for general
};

class XlsxFile {
public:
    explicit XlsxFile(const QString& path);
    QStringList sheetNames;
    int activeSheet = 0;
    std::vector<XlsxSheet> sheets;
    std::vector<XlsxStyle> styles;

    const XlsxSheet& sheet(const QString& name) const;
    const XlsxStyle& styleOf(const XlsxSheet& s, const QString& ref) const;

private:
    QByteArray member(const QString& path, const QString& name) const;
};
