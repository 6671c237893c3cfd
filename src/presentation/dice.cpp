#include "presentation/dice.h"

#include "common/colours.h"
#include "common/program_folder.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <random>

namespace dice {

namespace {

std::mt19937_64& generator()
{
    static std::mt19937_64 g{[] {
        std::random_device device;
        return (std::uint64_t(device()) << 32) ^ device();
    }()};
    return g;
}

}  // namespace

double draw()
{
    // The top 53 bits: every double in [0, 1) the steps can reach, never 1.
    return double(generator()() >> 11) * 0x1.0p-53;
}

void seed(std::uint64_t value)
{
    generator().seed(value);
}

int faceOf(double r, int sides, bool fromZero)
{
    const int face = static_cast<int>(std::floor(r * sides)) + (fromZero ? 0 : 1);
    return fromZero ? std::clamp(face, 0, sides - 1) : std::clamp(face, 1, sides);
}

const std::array<ColourDie, 8>& colourDice()
{
    static const std::array<ColourDie, 8> table{{
        {"lbl_R10", "shp_R10", 10, true, 0x000000FF, 0x00FFFFFF, 90, 90, 210, 240, false},
        {"lbl_W10", "shp_W10", 10, true, 0x00FFFFFF, 0x00000000, 780, 90, 900, 240, false},
        {"lbl_B10", "shp_B10", 10, true, 0x00FF0000, 0x00FFFFFF, 1470, 90, 1590, 240, false},
        {"lbl_Y10", "shp_Y10", 10, true, 0x0000FFFF, 0x00000000, 90, 750, 210, 900, false},
        {"lbl_G20", "shp_G20", 20, false, 0x0000FF00, 0x00000000, 1470, 1410, 1590, 1560, false},
        {"lbl_BLK4", "shp_BLK4", 4, false, 0x00000000, 0x00FFFFFF, 780, 1410, 900, 1560, false},
        {"lbl_SPECK12", "shp_SPECK12", 12, false, 0x00E0E0E0, 0x000000C0, 90, 1410, 210, 1560, true},
        {"lbl_P6", "shp_P6", 6, false, 0x00FF80FF, 0x00000000, 1485, 2070, 1585, 2205, false},
    }};
    return table;
}

QString faceFile(int die, int face)
{
    return folder::resolve(QStringLiteral("Dice/%1%2.bmp").arg(QLatin1String(faceDieColours[die])).arg(face));
}

}  // namespace dice

// ---------------------------------------------------------------- DieBody

DieBody::DieBody(std::uint32_t bodyColour, bool speckled, QWidget* parent)
    : QWidget(parent), colour_(bodyColour), speckled_(speckled)
{
    // A body has no handlers of its own: a press on it belongs to the panel
    // beneath, which drags the dice.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void DieBody::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const double radius = std::min(box.width(), box.height()) * 0.18;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(colours::fromBgr(colour_));
    p.drawRoundedRect(box, radius, radius);
    if (!speckled_)
        return;
    // Fixed places, so the die looks the same at every paint.
    static const double flecks[][2] = {{0.2, 0.25}, {0.75, 0.2}, {0.5, 0.12}, {0.15, 0.7}, {0.85, 0.6},
                                       {0.3, 0.88}, {0.7, 0.85}, {0.9, 0.35}, {0.1, 0.45}, {0.55, 0.92}};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x50, 0x50, 0x50));
    const double dot = std::max(1.0, box.width() * 0.035);
    for (const auto& f : flecks)
        p.drawEllipse(QPointF(box.left() + f[0] * box.width(), box.top() + f[1] * box.height()), dot, dot);
}

// ---------------------------------------------------------------- CtrlKeyWatch

CtrlKeyWatch::CtrlKeyWatch(int key, QObject* parent) : QObject(parent), key_(key)
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

bool CtrlKeyWatch::poll()
{
    const bool pressed = pressed_;
    pressed_ = false;
    return pressed;
}

bool CtrlKeyWatch::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) {
        const auto* k = static_cast<QKeyEvent*>(e);
        const bool down = e->type() == QEvent::KeyPress;
        if (!k->isAutoRepeat() && k->key() == key_) {
            keyDown_ = down;
            if (down && k->modifiers().testFlag(Qt::ControlModifier))
                pressed_ = true;
        } else if (!k->isAutoRepeat() && k->key() == Qt::Key_Control && down && keyDown_) {
            // The key first, then Ctrl: the same combination.
            pressed_ = true;
        }
    } else if (e->type() == QEvent::ApplicationStateChange) {
        // Releases made elsewhere never arrive here.
        if (static_cast<QApplicationStateChangeEvent*>(e)->applicationState() != Qt::ApplicationActive) {
            pressed_ = false;
            keyDown_ = false;
        }
    }
    return QObject::eventFilter(watched, e);
}
