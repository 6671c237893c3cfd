// How sheet cells become bound values: the strict checks the save runs
// first, and the typed NULL of an empty cell.
#include "platform/database.h"

#include "common/numbers.h"

namespace db {

QVariant nullOf(Type type)
{
    switch (type) {
    case Type::Integer: return QVariant(QMetaType::fromType<qlonglong>());
    case Type::Real: return QVariant(QMetaType::fromType<double>());
    case Type::Text: break;
    }
    return QVariant(QMetaType::fromType<QString>());
}

bool isCount(const QString& cell)
{
    const QString t = cell.trimmed();
    return t.isEmpty() || num::strictWhole(t).has_value();
}

QVariant countValue(const QString& cell)
{
    const QString t = cell.trimmed();
    if (t.isEmpty())
        return nullOf(Type::Integer);
    const auto v = num::strictWhole(t);
    if (!v)
        errors::raise(errors::TypeMismatch);
    return QVariant(static_cast<qlonglong>(*v));
}

QVariant inningsValue(const QString& cell)
{
    const QString t = cell.trimmed();
    if (t.isEmpty())
        return nullOf(Type::Real);
    const auto v = num::strict(t);
    if (!v)
        errors::raise(errors::TypeMismatch);
    return QVariant(*v);
}

}  // namespace db
