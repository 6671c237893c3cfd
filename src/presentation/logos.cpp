#include "presentation/logos.h"

#include "common/program_folder.h"
#include "presentation/photos.h"
#include "presentation/picture_box.h"

namespace logos {

QString teamLogoFile(const QString& teamName)
{
    if (!folder::isPlainName(teamName))
        return QString();
    return folder::resolve(QStringLiteral("Logos/") + teamName + QStringLiteral(".jpg"));
}

QString fallbackFile(board::Side side)
{
    return folder::resolve(side == board::Side::Visitors ? QStringLiteral("Logos/VisLogo.jpg")
                                                         : QStringLiteral("Logos/HomeLogo.jpg"));
}

QString placeholderFile()
{
    return folder::resolve(QStringLiteral("LogoNotSet.jpg"));
}

void showPlaceholder(PictureBox& sheetLogo)
{
    // Without its picture file the box still reads "Logo Not Set" from its
    // own caption.
    const QPixmap placeholder = photos::loadPicture(placeholderFile());
    if (placeholder.isNull())
        sheetLogo.clearPicture();
    else
        sheetLogo.setPicture(placeholder);
}

void showTeamLogo(PictureBox& boardLogo, PictureBox& sheetLogo, const QString& teamName, board::Side side)
{
    const QPixmap logo = photos::loadPicture(teamLogoFile(teamName));
    if (!logo.isNull()) {
        boardLogo.setPicture(logo);
        sheetLogo.setPicture(logo);
        return;
    }
    showPlaceholder(sheetLogo);
    if (!boardLogo.hasPicture()) {
        const QPixmap fallback = photos::loadPicture(fallbackFile(side));
        if (!fallback.isNull())
            boardLogo.setPicture(fallback);
    }
}

}  // namespace logos
