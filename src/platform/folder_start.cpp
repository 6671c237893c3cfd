#include "platform/folder_start.h"

#include "common/program_folder.h"
#include "platform/guarded.h"

#include <QDir>

namespace folder {

void prepareAtStart(const QString& formerFolder)
{
    const QString failed = prepare(formerFolder);
    if (!failed.isEmpty())
        showProgramError(errors::FileAccess,
                         errors::describe(errors::FileAccess) + QStringLiteral(": ") + QDir::toNativeSeparators(failed));
}

}  // namespace folder
