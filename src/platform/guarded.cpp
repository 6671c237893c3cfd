#include "platform/guarded.h"

#include "platform/interaction.h"

#include <QMessageBox>
#include <new>

void showProgramError(int number, const QString& description)
{
    platform::interaction().msgBox(programErrorText(number, description), QMessageBox::Ok,
                                   QStringLiteral("Program Error"), QMessageBox::Critical);
}

bool guarded(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const ProgramError& e) {
        showProgramError(e.number, e.description);
    } catch (const std::bad_alloc&) {
        showProgramError(errors::OutOfMemory, errors::describe(errors::OutOfMemory));
    } catch (const std::exception& e) {
        showProgramError(errors::InvalidCall, QString::fromLocal8Bit(e.what()));
    }
    return false;
}
