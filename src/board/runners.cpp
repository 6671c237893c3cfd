// Runner pieces on the field, "RESET" and the base tracker. The board never
// moves a runner: pieces move only when the user drags them.
#include "board/form1.h"
#include "board/panel_look.h"
#include "board/runners.h"
#include "platform/guarded.h"
#include "platform/look.h"
#include "platform/twips.h"
#include "presentation/control_resizer.h"
#include "presentation/photos.h"

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

namespace board {

void RunnerPieces::build(QWidget* field)
{
    for (size_t i = 0; i < 4; ++i) {
        auto* token = new PictureBox(field);
        token->setObjectName(QStringLiteral("Image%1").arg(i + 2));
        token->hide();
        Image[i] = token;
        auto* piece = new PictureBox(field);
        piece->setObjectName(QStringLiteral("pb_Player%1").arg(i + 1));
        piece->setStyleSheet(QStringLiteral("background-color: %1;").arg(colourName(colours::DarkGrey)));
        pb_Player[i] = piece;
        auto* caption = new ClickLabel(piece);
        caption->setObjectName(QStringLiteral("lbl_Player%1").arg(i + 1));
        caption->setAlignment(Qt::AlignCenter);
        caption->setWordWrap(true);
        paintColours(caption, colours::White, 0x00808080);
        look::setFont(caption, QStringLiteral("Calibri"), 8.25);
        // The name band lies across the middle of the piece: a click there
        // is the label's, the top half stays the piece's (stolen-base pick).
        twips::place(caption, 0, (i == 0 || i == 3) ? 840 : 810, 1350, 375);
        caption->hide();
        lbl_Player[i] = caption;
        twips::place(token, 0, 0, 1350, 2025);
        // The start places are set at load, from the board's size.
        twips::place(piece, 0, 0, 1350, 2025);
    }

    pb_BaseTracker = new ClickLabel(field);
    pb_BaseTracker->setObjectName(QStringLiteral("pb_BaseTracker"));
    pb_BaseTracker->setStyleSheet(QStringLiteral("background-color: %1;").arg(colourName(colours::DarkGrey)));
    twips::place(pb_BaseTracker, 45, 45, 1680, 1590);
    // First, second and third base; home plate below has no behaviour.
    const double mx[3] = {1125, 675, 225}, my[3] = {630, 180, 630};
    for (size_t i = 0; i < 3; ++i) {
        auto* m = new ClickLabel(pb_BaseTracker);
        m->setObjectName(QStringLiteral("lbl_tracker%1").arg(i + 1));
        m->setStyleSheet(QStringLiteral("background-color: white; border: 1px solid black;"));
        twips::place(m, mx[i], my[i], 255, 255);
        lbl_tracker[i] = m;
    }
    auto* homePlate = new QLabel(pb_BaseTracker);
    homePlate->setObjectName(QStringLiteral("lbl_tracker"));
    homePlate->setStyleSheet(QStringLiteral("background-color: white; border: 1px solid black;"));
    twips::place(homePlate, 675, 1080, 255, 255);
    pb_BaseTracker->hide();

    Label1 = new QLabel(field);
    Label1->setObjectName(QStringLiteral("Label1"));
    twips::place(Label1, 60, 9870, 17595, 135);
    Label1->hide();
}

// ---------------------------------------------------------------- clearing

bool RunnerPieces::isFree(int piece) const
{
    const size_t i = index(piece);
    return !pb_Player[i]->hasPicture() && lbl_Player[i]->text().isEmpty();
}

void RunnerPieces::clear(int piece, bool forgetName) const
{
    const size_t i = index(piece);
    pb_Player[i]->clearPicture();
    lbl_Player[i]->setText(QString());
    lbl_Player[i]->hide();
    if (forgetName)
        pb_Player[i]->hiddenText.clear();
}

void RunnerPieces::clearAll() const
{
    for (PictureBox* token : Image)
        token->clearPicture();
    for (PictureBox* piece : pb_Player)
        piece->clearPicture();
}

void RunnerPieces::putAtStartPlaces(int boardWidth, int fieldHeight) const
{
    for (size_t i = 0; i < 4; ++i) {
        PictureBox* piece = pb_Player[i];
        const double left = boardWidth * PieceLeftFactor[i];
        const double top = fieldHeight - piece->height() * PieceGapBelow;
        piece->move(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(top)));
    }
}

void RunnerPieces::placeBatter(const QString& name, const QString& photoFolder) const
{
    // A nameless entry is no batter: no piece shows an empty name band.
    if (name.isEmpty())
        return;
    // Read before any piece changes; a missing or unreadable photo shows the
    // name instead.
    const QPixmap photo = photos::loadPicture(photos::PlayerPhotoFile(photoFolder, name));
    for (size_t i = 0; i < pb_Player.size(); ++i) {
        PictureBox* piece = pb_Player[i];
        ClickLabel* caption = lbl_Player[i];
        if (piece->hasPicture() || !caption->text().isEmpty())
            continue;
        PictureBox* token = Image[i];
        if (!photo.isNull()) {
            token->setPicture(photo);
            piece->setPicture(photo);
            piece->resize(token->size());
            piece->hiddenText = name;
            ZoomPicture(*piece, 1.0);
        } else {
            // The token would otherwise keep an earlier batter's photo.
            token->clearPicture();
            caption->setText(name);
            piece->hiddenText = name;
            caption->show();
        }
        return;
    }
}

