#include "presentation/logos.h"
// Loading team files into the two sides, and the team logos.
#include "platform/grid.h"
#include "support/board_fixture.h"
#include "support/team_helpers.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>

namespace {

class TeamLoadTest : public BoardTest {
protected:
    QStringList lineup(ListBox* list) const
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->itemText(i);
        return out;
    }
    QString cell(Grid* g, int row, int col) const { return g->textMatrix(row, col); }
    // A picture of one colour, as a file the program can read.
    QString writePicture(const QString& relative, QColor colour, const char* format = "JPG") const
    {
        QImage img(40, 40, QImage::Format_RGB32);
        img.fill(colour);
        const QString path = folder->file(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        EXPECT_TRUE(img.save(path, format));
        return path;
    }
    static QColor centreOf(const PictureBox* box)
    {
        return box->picture().toImage().pixelColor(box->picture().width() / 2, box->picture().height() / 2);
    }
    static bool near(QColor a, QColor b)
    {
        return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24
            && std::abs(a.blue() - b.blue()) < 24;
    }
};

}  // namespace

TEST_F(TeamLoadTest, VisitorsFromASampleFileFillTheBoardAndTheSheet)
{
    teams::loadTeam(*board, *ui, teams::sampleTeam(*folder, QStringLiteral("Harbor City Gulls")), true);
    EXPECT_TRUE(ui->programErrors().isEmpty());
    EXPECT_TRUE(ui->lastOpenFolder.endsWith(QStringLiteral("/Teams")));
    EXPECT_EQ(ui->lastOpenFilter, QStringLiteral("Text (*.txt);;Csv (*.csv*)"));

    ASSERT_EQ(board->List1->count(), 13);
    EXPECT_EQ(board->List1->itemText(0), QStringLiteral("Ray Okafor=CF R .291"));
    EXPECT_EQ(board->List1->itemText(12), QStringLiteral("Otis Brumfield=C R .218"));
    EXPECT_EQ(board->tb_VisTeam->text(), QStringLiteral("Harbor City Gulls"));
    EXPECT_EQ(sheet().lbl_VisTeam->text(), QStringLiteral("Harbor City Gulls"));
    EXPECT_EQ(cell(sheet().grd_BoxScore, 1, 0), QStringLiteral("Harbor City Gulls"));
    EXPECT_EQ(cell(sheet().grd_BoxScore, 2, 0), QStringLiteral("Team"));

    Grid* g = sheet().grd_VisStats;
    EXPECT_EQ(cell(g, 0, 1), QStringLiteral("VIS_Player"));
    EXPECT_EQ(cell(g, 1, 1), QStringLiteral("Ray Okafor"));
    EXPECT_EQ(cell(g, 13, 1), QStringLiteral("Otis Brumfield"));
    EXPECT_EQ(cell(g, 14, 1), QString());
    for (int r = 1; r <= 9; ++r)
        EXPECT_EQ(cell(g, r, 18), QStringLiteral("1")) << r;
    EXPECT_EQ(cell(g, 10, 18), QString());
    // The home side is untouched.
    EXPECT_EQ(board->List2->count(), 0);
    EXPECT_EQ(cell(sheet().grd_HomeStats, 1, 1), QString());

    // The team's own logo on the board and the sheet.
    EXPECT_TRUE(board->img_VisLogo->hasPicture());
    EXPECT_TRUE(sheet().Picture3->hasPicture());
    EXPECT_EQ(board->img_VisLogo->picture().toImage(), sheet().Picture3->picture().toImage());
    // The other side's sheet logo keeps its placeholder.
    EXPECT_EQ(sheet().Picture4->picture().toImage(), QPixmap(logos::placeholderFile()).toImage());
}

