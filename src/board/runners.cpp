// Runner pieces on the field, "RESET" and the base tracker. The board never
// moves a runner: pieces move only when the user drags them.
#include "board/form1.h"
#include "common/colours.h"
#include "platform/guarded.h"
#include "presentation/control_resizer.h"

#include <QApplication>
#include <cmath>

namespace {

// Start places of the pieces, as fractions of the board's outer width.
constexpr double PieceLeftFactor[4] = {0.0126, 0.1011, 0.7019, 0.7905};
constexpr double PieceGapBelow = 1.175;

void setMarkerColour(QWidget* marker, unsigned bgr)
{
    marker->setProperty("backColor", bgr);
    marker->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid black;")
                              .arg(colours::fromBgr(bgr).name()));
}

unsigned markerColour(const QWidget* marker)
{
    const QVariant v = marker->property("backColor");
    return v.isValid() ? v.toUInt() : colours::White;
}

}  // namespace

void Form1::wirePieces()
{
    for (int n = 1; n <= 4; ++n) {
        PictureBox* piece = pb_Player[static_cast<size_t>(n - 1)];
        ClickLabel* caption = lbl_Player[static_cast<size_t>(n - 1)];
        connect(piece, &ClickLabel::MouseDown, this,
                [this, n](int, int, double x, double y) { pb_Player_MouseDown(n, x, y); });
        connect(piece, &ClickLabel::MouseMove, this, [this, n](int button, int shift, double x, double y) {
            pb_Player_MouseMove(n, button, shift, x, y);
        });
        connect(piece, &ClickLabel::MouseUp, this,
                [this, n](int, int shift, double, double) { pb_Player_MouseUp(n, shift); });
        connect(piece, &ClickLabel::DblClick, this, [this, n] { guarded([this, n] { pb_Player_DblClick(n); }); });
        connect(caption, &ClickLabel::DblClick, this, [this, n] { guarded([this, n] { lbl_Player_DblClick(n); }); });
    }
    connect(pb_BaseTracker, &ClickLabel::MouseMove, this,
            [this](int button, int shift, double x, double y) { pb_BaseTracker_MouseMove(button, shift, x, y); });
    for (int m = 1; m <= 3; ++m) {
        setMarkerColour(lbl_tracker[static_cast<size_t>(m - 1)], colours::White);
        connect(lbl_tracker[static_cast<size_t>(m - 1)], &ClickLabel::Click, this, [this, m] { lbl_tracker_Click(m); });
    }
    connect(Command11, &QPushButton::clicked, this, [this] { guarded([this] { Command11_Click(); }); });
    // The release over "RESET" lays the board out again, as a piece's does.
    connect(Command11, &QPushButton::released, this, [this] { guarded([this] { SupplementalResize(); }); });
}

// ---------------------------------------------------------------- clearing

bool Form1::PieceIsFree(int piece) const
{
    const auto i = static_cast<size_t>(piece - 1);
    return !pb_Player[i]->hasPicture() && lbl_Player[i]->text().isEmpty();
}

void Form1::ClearPiece(int piece, bool forgetName)
{
    const auto i = static_cast<size_t>(piece - 1);
    pb_Player[i]->clearPicture();
    lbl_Player[i]->setText(QString());
    lbl_Player[i]->hide();
    if (forgetName)
        pb_Player[i]->hiddenText.clear();
}

void Form1::pb_Player_DblClick(int piece)
{
    ClearPiece(piece, true);
}

void Form1::lbl_Player_DblClick(int piece)
{
    ClearPiece(piece, false);
}

void Form1::PutPiecesAtStartPlaces()
{
    // Two at the bottom left of the field, two at the bottom right, from the
    // board's outer width and the field's height as they are now.
    const int boardWidth = frameGeometry().width();
    for (size_t i = 0; i < 4; ++i) {
        PictureBox* piece = pb_Player[i];
        const double left = boardWidth * PieceLeftFactor[i];
        const double top = Picture1->height() - piece->height() * PieceGapBelow;
        piece->move(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)));
    }
}

void Form1::ClearBases()
{
    guarded([this] {
        for (PictureBox* token : Image)
            token->clearPicture();
        for (PictureBox* piece : pb_Player)
            piece->clearPicture();
        PutPiecesAtStartPlaces();
        for (ClickLabel* caption : lbl_Player) {
            caption->setText(QString());
            caption->hide();
        }
        ScoreUpdate();
        ChangeOfState();
        resizer().InitializeResizer(this);
    });
}

void Form1::Command11_Click()
{
    ClearBases();
}

// ---------------------------------------------------------------- dragging

void Form1::pb_Player_MouseDown(int piece, double x, double y)
{
    const auto i = static_cast<size_t>(piece - 1);
    piecePress_[i] = pb_Player[i]->mapTo(this, QPointF(x, y).toPoint());
    pieceDragged_[i] = false;
}

void Form1::pb_Player_MouseMove(int piece, int button, int /*shift*/, double x, double y)
{
    if (button != 1)
        return;
    const auto i = static_cast<size_t>(piece - 1);
    PictureBox* box = pb_Player[i];
    const QPoint pointer = box->mapTo(this, QPointF(x, y).toPoint());
    if ((pointer - piecePress_[i]).manhattanLength() >= QApplication::startDragDistance())
        pieceDragged_[i] = true;
    // The piece's centre jumps to the pointer and follows it.
    box->move(static_cast<int>(std::lround(box->x() - box->width() / 2.0 + x)),
              static_cast<int>(std::lround(box->y() - box->height() / 2.0 + y)));
    guarded([this] { resizer().InitializeResizer(this); });
}

void Form1::pb_Player_MouseUp(int piece, int shift)
{
    pieceReleaseShift_[static_cast<size_t>(piece - 1)] = shift;
    // A failure in the layout here is reported; the piece and the board stay
    // usable.
    guarded([this] { SupplementalResize(); });
}

// ---------------------------------------------------------------- the base tracker

void Form1::pb_BaseTracker_MouseMove(int button, int shift, double x, double y)
{
    if (isMinimized())
        return;
    if (button == 1 && (shift & 2))
        pb_BaseTracker->move(static_cast<int>(std::lround(pb_BaseTracker->x() - pb_BaseTracker->width() / 2.0 + x)),
                             static_cast<int>(std::lround(pb_BaseTracker->y() - pb_BaseTracker->height() / 2.0 + y)));
}

void Form1::lbl_tracker_Click(int marker)
{
    QWidget* m = lbl_tracker[static_cast<size_t>(marker - 1)];
    setMarkerColour(m, markerColour(m) == colours::TrackerOnColor ? colours::White : colours::TrackerOnColor);
}
