#include "support/team_helpers.h"

#include "board/form1.h"
#include "support/program_folder_fixture.h"
#include "support/scripted_interaction.h"

#include <QTest>

namespace teams {

QString sampleTeam(const TempProgramFolder& folder, const QString& teamName)
{
    return folder.file(QStringLiteral("Teams/") + teamName + QStringLiteral(".txt"));
}

QString writeTeam(const TempProgramFolder& folder, const QString& fileName, const QStringList& lines,
                  const QString& lineEnd)
{
    QString text;
    for (const QString& line : lines)
        text += line + lineEnd;
    return writeTeamBytes(folder, fileName, text.toUtf8());
}

QString writeTeamBytes(const TempProgramFolder& folder, const QString& fileName, const QByteArray& bytes)
{
    return folder.write(QStringLiteral("Teams/") + fileName, bytes);
}

void loadTeam(Form1& board, ScriptedInteraction& ui, const QString& teamFilePath, bool visitors)
{
    ui.answerOpenFile(teamFilePath);
    QWidget* button = visitors ? board.Command6 : board.Command7;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

void setAtBat(Form1& board, bool visitors)
{
    QWidget* option = visitors ? board.Option5 : board.Option6;
    QTest::mouseClick(option, Qt::LeftButton, Qt::NoModifier, QPoint(6, option->height() / 2));
}

QPoint entryPoint(ListBox& list, int row)
{
    list.scrollToItem(list.item(row));
    return list.visualItemRect(list.item(row)).center();
}

void clickEntry(ListBox& list, int row)
{
    QTest::mouseClick(list.viewport(), Qt::LeftButton, Qt::NoModifier, entryPoint(list, row));
}

void choosePitcher(Form1& board, bool visitors, int row)
{
    clickEntry(*(visitors ? board.List1 : board.List2), row);
    QWidget* label = visitors ? board.lbl_VisPitcher : board.lbl_HomePitcher;
    QTest::mouseDClick(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
}

unsigned backColour(const QWidget* w)
{
    return w->property("backColor").toUInt();
}

}  // namespace teams