TEST_F(TeamLoadTest, LinuxAndOldMacLineEndsBlankLinesAndEqualsParts)
{
    const QStringList lines{QStringLiteral("Smith=SS .300"), QString(), QStringLiteral("  "),
                            QStringLiteral("Jones"), QStringLiteral("=Nobody"), QStringLiteral(" Lee = C ")};
    const QStringList expected{QStringLiteral("Smith=SS .300"), QStringLiteral("  "), QStringLiteral("Jones"),
                               QStringLiteral("=Nobody"), QStringLiteral(" Lee = C ")};
    for (const QString& end : {QStringLiteral("\n"), QStringLiteral("\r"), QStringLiteral("\r\n")}) {
        teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("Hawks.csv"), lines, end), false);
        EXPECT_EQ(lineup(board->List2), expected);
        Grid* g = sheet().grd_HomeStats;
        EXPECT_EQ(cell(g, 1, 1), QStringLiteral("Smith"));
        EXPECT_EQ(cell(g, 2, 1), QStringLiteral("  "));
        EXPECT_EQ(cell(g, 3, 1), QStringLiteral("Jones"));
        EXPECT_EQ(cell(g, 4, 1), QString());
        EXPECT_EQ(cell(g, 5, 1), QStringLiteral(" Lee "));
        EXPECT_EQ(board->tb_HomeTeam->text(), QStringLiteral("Hawks"));
        EXPECT_EQ(cell(sheet().grd_BoxScore, 2, 0), QStringLiteral("Hawks"));
        // Flags only for rows that hold a player's name: not past the last
        // entry, not for the nameless "=Nobody".
        for (int r = 1; r <= 9; ++r)
            EXPECT_EQ(cell(g, r, 18), r <= 5 && r != 4 ? QStringLiteral("1") : QString()) << r;
    }
    // "A=B.txt" names the team "A"; the Windows-1252 file still reads right.
    teams::loadTeam(*board, *ui,
                    teams::writeTeamBytes(*folder, QStringLiteral("A=B.txt"), QByteArray("Ren\xE9=SS\r\n")), true);
    EXPECT_EQ(board->tb_VisTeam->text(), QStringLiteral("A"));
    EXPECT_EQ(board->List1->itemText(0), QStringLiteral(u"René=SS"));
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

TEST_F(TeamLoadTest, CancelAndRefusedFilesChangeNothing)
{
    ui->expectAlarm(QStringLiteral("may hold at most 49 players"));
    ui->expectAlarm(QStringLiteral("this file's name gives none"));
    ui->expectAlarm(QStringLiteral("53, File not found"));
    teams::loadTeam(*board, *ui, teams::sampleTeam(*folder, QStringLiteral("Prairie Falls Comets")), true);
    ASSERT_EQ(board->List1->count(), 12);
    const QImage logo = board->img_VisLogo->picture().toImage();
    auto unchanged = [&](const char* why) {
        EXPECT_EQ(board->List1->count(), 12) << why;
        EXPECT_EQ(board->tb_VisTeam->text(), QStringLiteral("Prairie Falls Comets")) << why;
        EXPECT_EQ(sheet().lbl_VisTeam->text(), QStringLiteral("Prairie Falls Comets")) << why;
        EXPECT_EQ(cell(sheet().grd_VisStats, 12, 1), QStringLiteral("Carl O'Banion")) << why;
        EXPECT_EQ(board->img_VisLogo->picture().toImage(), logo) << why;
    };

    teams::loadTeam(*board, *ui, QString(), true);  // the dialog cancelled
    unchanged("cancel");

    QByteArray fifty;
    for (int i = 1; i <= 50; ++i)
        fifty += "Player " + QByteArray::number(i) + "\r\n";
    ui->clear();
    teams::loadTeam(*board, *ui, teams::writeTeamBytes(*folder, QStringLiteral("Big.txt"), fifty), true);
    EXPECT_EQ(ui->messages(), QStringList{QStringLiteral("A team file may hold at most 49 players.")});
    EXPECT_TRUE(ui->programErrors().isEmpty());
    unchanged("50 players");

    ui->clear();
    teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral(".txt"), {QStringLiteral("Ann")}), true);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages().at(0).contains(QStringLiteral("file's name")));
    unchanged("no team name");

    ui->clear();
    teams::loadTeam(*board, *ui, folder->file(QStringLiteral("Teams/Gone.txt")), true);
    EXPECT_EQ(ui->programErrors(), QStringList{QStringLiteral("The following error has occurred: 53, File not found")});
    unchanged("missing file");

    // Exactly 49 players load, the 49th into the sheet's last row.
    QByteArray fortyNine;
    for (int i = 1; i <= 49; ++i)
        fortyNine += "Player " + QByteArray::number(i) + "\r\n";
    teams::loadTeam(*board, *ui, teams::writeTeamBytes(*folder, QStringLiteral("Max.txt"), fortyNine), true);
    EXPECT_EQ(board->List1->count(), 49);
    EXPECT_EQ(cell(sheet().grd_VisStats, 49, 1), QStringLiteral("Player 49"));
}

