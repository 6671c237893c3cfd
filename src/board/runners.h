#pragma once
// The runner pieces on the field and the base tracker. A piece shows the
// batter's photo or, without one, his name on a band across its middle; it
// keeps the player's name. The board never moves a piece: only the user
// drags one.
#include <QPoint>
#include <array>

class ClickLabel;
class PictureBox;
class QLabel;
class QString;
class QWidget;

namespace board {

class RunnerPieces {
public:
    void build(QWidget* field);

    // Pieces are numbered 1 to 4.
    // A piece is free when it shows neither a photo nor a name.
    bool isFree(int piece) const;
    // Empties a piece's picture and caption; forgetName also forgets the
    // player's name.
    void clear(int piece, bool forgetName) const;
    // Every piece and its token emptied.
    void clearAll() const;
    // Two at the bottom left of the field, two at the bottom right, from the
    // board's outer width and the field's height as they are now.
    void putAtStartPlaces(int boardWidth, int fieldHeight) const;
    // The batter on the first free piece: his photo, or his name without one.
    void placeBatter(const QString& name, const QString& photoFolder) const;
    // BIG and SM: the pieces grow or shrink by a tenth, their tokens with them.
    void enlarge() const;
    void shrink() const;

    // A drag: the press (board coordinates), then each move with the pointer
    // where it now is; a piece moved far enough has been dragged, not clicked.
    void pressed(int piece, QPoint atBoard);
    void movedTo(int piece, QPoint atBoard, double x, double y);
    void released(int piece, int shift) { releaseShift_[index(piece)] = shift; }
    bool dragged(int piece) const { return dragged_[index(piece)]; }
    // The modifier keys at the piece's last release.
    int releaseShift(int piece) const { return releaseShift_[index(piece)]; }

    // The tracker follows the pointer while Ctrl and the left button are held.
    void trackerMoved(int button, int shift, double x, double y) const;
    // A marker flips between white and lit.
    void trackerClicked(int marker) const;

    std::array<PictureBox*, 4> pb_Player{};  // hiddenText: the player's name
    std::array<ClickLabel*, 4> lbl_Player{};
    std::array<PictureBox*, 4> Image{};  // Image2 .. Image5: the photo and the size
    ClickLabel* pb_BaseTracker = nullptr;
    std::array<ClickLabel*, 3> lbl_tracker{};
    QLabel* Label1 = nullptr;  // hidden line: the lowest top the SM button lets a piece keep

private:
    static size_t index(int piece) { return static_cast<size_t>(piece - 1); }
    std::array<QPoint, 4> press_{};
    std::array<bool, 4> dragged_{};
    std::array<int, 4> releaseShift_{};
};

}  // namespace board
