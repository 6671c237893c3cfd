// The player-photo folder (Ctrl+click the path to edit it, double-click the
// box to keep it) and the BIG / SM photo-size buttons.
#include "board/form1.h"
#include "board/runners.h"
#include "common/settings.h"
#include "platform/guarded.h"
#include "presentation/photos.h"

#include <cmath>

namespace {

int scaled(int value, double factor)
{
    return static_cast<int>(std::lround(value * factor));
}

}  // namespace

void board::wirePhotos(Form1& f)
{
    QObject::connect(f.lbl_PhotoPath, &ClickLabel::Click, &f, [&f] { guarded([&f] { f.lbl_PhotoPath_Click(); }); });
    events::onDoubleClick(f.tb_PhotoPath, [&f] { guarded([&f] { f.tb_PhotoPath_DblClick(); }); });
    QObject::connect(f.cmd_FotoBig, &QPushButton::clicked, &f, [&f] { guarded([&f] { f.pieces.enlarge(); }); });
    QObject::connect(f.cmd_FotoSmall, &QPushButton::clicked, &f, [&f] { guarded([&f] { f.pieces.shrink(); }); });
}

void Form1::lbl_PhotoPath_Click()
{
    if (!events::ctrlDown() || lbl_PhotoPath->isHidden())
        return;
    tb_PhotoPath->setText(lbl_PhotoPath->text());
    lbl_PhotoPath->hide();
    tb_PhotoPath->show();
    tb_PhotoPath->setFocus();
    tb_PhotoPath->selectAll();
}

void Form1::tb_PhotoPath_DblClick()
{
    if (lbl_PhotoPath->isHidden()) {
        lbl_PhotoPath->setText(tb_PhotoPath->text());
        lbl_PhotoPath->show();
        tb_PhotoPath->hide();
    }
    settings::SaveSetting(QStringLiteral("lbl_PhotoPath"), lbl_PhotoPath->text());
}

void board::RunnerPieces::enlarge() const
{
    for (auto* token : Image)
        token->resize(token->width(), scaled(token->height(), 1.1));
    for (auto* token : Image)
        token->resize(scaled(token->width(), 1.1), token->height());
    for (size_t i = 0; i < 4; ++i)
        pb_Player[i]->resize(pb_Player[i]->width(), Image[i]->height());
    for (size_t i = 0; i < 4; ++i)
        pb_Player[i]->resize(Image[i]->width(), pb_Player[i]->height());
    for (auto* piece : pb_Player)
        ZoomPicture(*piece, 1.0);
}

void board::RunnerPieces::shrink() const
{
    for (auto* token : Image)
        token->resize(token->width(), scaled(token->height(), 0.9));
    for (auto* token : Image)
        token->resize(scaled(token->width(), 0.9), token->height());
    // The token's bottom edge stays where it was, within rounding.
    for (auto* token : Image)
        token->move(token->x(), token->y() + scaled(token->height(), 0.111));
    for (size_t i = 0; i < 4; ++i)
        pb_Player[i]->resize(pb_Player[i]->width(), Image[i]->height());
    for (size_t i = 0; i < 4; ++i)
        pb_Player[i]->resize(Image[i]->width(), pb_Player[i]->height());
    bool onTheLine = false;
    for (auto* piece : pb_Player)
        onTheLine = onTheLine || piece->y() >= Label1->y();
    if (onTheLine)
        for (auto* piece : pb_Player)
            piece->move(piece->x(), Label1->y() - piece->height());
    for (auto* piece : pb_Player)
        ZoomPicture(*piece, 1.0);
}