TEST_F(TeamLoadTest, ATeamLoadedOverASideInPlayAsksFirstAndThenClearsTheWholeSide)
{
    QStringList twelve;
    for (int i = 1; i <= 12; ++i)
        twelve << QStringLiteral("Old %1").arg(i);
    teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("Old.txt"), twelve), true);
    Grid* g = sheet().grd_VisStats;
    auto snapshot = [&] {
        QStringList cells;
        for (int r = 1; r <= 49; ++r)
            for (int c = 1; c <= 18; ++c)
                cells << cell(g, r, c);
        return cells << board->lbl_VisPitcher->text() << board->lbl_VisPitcher->hiddenText
                     << board->tb_VisTeam->text() << lineup(board->List1).join('|');
    };
    // A side with nothing recorded reloads without a question; a file without
    // a single player is refused, and nothing changes.
    teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("Old.txt"), twelve), true);
    const QStringList fresh = snapshot();
    ui->clear();
    ui->expectAlarm(QStringLiteral("A team file must hold at least one player."));
    teams::loadTeam(*board, *ui, teams::writeTeamBytes(*folder, QStringLiteral("Empty.txt"), "\r\n\r\n"), true);
    EXPECT_EQ(ui->messages(), QStringList{QStringLiteral("A team file must hold at least one player.")});
    EXPECT_EQ(snapshot(), fresh);

    // Counts and pitching lines of the game in play, and its pitcher.
    for (int r : {3, 11, 12}) {
        g->setTextMatrix(r, 2, QStringLiteral("2"));
        g->setTextMatrix(r, 10, QStringLiteral("4"));
        g->setTextMatrix(r, 18, QStringLiteral("1"));
    }
    g->setTextMatrix(11, 11, QStringLiteral("Old 11"));
    g->setTextMatrix(11, 17, QStringLiteral("1.33"));
    g->setTextMatrix(12, 11, QStringLiteral("Old 12"));
    board->lbl_VisPitcher->setText(QStringLiteral("Old 12"));
    board->lbl_VisPitcher->hiddenText = QStringLiteral("Old 11");
    board->img_VisPitch->setPicture(QPixmap(8, 8));
    const QStringList inPlay = snapshot();

    QStringList ten;
    for (int i = 1; i <= 10; ++i)
        ten << QStringLiteral("New %1").arg(i);
    const QString newTeam = teams::writeTeam(*folder, QStringLiteral("New.txt"), ten);
    // No (the default) keeps the game in play as it was.
    ui->clear();
    ui->answerMsgBox(QMessageBox::No);
    teams::loadTeam(*board, *ui, newTeam, true);
    ASSERT_EQ(ui->messages().size(), 1);
    EXPECT_TRUE(ui->messages()[0].contains(QStringLiteral("visitors' statistics recorded in this game will be cleared")))
        << ui->messages()[0].toStdString();
    EXPECT_EQ(ui->prompts.back().defaultButton, QMessageBox::No);
    EXPECT_EQ(snapshot(), inPlay);
    EXPECT_TRUE(board->img_VisPitch->hasPicture());

    // Yes: no old player's count or pitching line goes over to a new name,
    // and the old pitcher is no longer the side's.
    ui->clear();
    ui->answerMsgBox(QMessageBox::Yes);
    teams::loadTeam(*board, *ui, newTeam, true);
    EXPECT_EQ(board->tb_VisTeam->text(), QStringLiteral("New"));
    EXPECT_EQ(lineup(board->List1), ten);
    for (int r = 1; r <= 49; ++r) {
        EXPECT_EQ(cell(g, r, 1), r <= 10 ? QStringLiteral("New %1").arg(r) : QString()) << r;
        for (int c = 2; c <= 17; ++c)
            EXPECT_EQ(cell(g, r, c), QString()) << r << " column " << c;
        EXPECT_EQ(cell(g, r, 18), r <= 9 ? QStringLiteral("1") : QString()) << r;
    }
    EXPECT_EQ(board->lbl_VisPitcher->text(), QString());
    EXPECT_EQ(board->lbl_VisPitcher->hiddenText, QString());
    EXPECT_FALSE(board->img_VisPitch->hasPicture());
    // The other side is not touched.
    EXPECT_EQ(cell(sheet().grd_HomeStats, 1, 1), QString());
}

