#pragma once
// The tabletop dice: the one random generator behind every roll, the value a
// draw gives on a die, the coloured dice's looks and places, the body the
// coloured dice are drawn with, the die-face picture files, and the watch
// that turns Ctrl+F12 into one toggle per press.
#include <QObject>
#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>

namespace dice {

// A uniform value in [0, 1) from the program's one generator, seeded once
// at its first use; consecutive draws are independent.
double draw();
// Restarts the generator from a fixed seed (tests).
void seed(std::uint64_t value);

// The face a draw r in [0, 1) shows on a die of that many sides: 1 to sides,
// or 0 to sides - 1 for the ten-sided dice, which are numbered from 0.
int faceOf(double r, int sides, bool fromZero = false);

// One coloured die, places in twips inside its panel, colours &H00BBGGRR.
struct ColourDie {
    const char* label;  // the number label
    const char* body;   // the body shape
    int sides;
    bool fromZero;
    std::uint32_t bodyColour;
    std::uint32_t numberColour;
    int bodyLeft, bodyTop;
    int labelLeft, labelTop;
    bool speckled;
};

// The eight coloured dice in the order a roll draws and writes them.
const std::array<ColourDie, 8>& colourDice();

// The face-image dice: red, green and white, each with its six faces.
inline constexpr const char* faceDieColours[3] = {"Red", "Green", "White"};
// The face roller's twenty-sided die: black on yellow (&H0000FFFF).
inline constexpr std::uint32_t TwentyYellow = 0x0000FFFF;
// The picture of face n (1 to 6) of die d (0 red, 1 green, 2 white), under
// the program folder.
QString faceFile(int die, int face);

}  // namespace dice

// The body of a coloured die: a square with curved corners, filled with its
// colour, black border; the speckled die carries small dark flecks.
class DieBody : public QWidget {
    Q_OBJECT
public:
    DieBody(std::uint32_t bodyColour, bool speckled, QWidget* parent = nullptr);
    std::uint32_t bodyColour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    std::uint32_t colour_;
    bool speckled_;
};

// Watches the program's key events for a key pressed together with Ctrl, in
// either order, for a timer to poll. Each press of the combination is
// reported by the next poll, once, however long the keys stay down and
// however short the press was (a quick tap between two polls counts too).
// Auto-repeat is ignored, and a press not yet polled is forgotten when the
// program loses activation.
class CtrlKeyWatch : public QObject {
    Q_OBJECT
public:
    CtrlKeyWatch(int key, QObject* parent = nullptr);
    // True when the combination was pressed since the last poll.
    bool poll();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    int key_;
    bool keyDown_ = false;
    bool pressed_ = false;
};
