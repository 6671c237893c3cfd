#include "support/xlsx_reader.h"

#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace {

int rowOf(const QString& ref)
{
    int i = 0;
    while (i < ref.size() && ref[i].isLetter())
        ++i;
    return ref.mid(i).toInt();
}

// Hands each start element of a document to f, with the reader (positioned
// on it, so f may read its text) and its attributes.
void eachElement(const QByteArray& xml,
                 const std::function<void(QXmlStreamReader&, QStringView, const QXmlStreamAttributes&)>& f)
{
    QXmlStreamReader x(xml);
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement()) {
            const QXmlStreamAttributes a = x.attributes();
            f(x, x.name(), a);
        }
    }
}

// A spreadsheet's reading of "_xHHHH_": the UTF-16 unit of that number.
QString decodeEscapes(const QString& stored)
{
    static const QRegularExpression escape(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype from = 0;
    for (auto it = escape.globalMatch(stored); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(stored).mid(from, m.capturedStart() - from);
        out += QChar(char16_t(m.captured(1).toUShort(nullptr, 16)));
        from = m.capturedEnd();
    }
    out += QStringView(stored).mid(from);
    return out;
}

}  // namespace

QString XlsxSheet::text(const QString& ref) const
{
    const auto it = cells.find(ref);
    return it == cells.end() ? QString() : it->second.value;
}

double XlsxSheet::width(int col) const
{
    const auto it = widths.find(col);
    if (it == widths.end())
        return -1;
    // Widths of 1 and more are stored with about 0.71 of padding.
    return std::floor(it->second);
}

QByteArray XlsxFile::member(const QString& path, const QString& name) const
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), path, name});
    if (!unzip.waitForFinished(60000) || unzip.exitCode() != 0)
        ADD_FAILURE() << "unzip could not read " << name.toStdString() << " of " << path.toStdString();
    return unzip.readAllStandardOutput();
}

XlsxFile::XlsxFile(const QString& path)
{
    eachElement(member(path, QStringLiteral("xl/workbook.xml")),
                [&](QXmlStreamReader&, QStringView n, const QXmlStreamAttributes& a) {
                    if (n == QLatin1String("sheet"))
                        sheetNames << a.value(QLatin1String("name")).toString();
                    if (n == QLatin1String("workbookView") && a.hasAttribute(QLatin1String("activeTab")))
                        activeSheet = a.value(QLatin1String("activeTab")).toInt();
                });
    {
        std::map<int, QString> numFmts;
        std::vector<bool> fontBold;
        std::vector<QString> fills, borders;
        QString section;
        eachElement(member(path, QStringLiteral("xl/styles.xml")),
                    [&](QXmlStreamReader&, QStringView n, const QXmlStreamAttributes& a) {
            if (n == QLatin1String("numFmt"))
                numFmts[a.value(QLatin1String("numFmtId")).toInt()] = a.value(QLatin1String("formatCode")).toString();
            else if (n == QLatin1String("fonts") || n == QLatin1String("fills") || n == QLatin1String("borders")
                     || n == QLatin1String("cellXfs") || n == QLatin1String("cellStyleXfs"))
                section = n.toString();
            else if (n == QLatin1String("font") && section == QLatin1String("fonts"))
                fontBold.push_back(false);
            else if (n == QLatin1String("b") && section == QLatin1String("fonts"))
                fontBold.back() = true;
            else if (n == QLatin1String("fill"))
                fills.emplace_back();
            else if (n == QLatin1String("fgColor") && section == QLatin1String("fills"))
                fills.back() = a.value(QLatin1String("rgb")).toString();
            else if (n == QLatin1String("border"))
                borders.emplace_back();
            else if (n == QLatin1String("color") && section == QLatin1String("borders"))
                borders.back() = a.value(QLatin1String("rgb")).toString();
            else if (n == QLatin1String("xf") && section == QLatin1String("cellXfs")) {
                XlsxStyle s;
                s.bold = fontBold.at(size_t(a.value(QLatin1String("fontId")).toInt()));
                s.fillColour = fills.at(size_t(a.value(QLatin1String("fillId")).toInt()));
                s.borderColour = borders.at(size_t(a.value(QLatin1String("borderId")).toInt()));
                const int fmt = a.value(QLatin1String("numFmtId")).toInt();
                s.numberFormat = numFmts.count(fmt) ? numFmts[fmt] : QString();
                styles.push_back(s);
            }
        });
    }
    for (int i = 0; i < sheetNames.size(); ++i) {
        XlsxSheet s;
        s.name = sheetNames[i];
        QString ref;
        eachElement(member(path, QStringLiteral("xl/worksheets/sheet%1.xml").arg(i + 1)),
                    [&](QXmlStreamReader& x, QStringView n, const QXmlStreamAttributes& a) {
            if (n == QLatin1String("sheetFormatPr")) {
                s.defaultRowHeight = a.value(QLatin1String("defaultRowHeight")).toDouble();
            } else if (n == QLatin1String("col")) {
                for (int c = a.value(QLatin1String("min")).toInt(); c <= a.value(QLatin1String("max")).toInt(); ++c)
                    s.widths[c - 1] = a.value(QLatin1String("width")).toDouble();
            } else if (n == QLatin1String("c")) {
                ref = a.value(QLatin1String("r")).toString();
                XlsxCell& c = s.cells[ref];
                c.style = a.value(QLatin1String("s")).toInt();
                c.number = a.value(QLatin1String("t")).isEmpty();
                s.rowCount = std::max(s.rowCount, rowOf(ref));
            } else if (n == QLatin1String("v")) {
                s.cells[ref].value = x.readElementText();
            } else if (n == QLatin1String("t")) {
                s.cells[ref].value = decodeEscapes(x.readElementText());
            }
        });
        sheets.push_back(std::move(s));
    }
}

const XlsxSheet& XlsxFile::sheet(const QString& name) const
{
    for (const XlsxSheet& s : sheets)
        if (s.name == name)
            return s;
    ADD_FAILURE() << "no sheet " << name.toStdString();
    static const XlsxSheet none;
    return none;
}

const XlsxStyle& XlsxFile::styleOf(const XlsxSheet& s, const QString& ref) const
{
    const auto it = s.cells.find(ref);
    const size_t index = it == s.cells.end() ? 0 : size_t(it->second.style);
    return styles.at(index);
}
