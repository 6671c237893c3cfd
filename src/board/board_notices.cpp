#include "board/board_notices.h"

#include "board/notices.h"
#include "platform/interaction.h"
#include "presentation/center_form.h"

namespace board {

Notices::Notices(QWidget* board) : board_(board) {}

Notices::~Notices() = default;

void Notices::show(const QString& text)
{
    // Building, showing and destroying a window for each play was a third of
    // the play's time. The box is set up afresh for each notice, so none
    // differs from a new one.
    std::unique_ptr<CustMsgBox> own;
    CustMsgBox* box = nullptr;
    if (!(box_ && box_->isVisible())) {
        if (!box_)
            box_ = std::make_unique<CustMsgBox>();
        box = box_.get();
    } else {
        own = std::make_unique<CustMsgBox>();
        box = own.get();
    }
    // Centred over the board where it stands now, the first notice included.
    if (board_)
        CenterOverMain(board_, {box});
    box->setMessage(text);
    platform::interaction().showModal(*box);
}

}  // namespace board
