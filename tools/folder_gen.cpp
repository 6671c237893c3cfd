// Lays out the program folder: copies the committed text files (team files,
// pages) from the source tree, creates the folders the program expects and
// draws the pictures the program shows (team logos and their fallbacks, the
// sheet's "Logo Not Set" placeholder, the die faces, the ballparks behind
// the board, the nine placeholder charts and the program's icon) and
// synthesises its sounds (the dice rattle and the crowd loop).
// Last it writes the shipped files' sums into the folder, so a start whose
// copies are current reads them instead of hashing every file.
// Usage: benchdeck_folder_gen SOURCE_FOLDER DESTINATION_FOLDER
//        benchdeck_folder_gen --icons ICON_THEME_FOLDER ICON_NAME
//        benchdeck_folder_gen --sums FOLDER   (the sums again, after a change)
// The second form draws the desktop icon into <size>x<size>/apps/ICON_NAME.png
// of an icon theme folder (hicolor), at each size the desktop asks for.
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <cstdio>
#include <vector>

#include "common/program_folder.h"
#include "presentation/pip_masks.h"

namespace {

bool copyTree(const QString& from, const QString& to)
{
    bool ok = true;
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString rel = QDir(from).relativeFilePath(src);
        const QString dst = to + '/' + rel;
        QDir().mkpath(QFileInfo(dst).absolutePath());
        QFile::remove(dst);
        ok = QFile::copy(src, dst) && ok;
    }
    return ok;
}

// ---------------------------------------------------------------- logos

struct LogoColours {
    QColor primary;
    QColor secondary;
};

// A fixed hash, so a team keeps its colours from one build to the next.
quint32 stableHash(const QString& s)
{
    quint32 h = 2166136261u;
    for (const QChar c : s) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return h;
}

LogoColours coloursFor(const QString& teamName)
{
    static const LogoColours palette[] = {
        {QColor(0x12, 0x2d, 0x5a), QColor(0xe8, 0xb0, 0x2a)}, {QColor(0x8a, 0x14, 0x1e), QColor(0xf2, 0xf2, 0xf2)},
        {QColor(0x1d, 0x5c, 0x3a), QColor(0xf0, 0xd8, 0x8c)}, {QColor(0x4b, 0x23, 0x6e), QColor(0xd9, 0xd9, 0xd9)},
        {QColor(0x0f, 0x5e, 0x73), QColor(0xf4, 0x8c, 0x2f)}, {QColor(0x3a, 0x3a, 0x3a), QColor(0xd6, 0x3a, 0x2f)},
    };
    return palette[stableHash(teamName) % (sizeof palette / sizeof palette[0])];
}

// The largest bold font, up to maxPx, whose text fits the width.
QFont fittedFont(const QString& text, int maxPx, int width)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    for (int px = maxPx; px > 6; --px) {
        f.setPixelSize(px);
        if (QFontMetrics(f).horizontalAdvance(text) <= width)
            break;
    }
    return f;
}

