// Lays out the program folder: copies the committed text files (team files,
// pages) from the source tree, creates the folders the program expects and
// draws the pictures the program shows (team logos and their fallbacks, the
// sheet's "Logo Not Set" placeholder, the nine placeholder charts and the
// program's icon).
// Usage: benchdeck_folder_gen SOURCE_FOLDER DESTINATION_FOLDER
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>

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

// The program's icon: a ball on a green diamond.
QImage drawIcon()
{
    const int size = 128;
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x2f, 0x5d, 0x34));
    p.drawRoundedRect(QRectF(4, 4, size - 8, size - 8), 22, 22);
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

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: benchdeck_folder_gen SOURCE DESTINATION\n");
        return 2;
    }
    const QString src = QString::fromLocal8Bit(argv[1]);
    const QString dst = QString::fromLocal8Bit(argv[2]);
    bool ok = QDir().mkpath(dst);
    for (const char* sub : {"Teams", "Logos", "Ballparks", "Charts", "Game Rpts"})
        ok = QDir().mkpath(dst + '/' + QString::fromLatin1(sub)) && ok;
    ok = copyTree(src, dst) && ok;
    ok = drawLogos(src, dst) && ok;
    ok = drawCharts(dst) && ok;
    ok = drawIcon().save(dst + QStringLiteral("/Benchdeck.png"), "PNG") && ok;
    return ok ? 0 : 1;
}
