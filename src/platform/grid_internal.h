#pragma once
// What the grid's own files share and its callers need not see.
#include "common/numbers.h"

#include <QChar>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace grid::detail {

constexpr int InvalidRowValue = 30009;
constexpr int InvalidColValue = 30010;
constexpr int GeneralAlignment = 9;
// An index of a text not yet given its new place.
constexpr quint32 Unmapped = 0xFFFFFFFFu;

// A cell counts as a number when it reads strictly as one ("." or the
// user's separator, which formatted columns use).
inline std::optional<double> numberIn(QStringView text, QChar separator)
{
    const auto n = num::plain(text, separator);
    return n ? std::optional<double>(n->value) : std::nullopt;
}

inline QChar decimalSeparator()
{
    const QString sep = QLocale().decimalPoint();
    return sep.size() == 1 ? sep.front() : QChar(u'.');
}

inline std::optional<double> numberIn(const QString& text)
{
    return numberIn(text, decimalSeparator());
}

}  // namespace grid::detail