// A round badge: two crossed bats behind a ring in the team's colours, the
// initials above a band with the nickname.
QImage drawBadge(const QString& initials, const QString& band, const LogoColours& c)
{
    const int size = 200;
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size / 2.0, size / 2.0);

    p.setPen(QPen(QColor(0x6b, 0x45, 0x22), 2));
    p.setBrush(QColor(0xc8, 0x94, 0x5a));
    for (const double angle : {35.0, -35.0}) {
        p.save();
        p.translate(centre);
        p.rotate(angle);
        QPainterPath bat;
        bat.moveTo(-5, 96);
        bat.lineTo(5, 96);
        bat.lineTo(11, -90);
        bat.quadTo(0, -99, -11, -90);
        bat.closeSubpath();
        p.drawPath(bat);
        p.restore();
    }

    p.setPen(QPen(c.secondary, 9));
    p.setBrush(c.primary);
    p.drawEllipse(centre, 78, 78);
    p.setPen(QPen(QColor(Qt::white), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, 70, 70);

    // Stitches of a ball along the top of the ring.
    p.setPen(QPen(c.secondary, 3));
    for (int i = -3; i <= 3; ++i) {
        const double a = (i * 11.0 - 90.0) * 3.14159265 / 180.0;
        const QPointF at(centre.x() + 60 * std::cos(a), centre.y() + 60 * std::sin(a));
        p.drawLine(at + QPointF(-3, -2), at + QPointF(3, 2));
    }

    p.setPen(Qt::white);
    p.setFont(fittedFont(initials, 54, 110));
    p.drawText(QRectF(40, 48, 120, 62), Qt::AlignCenter, initials);

    const QRectF bandRect(14, 114, 172, 34);
    p.setPen(QPen(c.primary.darker(140), 2));
    p.setBrush(c.secondary);
    p.drawRoundedRect(bandRect, 6, 6);
    p.setPen(c.primary);
    p.setFont(fittedFont(band, 22, 160));
    p.drawText(bandRect, Qt::AlignCenter, band);
    return img;
}

QString initialsOf(const QString& name)
{
    QString out;
    for (const QString& word : name.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        out += word.at(0).toUpper();
    return out.left(3);
}

// The team's name from its file: the file name less its extension, cut
// before its first "=", as the board names a loaded team.
QString teamNameOfFile(const QString& fileName)
{
    QString name = QFileInfo(fileName).completeBaseName();
    const qsizetype eq = name.indexOf(QLatin1Char('='));
    return eq < 0 ? name : name.left(eq);
}

QImage drawPlaceholder()
{
    QImage img(80, 80, QImage::Format_RGB32);
    img.fill(QColor(0x9a, 0x9a, 0x9a));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x70, 0x70, 0x70), 2));
    p.drawRect(QRectF(1, 1, 78, 78));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(12);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0x30, 0x30, 0x30));
    p.drawText(QRectF(0, 0, 80, 80), Qt::AlignCenter, QStringLiteral("Logo\nNot Set"));
    return img;
}

bool drawLogos(const QString& src, const QString& dst)
{
    bool ok = true;
    const QString logos = dst + QStringLiteral("/Logos/");
    ok = drawBadge(QStringLiteral("V"), QStringLiteral("VISITOR"), {QColor(0x2b, 0x3f, 0x63), QColor(0xb8, 0xc2, 0xcc)})
             .save(logos + QStringLiteral("VisLogo.jpg"), "JPG", 90)
        && ok;
    ok = drawBadge(QStringLiteral("H"), QStringLiteral("HOME"), {QColor(0x9c, 0x1c, 0x24), QColor(0xf2, 0xe6, 0xc8)})
             .save(logos + QStringLiteral("HomeLogo.jpg"), "JPG", 90)
        && ok;
    const QStringList teams = QDir(src + QStringLiteral("/Teams")).entryList(QDir::Files, QDir::Name);
    for (const QString& file : teams) {
        const QString team = teamNameOfFile(file);
        if (team.isEmpty())
            continue;
        const QStringList words = team.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ok = drawBadge(initialsOf(team), words.isEmpty() ? team : words.last().toUpper(), coloursFor(team))
                 .save(logos + team + QStringLiteral(".jpg"), "JPG", 90)
            && ok;
    }
    ok = drawPlaceholder().save(dst + QStringLiteral("/LogoNotSet.jpg"), "JPG", 90) && ok;
    return ok;
}

// ---------------------------------------------------------------- die faces