TEST_F(TeamLoadTest, LogosAreFoundWithoutRegardToCaseAndFallBack)
{
    // The logo folder spelt in lower case and a logo file in upper case.
    ASSERT_TRUE(QDir(folder->path()).rename(QStringLiteral("Logos"), QStringLiteral("logos")));
    const QString eagles = writePicture(QStringLiteral("logos/Eagles.JPG"), Qt::red);
    teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("Eagles.txt"), {QStringLiteral("Ann")}), true);
    ASSERT_TRUE(board->img_VisLogo->hasPicture());
    EXPECT_TRUE(near(centreOf(board->img_VisLogo), Qt::red));
    EXPECT_TRUE(near(centreOf(sheet().Picture3), Qt::red));

    // A team without a logo: the board takes the visitors' fallback, the
    // sheet its placeholder, never the previous team's logo.
    teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("Nobodies.txt"), {QStringLiteral("Bo")}), true);
    QImage fallback(folder->file(QStringLiteral("logos/VisLogo.jpg")));
    ASSERT_FALSE(fallback.isNull());
    EXPECT_EQ(board->img_VisLogo->picture().toImage().convertToFormat(QImage::Format_RGB32),
              fallback.convertToFormat(QImage::Format_RGB32));
    QImage placeholder(folder->file(QStringLiteral("LogoNotSet.jpg")));
    ASSERT_FALSE(placeholder.isNull());
    EXPECT_EQ(sheet().Picture3->picture().toImage().convertToFormat(QImage::Format_RGB32),
              placeholder.convertToFormat(QImage::Format_RGB32));

    // The home side's fallback is its own; a logo file that is no picture
    // counts as missing.
    folder->write(QStringLiteral("logos/Broken.jpg"), "not a picture");
    teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("Broken.txt"), {QStringLiteral("Cy")}), false);
    QImage homeFallback(folder->file(QStringLiteral("logos/HomeLogo.jpg")));
    EXPECT_EQ(board->img_HomeLogo->picture().toImage().convertToFormat(QImage::Format_RGB32),
              homeFallback.convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(ui->programErrors().isEmpty());

    // Without any logo files the board logo stays empty, silently.
    QFile::remove(folder->file(QStringLiteral("logos/VisLogo.jpg")));
    teams::loadTeam(*board, *ui, teams::writeTeam(*folder, QStringLiteral("Bare.txt"), {QStringLiteral("Di")}), true);
    EXPECT_FALSE(board->img_VisLogo->hasPicture());
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

TEST_F(TeamLoadTest, DoubleClickOnALogoPicksAnotherPicture)
{
    ui->expectAlarm(QStringLiteral("481, Invalid picture"));
    teams::loadTeam(*board, *ui, teams::sampleTeam(*folder, QStringLiteral("River Bend Otters")), false);
    const QImage before = board->img_HomeLogo->picture().toImage();

    const QString blue = writePicture(QStringLiteral("Pictures/blue.bmp"), Qt::blue, "BMP");
    ui->answerOpenFile(blue);
    doubleClick(board->img_HomeLogo);
    EXPECT_EQ(ui->lastOpenTitle, QStringLiteral("Open Image"));
    EXPECT_TRUE(ui->lastOpenFolder.endsWith(QStringLiteral("/Logos")));
    EXPECT_EQ(ui->lastOpenFilter, QStringLiteral("Graphic Files (*.bmp *.jpg)"));
    EXPECT_TRUE(near(centreOf(board->img_HomeLogo), Qt::blue));
    EXPECT_TRUE(near(centreOf(sheet().Picture4), Qt::blue));
    EXPECT_EQ(sheet().Picture3->picture().toImage(), QPixmap(logos::placeholderFile()).toImage());

    // Cancel: nothing. A file that is no picture: the error box, and neither
    // picture changes.
    ui->answerOpenFile(QString());
    doubleClick(board->img_HomeLogo);
    ui->clear();
    ui->answerOpenFile(folder->write(QStringLiteral("Pictures/fake.jpg"), "text, not a picture"));
    doubleClick(board->img_HomeLogo);
    EXPECT_EQ(ui->programErrors(), QStringList{QStringLiteral("The following error has occurred: 481, Invalid picture")});
    EXPECT_TRUE(near(centreOf(board->img_HomeLogo), Qt::blue));
    EXPECT_TRUE(near(centreOf(sheet().Picture4), Qt::blue));
    EXPECT_NE(board->img_HomeLogo->picture().toImage(), before);
}
