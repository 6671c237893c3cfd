#pragma once
// How the program reads numbers out of the texts held in its controls and
// writes them back. The board is lenient with what the user typed in some
// places and strict in others; grid cells are read as the grid shows them.
#include <QString>
#include <QStringView>
#include <optional>

namespace num {

// Lenient reading: leading blanks skipped, the number ends at the first
// character that cannot continue it; nothing numeric, or a value too large
// for a double, reads 0. Never fails.
double Val(const QString& text);

// Strict reading: blanks around the number, an optional sign and a decimal
// fraction; anything else (empty text included) is a failure.
std::optional<double> strict(const QString& text);

// A number as a grid cell shows it: blanks around, an optional sign, digits
// with at most one decimal point ("." or the given separator), no exponent,
// at most 64 characters. Read without allocating: whole columns are read
// cell by cell.
struct Plain {
    double value;
    int digits;    // digits in all
    int decimals;  // digits after the point, -1 without one
};
std::optional<Plain> plain(QStringView text, QChar separator = u'.');

// Strict reading of a whole number; a fraction or anything else fails.
std::optional<long long> strictWhole(const QString& text);

// The general number format: the shortest decimal form with at most 15
// significant digits, no trailing zeros, no leading blank, "." as separator.
QString general(double value);

// The same, with the system's decimal separator (log markers).
QString generalLocale(double value);

// A count written back into a control: whole numbers without a fraction.
QString text(double value);
inline QString text(long long value) { return QString::number(value); }
inline QString text(int value) { return QString::number(value); }

// A count of hundredths as two decimals with "." (-125 reads "-1.25").
QString hundredthsText(long long hundredths);

}  // namespace num
