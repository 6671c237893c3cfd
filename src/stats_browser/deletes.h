#pragma once
// The browser's destructive commands: one Yes/No question (No the default,
// so Enter or Escape deletes nothing), then every statement in one
// transaction. A failure rolls all of them back and shows the "Program
// Error" box in place of the completion message.
#include <QString>
#include <QVariantList>
#include <utility>
#include <vector>

namespace browser {

struct Statement {
    QString sql;
    QVariantList params;
};

// Returns whether the statements ran; false also when the user said No.
bool deleteAfterAsking(const QString& question, const std::vector<Statement>& statements,
                       const QString& completion);

}  // namespace browser