// A face of the face-image roller: a square die with softened corners and a
// slight shadow, on the roller's dark grey, its pips where the mask has them.
QImage drawDieFace(int size, int face, const QColor& body, const QColor& pip)
{
    QImage img(size, size, QImage::Format_RGB888);
    img.fill(QColor(0x40, 0x40, 0x40));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const QRectF die(1.5, 1.5, s - 6, s - 6);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x18, 0x18, 0x18));
    p.drawRoundedRect(die.translated(3, 3), s * 0.16, s * 0.16);
    p.setPen(QPen(body.darker(150), 1.5));
    p.setBrush(body);
    p.drawRoundedRect(die, s * 0.16, s * 0.16);
    const QStringList flags = (QString::fromLatin1(dice::pipMaskRows[face][0]) + QString::fromLatin1(dice::pipMaskRows[face][1])
                               + QString::fromLatin1(dice::pipMaskRows[face][2]))
                                  .split(QLatin1Char(','));
    p.setPen(Qt::NoPen);
    p.setBrush(pip);
    const double radius = s * 0.085;
    for (int i = 0; i < flags.size(); ++i) {
        if (flags[i] != QLatin1String("1"))
            continue;
        const double cx = die.left() + die.width() * (0.22 + 0.28 * (i % 3));
        const double cy = die.top() + die.height() * (0.22 + 0.28 * (i / 3));
        p.drawEllipse(QPointF(cx, cy), radius, radius);
    }
    return img;
}

bool drawDieFaces(const QString& dst)
{
    struct Die {
        const char* name;
        int size;
        QColor body, pip;
    };
    const Die dice[] = {
        {"Red", 72, QColor(0xc4, 0x12, 0x16), Qt::white},
        {"Green", 72, QColor(0x12, 0x8a, 0x34), Qt::white},
        {"White", 73, QColor(0xf4, 0xf4, 0xf0), QColor(0x10, 0x10, 0x10)},
    };
    bool ok = true;
    for (const Die& d : dice)
        for (int face = 1; face <= 6; ++face)
            ok = drawDieFace(d.size, face, d.body, d.pip)
                     .save(dst + QStringLiteral("/Dice/%1%2.bmp").arg(QLatin1String(d.name)).arg(face), "BMP")
                && ok;
    return ok;
}

// ---------------------------------------------------------------- sounds

constexpr int SampleRate = 22050;

// A fixed sequence, so every build writes the same sounds.
class Noise {
public:
    explicit Noise(quint64 seed) : state_(seed) {}
    // Uniform in [-1, 1).
    double next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return double(state_ >> 11) * 0x1.0p-52 - 1.0;
    }

private:
    quint64 state_;
};

// 16-bit PCM, mono, little-endian, samples in [-1, 1].
bool writeWav(const QString& path, const std::vector<double>& samples)
{
    QByteArray data;
    data.reserve(int(samples.size() * 2));
    for (const double v : samples) {
        const qint16 pcm = qint16(std::lround(std::clamp(v, -1.0, 1.0) * 32767));
        char le[2];
        qToLittleEndian(pcm, le);
        data.append(le, 2);
    }
    auto u32 = [](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        return QByteArray(b, 4);
    };
    auto u16 = [](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        return QByteArray(b, 2);
    };
    QByteArray wav;
    wav += "RIFF" + u32(quint32(36 + data.size())) + "WAVE";
    wav += "fmt " + u32(16) + u16(1) + u16(1) + u32(SampleRate) + u32(SampleRate * 2) + u16(2) + u16(16);
    wav += "data" + u32(quint32(data.size())) + data;
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(wav) == wav.size() && f.flush();
}

void normalise(std::vector<double>& samples, double peak)
{
    double top = 0;
    for (const double v : samples)
        top = std::max(top, std::abs(v));
    if (top > 0)
        for (double& v : samples)
            v *= peak / top;
}

