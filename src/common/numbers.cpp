#include "common/numbers.h"

#include <QLocale>
#include <charconv>
#include <cmath>

namespace num {

std::optional<Plain> plain(QStringView text, QChar separator)
{
    text = text.trimmed();
    if (text.isEmpty() || text.size() > 64)
        return std::nullopt;
    char buf[72];
    int n = 0, digits = 0, decimals = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t ch = text[i].unicode();
        if (ch >= u'0' && ch <= u'9') {
            ++digits;
            if (decimals >= 0)
                ++decimals;
            buf[n++] = char(ch);
        } else if ((ch == u'.' || ch == separator.unicode()) && decimals < 0) {
            decimals = 0;
            buf[n++] = '.';
        } else if ((ch == u'+' || ch == u'-') && i == 0) {
            if (ch == u'-')
                buf[n++] = '-';
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0)
        return std::nullopt;
    double v = 0;
    const auto [end, ec] = std::from_chars(buf, buf + n, v);
    if (ec != std::errc() || end != buf + n || !std::isfinite(v))
        return std::nullopt;
    return Plain{v, digits, decimals};
}

double Val(const QString& text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    QString digits;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        digits += text[i++];
    bool anyDigit = false;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        digits += text[i++];
        anyDigit = true;
    }
    if (i < n && text[i] == '.') {
        digits += text[i++];
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            digits += text[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0.0;
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        int j = i + 1;
        QString exp = "e";
        if (j < n && (text[j] == '+' || text[j] == '-'))
            exp += text[j++];
        bool expDigit = false;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            exp += text[j++];
            expDigit = true;
        }
        if (expDigit)
            digits += exp;
    }
    bool ok = false;
    const double v = digits.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return 0.0;
    return v;
}

std::optional<double> strict(const QString& text)
{
    const QString t = text.trimmed();
    int i = 0;
    const int n = t.size();
    if (i < n && (t[i] == '+' || t[i] == '-'))
        ++i;
    bool anyDigit = false;
    while (i < n && t[i] >= '0' && t[i] <= '9') {
        ++i;
        anyDigit = true;
    }
    if (i < n && t[i] == '.') {
        ++i;
        while (i < n && t[i] >= '0' && t[i] <= '9') {
            ++i;
            anyDigit = true;
        }
    }
    if (!anyDigit || i != n)
        return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<long long> strictWhole(const QString& text)
{
    const auto v = strict(text);
    if (!v || std::floor(*v) != *v || std::fabs(*v) > 9.0e15)
        return std::nullopt;
    return static_cast<long long>(*v);
}

QString general(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    QString s = QString::number(value, 'g', 15);
    if (s.contains('e')) {
        // Keep plain decimals for the magnitudes the program meets.
        const double a = std::fabs(value);
        if (a >= 1e-5 && a < 1e15) {
            s = QString::number(value, 'f', 15);
            if (s.contains('.')) {
                while (s.endsWith('0'))
                    s.chop(1);
                if (s.endsWith('.'))
                    s.chop(1);
            }
        }
    }
    return s;
}

QString generalLocale(double value)
{
    QString s = general(value);
    const QString sep = QLocale().decimalPoint();
    if (sep != QLatin1String("."))
        s.replace('.', sep);
    return s;
}

QString text(double value)
{
    if (std::isfinite(value) && std::floor(value) == value && std::fabs(value) < 9.0e15)
        return QString::number(static_cast<long long>(value));
    return general(value);
}

QString hundredthsText(long long hundredths)
{
    const bool negative = hundredths < 0;
    if (negative)
        hundredths = -hundredths;
    QString s = QStringLiteral("%1.%2").arg(hundredths / 100).arg(hundredths % 100, 2, 10, QChar('0'));
    return negative ? QStringLiteral("-") + s : s;
}

}  // namespace num
