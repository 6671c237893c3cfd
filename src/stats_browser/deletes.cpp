#include "stats_browser/deletes.h"

#include "platform/database.h"
#include "platform/guarded.h"
#include "platform/interaction.h"

namespace browser {

bool deleteAfterAsking(const QString& question, const std::vector<Statement>& statements,
                       const QString& completion)
{
    auto& ui = platform::interaction();
    const QString title = platform::applicationTitle();
    if (ui.msgBox(question, QMessageBox::Yes | QMessageBox::No, title, QMessageBox::NoIcon, QMessageBox::No)
        != QMessageBox::Yes)
        return false;
    try {
        db::Connection c;
        c.transaction([&] {
            for (const Statement& s : statements)
                c.exec(s.sql, s.params);
        });
    } catch (const ProgramError& e) {
        showProgramError(e.number, e.description);
        return false;
    }
    ui.msgBox(completion, QMessageBox::Ok, title, QMessageBox::Information);
    return true;
}

}  // namespace browser