// Dice shaken in a cup and thrown: a dozen knocks of wood and bone, quick
// at first and thinning out, each a click of noise with a short ring.
std::vector<double> diceRattle()
{
    const int length = int(SampleRate * 0.9);
    std::vector<double> out(size_t(length), 0.0);
    Noise noise(0x5eed0d1ce);
    double at = 0.01;
    for (int knock = 0; knock < 14 && at < 0.8; ++knock) {
        const double loudness = 1.0 - 0.05 * knock + 0.15 * noise.next();
        const double ring = 1800 + 900 * (noise.next() + 1);
        const int start = int(at * SampleRate);
        for (int i = 0; i < int(0.05 * SampleRate) && start + i < length; ++i) {
            const double t = double(i) / SampleRate;
            out[size_t(start + i)] += loudness
                * (noise.next() * std::exp(-t / 0.003) + 0.6 * std::sin(2 * std::numbers::pi * ring * t) * std::exp(-t / 0.012));
        }
        at += 0.03 + 0.025 * knock * (1.2 + noise.next() * 0.4);
    }
    normalise(out, 0.8);
    return out;
}

// A ballpark crowd: band-limited murmur that swells and ebbs. Every swell
// repeats a whole number of times in the loop, and the loop's tail is
// blended into its head, so the end runs into the start without a click.
std::vector<double> crowdLoop()
{
    const int length = SampleRate * 6;
    const int blend = SampleRate / 2;
    std::vector<double> raw(size_t(length + blend));
    Noise noise(0xba11fa4c);
    double low = 0, lower = 0;
    const double loopSeconds = double(length) / SampleRate;
    // Settle the filters before the first kept sample.
    for (int i = 0; i < SampleRate / 10; ++i) {
        const double n = noise.next();
        low += 0.35 * (n - low);
        lower += 0.05 * (low - lower);
    }
    for (size_t i = 0; i < raw.size(); ++i) {
        const double t = double(i) / SampleRate;
        const double n = noise.next();
        low += 0.35 * (n - low);
        lower += 0.05 * (low - lower);
        const double murmur = low - lower;
        const double swell = 1.0 + 0.3 * std::sin(2 * std::numbers::pi * 1 * t / loopSeconds)
            + 0.15 * std::sin(2 * std::numbers::pi * 5 * t / loopSeconds + 1.3) + 0.1 * std::sin(2 * std::numbers::pi * 13 * t / loopSeconds + 0.4);
        raw[i] = murmur * swell;
    }
    std::vector<double> out(raw.begin(), raw.begin() + length);
    for (int i = 0; i < blend; ++i) {
        const double w = double(i) / blend;
        out[size_t(i)] = raw[size_t(i)] * w + raw[size_t(length + i)] * (1 - w);
    }
    normalise(out, 0.5);
    return out;
}

bool writeSounds(const QString& dst)
{
    bool ok = writeWav(dst + QStringLiteral("/DiceRoll.wav"), diceRattle());
    ok = writeWav(dst + QStringLiteral("/BaseballCrowd.wav"), crowdLoop()) && ok;
    return ok;
}

// ---------------------------------------------------------------- ballparks

// A field seen from above and behind home plate. The picture is stretched to
// the board in both directions, so it holds no round shape the eye would
// miss; the lower band, where the runner pieces stand, is kept plain.
struct ParkStyle {
    QColor skyTop, skyBottom;
    QColor stands, standsRow;
    QColor wall, wallCap;
    QColor grass, grassStripe;
    QColor dirt, dirtEdge;
    QColor foreground;
    bool lights;
};

QPointF lerp(QPointF a, QPointF b, double t)
{
    return a + (b - a) * t;
}

