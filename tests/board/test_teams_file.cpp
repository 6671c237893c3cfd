// Team files read as text, without a board.
#include "board/team_file.h"
#include "common/guard.h"
#include "stats_sheet/innings.h"
#include "support/program_folder_fixture.h"

#include <gtest/gtest.h>

namespace {

QStringList entries(const char* bytes)
{
    return teamfile::entriesOf(teamfile::decode(QByteArray(bytes)));
}

}  // namespace

TEST(TeamFileText, EveryLineEndEndsALineAndEmptyLinesAreSkipped)
{
    const QStringList expected{QStringLiteral("Ann=SS"), QStringLiteral("Bo"), QStringLiteral("Cy=P 3.10")};
    EXPECT_EQ(entries("Ann=SS\r\nBo\r\nCy=P 3.10\r\n"), expected);
    EXPECT_EQ(entries("Ann=SS\nBo\nCy=P 3.10\n"), expected);
    EXPECT_EQ(entries("Ann=SS\rBo\rCy=P 3.10\r"), expected);
    // Mixed ends, blank lines between players, and a last line without an end.
    EXPECT_EQ(entries("Ann=SS\r\n\r\n\nBo\r\r\nCy=P 3.10"), expected);
    EXPECT_TRUE(entries("").isEmpty());
    EXPECT_TRUE(entries("\r\n\r\n").isEmpty());
    // Nothing is trimmed: blanks are part of the entry, a line of blanks is one.
    const QStringList untrimmed{QStringLiteral("  "), QStringLiteral(" Dee = C "), QStringLiteral("\tEd")};
    EXPECT_EQ(entries("  \r\n Dee = C \r\n\tEd\r\n"), untrimmed);
}

TEST(TeamFileText, Utf8WhenValidOtherwiseWindows1252)
{
    // UTF-8, with and without a byte-order mark.
    EXPECT_EQ(teamfile::decode(QByteArray("Jos\xC3\xA9 N\xC3\xBA\xC3\xB1" "ez")), QStringLiteral(u"José Núñez"));
    EXPECT_EQ(teamfile::decode(QByteArray("\xEF\xBB\xBFZo\xC3\xAB")), QStringLiteral(u"Zoë"));
    // The same names saved in Windows-1252, and its own marks in 0x80..0x9F.
    EXPECT_EQ(teamfile::decode(QByteArray("Jos\xE9 N\xFA\xF1" "ez")), QStringLiteral(u"José Núñez"));
    EXPECT_EQ(teamfile::decode(QByteArray("\x93" "Ace\x94 \x80 \x8A\x9E \x96")), QStringLiteral(u"“Ace” € Šž –"));
    // One bad byte anywhere makes the whole file Windows-1252.
    EXPECT_EQ(teamfile::decode(QByteArray("Zo\xC3\xAB\r\nRen\xE9")), QStringLiteral(u"ZoÃ«\r\nRené"));
}

TEST(TeamFileText, TeamNameIsTheFileNameLessItsExtensionCutAtEquals)
{
    EXPECT_EQ(teamfile::teamNameOf(QStringLiteral("/x/Teams/Eagles.txt")), QStringLiteral("Eagles"));
    EXPECT_EQ(teamfile::teamNameOf(QStringLiteral("Hawks.csv")), QStringLiteral("Hawks"));
    EXPECT_EQ(teamfile::teamNameOf(QStringLiteral("A=B.txt")), QStringLiteral("A"));
    EXPECT_EQ(teamfile::teamNameOf(QStringLiteral("St. Louis Reds.txt")), QStringLiteral("St. Louis Reds"));
    EXPECT_EQ(teamfile::teamNameOf(QStringLiteral("Old Stars.csvx")), QStringLiteral("Old Stars"));
    EXPECT_EQ(teamfile::teamNameOf(QStringLiteral("NoExtension")), QStringLiteral("NoExtension"));
    // Names that leave nothing.
    EXPECT_EQ(teamfile::teamNameOf(QStringLiteral(".txt")), QString());
    EXPECT_EQ(teamfile::teamNameOf(QStringLiteral("=Eagles.txt")), QString());
}

TEST(TeamFileText, ReadChecksTheWholeFileFirst)
{
    TempProgramFolder folder;
    QByteArray fortyNine, fifty;
    for (int i = 1; i <= 50; ++i) {
        const QByteArray line = "Player " + QByteArray::number(i) + "=X\r\n";
        if (i <= 49)
            fortyNine += line;
        fifty += line;
    }
    const auto ok = teamfile::read(folder.write(QStringLiteral("Teams/Full.txt"), fortyNine));
    EXPECT_TRUE(ok.refusal.isEmpty());
    EXPECT_EQ(ok.entries.size(), 49);
    EXPECT_EQ(ok.teamName, QStringLiteral("Full"));

    const auto tooMany = teamfile::read(folder.write(QStringLiteral("Teams/Over.txt"), fifty + "\r\n\r\n"));
    EXPECT_EQ(tooMany.refusal, QStringLiteral("A team file may hold at most 49 players."));
    EXPECT_TRUE(tooMany.entries.isEmpty());
    // Blank lines do not count towards the limit.
    const auto blanks = teamfile::read(folder.write(QStringLiteral("Teams/Gaps.txt"), "\r\n\r\n" + fortyNine + "\r\n"));
    EXPECT_TRUE(blanks.refusal.isEmpty());

    const auto nameless = teamfile::read(folder.write(QStringLiteral("Teams/=.txt"), "Ann\r\n"));
    EXPECT_FALSE(nameless.refusal.isEmpty());

    try {
        teamfile::read(folder.file(QStringLiteral("Teams/Missing.txt")));
        ADD_FAILURE() << "a missing file must fail";
    } catch (const ProgramError& e) {
        EXPECT_EQ(e.number, 53);
    }
}

TEST(InningsPitched, RoundedBeforeTheOtherPitchersAreTakenOff)
{
    const auto credit = [](double outs, const QStringList& held) {
        return innings::text(innings::creditLeft(outs, held));
    };
    EXPECT_EQ(credit(17, {}), QStringLiteral("5.67"));
    EXPECT_EQ(credit(10, {}), QStringLiteral("3.33"));
    EXPECT_EQ(credit(0, {}), QStringLiteral("0.00"));
    // 17 outs with 3.33 already held: 2.34, not 2.33.
    EXPECT_EQ(credit(17, {QStringLiteral("3.33"), QString()}), QStringLiteral("2.34"));
    EXPECT_EQ(credit(3, {QStringLiteral("1.00")}), QStringLiteral("0.00"));
    EXPECT_EQ(credit(1, {QStringLiteral("0.33")}), QStringLiteral("0.00"));
    EXPECT_EQ(credit(3, {QStringLiteral(".0001"), QStringLiteral(" 2 ")}), QStringLiteral("-1.00"));
    for (const char* bad : {"x", "1.5abc", "1,5", "1e3", "777d77"}) {
        try {
            innings::creditLeft(3.0, {QStringLiteral("1.00"), QString::fromLatin1(bad)});
            ADD_FAILURE() << "accepted " << bad;
        } catch (const ProgramError& e) {
            EXPECT_EQ(e.number, 13) << bad;
        }
    }
}