// ---------------------------------------------------------------- dragging

void RunnerPieces::pressed(int piece, QPoint atBoard)
{
    press_[index(piece)] = atBoard;
    dragged_[index(piece)] = false;
}

void RunnerPieces::movedTo(int piece, QPoint atBoard, double x, double y)
{
    const size_t i = index(piece);
    PictureBox* box = pb_Player[i];
    if ((atBoard - press_[i]).manhattanLength() >= QApplication::startDragDistance())
        dragged_[i] = true;
    // The piece's centre jumps to the pointer and follows it.
    box->move(static_cast<int>(std::lround(box->x() - box->width() / 2.0 + x)),
              static_cast<int>(std::lround(box->y() - box->height() / 2.0 + y)));
}

// ---------------------------------------------------------------- the base tracker

void RunnerPieces::trackerMoved(int button, int shift, double x, double y) const
{
    if (button == 1 && (shift & 2))
        pb_BaseTracker->move(static_cast<int>(std::lround(pb_BaseTracker->x() - pb_BaseTracker->width() / 2.0 + x)),
                             static_cast<int>(std::lround(pb_BaseTracker->y() - pb_BaseTracker->height() / 2.0 + y)));
}

void RunnerPieces::trackerClicked(int marker) const
{
    QWidget* m = lbl_tracker[index(marker)];
    setMarkerColour(m, markerColour(m) == colours::TrackerOnColor ? colours::White : colours::TrackerOnColor);
}

}  // namespace board

void board::wirePieces(Form1& f)
{
    RunnerPieces& pieces = f.pieces;
    for (int n = 1; n <= 4; ++n) {
        PictureBox* piece = pieces.pb_Player[static_cast<size_t>(n - 1)];
        ClickLabel* caption = pieces.lbl_Player[static_cast<size_t>(n - 1)];
        QObject::connect(piece, &ClickLabel::MouseDown, &f, [&f, piece, n](int, int, double x, double y) {
            f.pieces.pressed(n, piece->mapTo(&f, QPointF(x, y).toPoint()));
        });
        QObject::connect(piece, &ClickLabel::MouseMove, &f, [&f, piece, n](int button, int, double x, double y) {
            if (button != 1)
                return;
            f.pieces.movedTo(n, piece->mapTo(&f, QPointF(x, y).toPoint()), x, y);
            guarded([&f] { f.resizer().InitializeResizer(&f); });
        });
        QObject::connect(piece, &ClickLabel::MouseUp, &f, [&f, n](int, int shift, double, double) {
            f.pieces.released(n, shift);
            // A failure in the layout here is reported; the piece and the
            // board stay usable.
            guarded([&f] { f.SupplementalResize(); });
        });
        // The piece's own double-click also forgets the player's name.
        QObject::connect(piece, &ClickLabel::DblClick, &f, [&f, n] { guarded([&f, n] { f.pieces.clear(n, true); }); });
        QObject::connect(caption, &ClickLabel::DblClick, &f,
                         [&f, n] { guarded([&f, n] { f.pieces.clear(n, false); }); });
    }
    QObject::connect(pieces.pb_BaseTracker, &ClickLabel::MouseMove, &f, [&f](int button, int shift, double x, double y) {
        if (!f.isMinimized())
            f.pieces.trackerMoved(button, shift, x, y);
    });
    for (int m = 1; m <= 3; ++m) {
        setMarkerColour(pieces.lbl_tracker[static_cast<size_t>(m - 1)], colours::White);
        QObject::connect(pieces.lbl_tracker[static_cast<size_t>(m - 1)], &ClickLabel::Click, &f,
                         [&f, m] { f.pieces.trackerClicked(m); });
    }
    QObject::connect(f.Command11, &QPushButton::clicked, &f, [&f] { guarded([&f] { f.ClearBases(); }); });
    // The release over "RESET" lays the board out again, as a piece's does.
    QObject::connect(f.Command11, &QPushButton::released, &f, [&f] { guarded([&f] { f.SupplementalResize(); }); });
}

void Form1::ClearBases()
{
    guarded([this] {
        pieces.clearAll();
        pieces.putAtStartPlaces(frameGeometry().width(), Picture1->height());
        for (ClickLabel* caption : lbl_Player) {
            caption->setText(QString());
            caption->hide();
        }
        ScoreUpdate();
        ChangeOfState();
        resizer().InitializeResizer(this);
    });
}