QImage drawBallpark(const ParkStyle& s)
{
    const int w = 1679, h = 974;
    QImage img(w, h, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    const double horizon = h * 0.17, wallTop = h * 0.25, wallBottom = h * 0.295;
    QLinearGradient sky(0, 0, 0, horizon);
    sky.setColorAt(0, s.skyTop);
    sky.setColorAt(1, s.skyBottom);
    p.fillRect(QRectF(0, 0, w, horizon), sky);

    // Stands: rows that darken towards the wall, a scoreboard above centre field.
    p.fillRect(QRectF(0, horizon, w, wallTop - horizon), s.stands);
    for (int r = 0; r < 9; ++r) {
        const double y = horizon + 4 + r * (wallTop - horizon - 6) / 9.0;
        p.fillRect(QRectF(0, y, w, 3), r % 2 ? s.standsRow : s.standsRow.darker(115));
    }
    p.setBrush(QColor(0x1e, 0x26, 0x22));
    p.drawRect(QRectF(w * 0.42, h * 0.06, w * 0.16, h * 0.1));
    p.setBrush(QColor(0xe8, 0xe0, 0xb0));
    for (int c = 0; c < 10; ++c)
        p.drawRect(QRectF(w * 0.43 + c * w * 0.0142, h * 0.12, w * 0.009, h * 0.022));
    p.setBrush(QColor(0x33, 0x3d, 0x38));
    p.drawRect(QRectF(w * 0.495, h * 0.16, w * 0.01, horizon - h * 0.16 + 2));
    if (s.lights)
        for (const double x : {0.08, 0.3, 0.7, 0.92}) {
            p.setBrush(QColor(0x50, 0x50, 0x50));
            p.drawRect(QRectF(w * x - 3, h * 0.03, 6, horizon - h * 0.03));
            QRadialGradient glow(QPointF(w * x, h * 0.03), 70);
            glow.setColorAt(0, QColor(255, 250, 220, 220));
            glow.setColorAt(1, QColor(255, 250, 220, 0));
            p.setBrush(glow);
            p.drawRect(QRectF(w * x - 70, h * 0.03 - 70, 140, 140));
            p.setBrush(QColor(0xfa, 0xf6, 0xe0));
            p.drawRect(QRectF(w * x - 22, h * 0.015, 44, 18));
        }

    // The outfield wall and its warning track.
    p.fillRect(QRectF(0, wallTop, w, wallBottom - wallTop), s.wall);
    p.fillRect(QRectF(0, wallTop, w, 4), s.wallCap);
    p.fillRect(QRectF(0, wallBottom, w, h * 0.035), s.dirt.darker(112));

    // Grass, mown in bands that widen towards the viewer.
    const double grassTop = wallBottom + h * 0.035;
    p.fillRect(QRectF(0, grassTop, w, h - grassTop), s.grass);
    double y = grassTop;
    for (int band = 0; y < h * 0.8; ++band) {
        const double bandHeight = 14 + band * 7.5;
        if (band % 2)
            p.fillRect(QRectF(0, y, w, bandHeight), s.grassStripe);
        y += bandHeight;
    }

    // The diamond in perspective: home near the bottom, second base far off.
    const QPointF home(w * 0.5, h * 0.74), second(w * 0.5, h * 0.43);
    const QPointF first(w * 0.73, h * 0.55), third(w * 0.27, h * 0.55);
    QPainterPath infieldDirt;
    infieldDirt.moveTo(home + QPointF(0, h * 0.04));
    infieldDirt.lineTo(lerp(home, first, 1.22) + QPointF(0, h * 0.012));
    infieldDirt.quadTo(second + QPointF(0, -h * 0.095), lerp(home, third, 1.22) + QPointF(0, h * 0.012));
    infieldDirt.closeSubpath();
    p.setBrush(s.dirt);
    p.setPen(QPen(s.dirtEdge, 2));
    p.drawPath(infieldDirt);
    p.setPen(Qt::NoPen);
    QPolygonF infieldGrass;
    infieldGrass << home + QPointF(0, -h * 0.035) << lerp(home, first, 0.9) + QPointF(-w * 0.012, 0)
                 << lerp(home, second, 0.9) << lerp(home, third, 0.9) + QPointF(w * 0.012, 0);
    p.setBrush(s.grassStripe);
    p.drawPolygon(infieldGrass);
    p.setBrush(s.dirt);
    p.drawEllipse(lerp(home, second, 0.5), w * 0.035, h * 0.022);
    p.setBrush(QColor(0xf4, 0xf4, 0xf0));
    p.drawRect(QRectF(lerp(home, second, 0.5) + QPointF(-9, -2), QSizeF(18, 4)));

    // Foul lines run from home past first and third to the wall.
    p.setPen(QPen(QColor(0xf4, 0xf4, 0xf0), 3));
    const double toWall = (home.y() - wallBottom) / (home.y() - first.y());
    p.drawLine(home, lerp(home, first, toWall));
    p.drawLine(home, lerp(home, third, toWall));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf4, 0xf4, 0xf0));
    for (const QPointF& base : {first, second, third}) {
        QPolygonF bag;
        bag << base + QPointF(0, -7) << base + QPointF(13, 0) << base + QPointF(0, 7) << base + QPointF(-13, 0);
        p.drawPolygon(bag);
    }

    // Home plate in its dirt cut, and beyond it the plain foreground band.
    p.setBrush(s.dirt);
    p.drawEllipse(home, w * 0.075, h * 0.045);
    p.setPen(QPen(QColor(0xf4, 0xf4, 0xf0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(home + QPointF(-w * 0.035, -h * 0.02), QSizeF(w * 0.022, h * 0.04)));
    p.drawRect(QRectF(home + QPointF(w * 0.013, -h * 0.02), QSizeF(w * 0.022, h * 0.04)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf8, 0xf8, 0xf4));
    QPolygonF plate;
    plate << home + QPointF(-11, -5) << home + QPointF(11, -5) << home + QPointF(11, 1) << home + QPointF(0, 6)
          << home + QPointF(-11, 1);
    p.drawPolygon(plate);

    const double bandTop = h * 0.8;
    QLinearGradient band(0, bandTop - h * 0.02, 0, h);
    band.setColorAt(0, QColor(s.foreground.red(), s.foreground.green(), s.foreground.blue(), 0));
    band.setColorAt(0.12, s.foreground);
    band.setColorAt(1, s.foreground.darker(125));
    p.fillRect(QRectF(0, bandTop - h * 0.02, w, h - bandTop + h * 0.02), band);
    return img;
}

bool drawBallparks(const QString& dst)
{
    const QString parks = dst + QStringLiteral("/Ballparks/");
    const ParkStyle day{QColor(0x5d, 0x9c, 0xd8), QColor(0xc8, 0xe0, 0xf0), QColor(0x2c, 0x4a, 0x6e),
                        QColor(0x3a, 0x5a, 0x80), QColor(0x1f, 0x5a, 0x34), QColor(0xe0, 0xc0, 0x30),
                        QColor(0x3f, 0x8a, 0x3c), QColor(0x4a, 0x96, 0x45), QColor(0xb5, 0x84, 0x52),
                        QColor(0x9a, 0x6c, 0x40), QColor(0x2e, 0x5e, 0x30), false};
    const ParkStyle dusk{QColor(0x3b, 0x3f, 0x7a), QColor(0xf0, 0x9a, 0x5a), QColor(0x5a, 0x2a, 0x2a),
                         QColor(0x70, 0x36, 0x30), QColor(0x1d, 0x3f, 0x6a), QColor(0xf0, 0xf0, 0xf0),
                         QColor(0x3a, 0x7a, 0x3a), QColor(0x44, 0x86, 0x42), QColor(0xa8, 0x72, 0x48),
                         QColor(0x8a, 0x5c, 0x38), QColor(0x2a, 0x4e, 0x2c), false};
    const ParkStyle night{QColor(0x05, 0x08, 0x1a), QColor(0x1a, 0x24, 0x4a), QColor(0x1c, 0x1c, 0x26),
                          QColor(0x2a, 0x2a, 0x38), QColor(0x12, 0x3a, 0x22), QColor(0xd0, 0xd0, 0xd0),
                          QColor(0x2f, 0x7a, 0x34), QColor(0x39, 0x88, 0x3c), QColor(0xa0, 0x70, 0x48),
                          QColor(0x84, 0x5a, 0x38), QColor(0x1e, 0x46, 0x24), true};
    bool ok = drawBallpark(day).save(parks + QStringLiteral("DEFAULT1679X974.jpg"), "JPG", 88);
    ok = drawBallpark(dusk).save(parks + QStringLiteral("Lakeside Dusk.jpg"), "JPG", 88) && ok;
    ok = drawBallpark(night).save(parks + QStringLiteral("Night Game.jpg"), "JPG", 88) && ok;
    return ok;
}

// ---------------------------------------------------------------- charts

// A placeholder chart: a numbered table of rolls with empty result columns,
// to be replaced by the user's own chart picture of the same name.
QImage drawChart(int chart)
{
    static const QColor accents[] = {QColor(0x1f, 0x4e, 0x79), QColor(0x7b, 0x24, 0x1c), QColor(0x2e, 0x6b, 0x30),
                                     QColor(0x5b, 0x3a, 0x7a), QColor(0x8a, 0x5a, 0x00), QColor(0x0f, 0x5e, 0x73),
                                     QColor(0x6b, 0x2d, 0x5c), QColor(0x3d, 0x4f, 0x1e), QColor(0x44, 0x44, 0x44)};
    const QColor accent = accents[(chart - 1) % 9];
    const int w = 960, h = 720;
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(0xfa, 0xf6, 0xea));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    p.fillRect(QRect(0, 0, w, 84), accent);
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setBold(true);
    title.setPixelSize(40);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(30, 0, w - 60, 84), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("CHART %1").arg(chart));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(16);
    p.setFont(small);
    p.drawText(QRect(30, 0, w - 60, 84), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("placeholder"));

    // Rows of rolls, columns of results left blank for the user's own chart.
    const int rows = 10 + chart % 3 * 2, columns = 2 + chart % 3;
    const QRect table(30, 110, w - 60, h - 200);
    const double rowH = double(table.height()) / (rows + 1), firstW = 90;
    const double colW = (table.width() - firstW) / columns;
    QFont cell(QStringLiteral("DejaVu Sans"));
    cell.setPixelSize(static_cast<int>(rowH * 0.5));
    p.setFont(cell);
    for (int r = 0; r <= rows; ++r) {
        const QRectF band(table.left(), table.top() + r * rowH, table.width(), rowH);
        p.fillRect(band, r == 0 ? accent.lighter(170) : (r % 2 ? QColor(0xff, 0xff, 0xff) : QColor(0xee, 0xe8, 0xd8)));
        p.setPen(QColor(0x33, 0x33, 0x33));
        const QString head = r == 0 ? QStringLiteral("ROLL") : QString::number(r);
        p.drawText(QRectF(band.left(), band.top(), firstW, rowH), Qt::AlignCenter, head);
        if (r == 0)
            for (int c = 0; c < columns; ++c)
                p.drawText(QRectF(table.left() + firstW + c * colW, band.top(), colW, rowH), Qt::AlignCenter,
                           QStringLiteral("RESULT %1").arg(QChar(u'A' + c)));
    }
    p.setPen(QPen(accent, 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(table);
    p.setPen(QPen(accent.lighter(140), 1));
    for (int c = 0; c <= columns; ++c) {
        const double x = table.left() + firstW + c * colW;
        p.drawLine(QPointF(x, table.top()), QPointF(x, table.bottom()));
    }
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.setFont(small);
    p.drawText(QRect(30, h - 80, w - 60, 60), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("Put your own chart in the program folder as Charts/Chart%1.jpg "
                              "and name it on the board with Ctrl + Click.")
                   .arg(chart, 2, 10, QLatin1Char('0')));
    return img;
}

bool drawCharts(const QString& dst)
{
    bool ok = true;
    for (int chart = 1; chart <= 9; ++chart)
        ok = drawChart(chart).save(dst + QStringLiteral("/Charts/Chart%1.jpg").arg(chart, 2, 10, QLatin1Char('0')),
                                   "JPG", 85)
            && ok;
    return ok;
}

// ---------------------------------------------------------------- icon

// The program's icon: a ball on a green diamond, drawn on a 128-pixel grid
// and scaled to the size asked for.
QImage drawIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 128.0, size / 128.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x5d, 0x34));
    p.drawRoundedRect(QRectF(4, 4, 120, 120), 22, 22);
    QPolygonF diamond;
    diamond << QPointF(64, 16) << QPointF(112, 64) << QPointF(64, 112) << QPointF(16, 64);
    p.setBrush(QColor(0xc8, 0x94, 0x5a));
    p.drawPolygon(diamond);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 2));
    p.drawEllipse(QPointF(64, 64), 30, 30);
    p.setPen(QPen(QColor(0xd0, 0x20, 0x20), 3));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(6, 40, 48, 48), -55 * 16, 110 * 16);
    p.drawArc(QRectF(74, 40, 48, 48), 125 * 16, 110 * 16);
    return img;
}

