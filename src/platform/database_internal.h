#pragma once
// What the database's own files share and its callers need not see.
#include <QString>
#include <QStringList>

namespace db::detail {

// An identifier as SQL text, in double quotes ("1B" is a field, not a number).
QString quoted(const QString& identifier);

// The texts of 0 to 999, shared by every result.
const QStringList& smallWholes();

}  // namespace db::detail