// ---------------------------------------------------------------- sums

// One line a file, as sha256sum writes it: the checksum, two blanks, the
// path under the folder. A name that is not one line is left out (a start
// hashes that file itself).
bool writeSums(const QString& dst)
{
    QStringList files;
    QDirIterator it(dst, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString rel = QDir(dst).relativeFilePath(it.next());
        if (rel != QLatin1String(folder::shippedSumsName) && !rel.contains(u'\n') && !rel.contains(u'\r'))
            files << rel;
    }
    files.sort();
    QSaveFile out(dst + '/' + QLatin1String(folder::shippedSumsName));
    if (!out.open(QIODevice::WriteOnly))
        return false;
    for (const QString& rel : files) {
        QFile f(dst + '/' + rel);
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (!f.open(QIODevice::ReadOnly) || !hash.addData(&f))
            return false;
        out.write(hash.result().toHex() + "  " + rel.toUtf8() + '\n');
    }
    return out.commit();
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--icons") {
        const QString theme = QString::fromLocal8Bit(argv[2]);
        const QString name = QString::fromLocal8Bit(argv[3]);
        bool ok = true;
        for (const int size : {48, 128, 256}) {
            const QString apps = theme + QStringLiteral("/%1x%1/apps").arg(size);
            ok = QDir().mkpath(apps) && drawIcon(size).save(apps + '/' + name + QStringLiteral(".png"), "PNG") && ok;
        }
        return ok ? 0 : 1;
    }
    if (argc == 3 && QByteArray(argv[1]) == "--sums")
        return writeSums(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    if (argc != 3) {
        std::fprintf(stderr, "usage: benchdeck_folder_gen SOURCE DESTINATION\n"
                             "       benchdeck_folder_gen --icons ICON_THEME_FOLDER ICON_NAME\n"
                             "       benchdeck_folder_gen --sums FOLDER\n");
        return 2;
    }
    const QString src = QString::fromLocal8Bit(argv[1]);
    const QString dst = QString::fromLocal8Bit(argv[2]);
    bool ok = QDir().mkpath(dst);
    // No "Game Rpts": reports are the user's and go to the program folder only.
    for (const char* sub : {"Teams", "Logos", "Ballparks", "Charts", "Dice"})
        ok = QDir().mkpath(dst + '/' + QString::fromLatin1(sub)) && ok;
    ok = copyTree(src, dst) && ok;
    ok = drawLogos(src, dst) && ok;
    ok = drawDieFaces(dst) && ok;
    ok = writeSounds(dst) && ok;
    ok = drawBallparks(dst) && ok;
    ok = drawCharts(dst) && ok;
    ok = drawIcon(128).save(dst + QStringLiteral("/Benchdeck.png"), "PNG") && ok;
    ok = ok && writeSums(dst);
    return ok ? 0 : 1;
}
