// Where the chart pictures, their captions and the pages are, and how a
// link label rests.
#include "presentation/charts.h"

#include "common/program_folder.h"
#include "platform/interaction.h"

namespace charts {

QString chartFile(int chart)
{
    return folder::resolve(QStringLiteral("Charts/Chart%1.jpg").arg(chart, 2, 10, QLatin1Char('0')));
}

QString captionKey(int chart)
{
    return QStringLiteral("lbl_chrt%1").arg(chart);
}

QString rulesPage()
{
    return folder::resolve(QStringLiteral("Charts/Rules.html"));
}

QString helpPage()
{
    return folder::resolve(QStringLiteral("HELP.htm"));
}

QString helpSection(const QString& section)
{
    return helpPage() + QLatin1Char('#') + section;
}

void openPage(const QString& pageOrSection)
{
    platform::handToDesktop(pageOrSection, QStringLiteral("The desktop could not open the page. It is at:\n"));
}

void restLinkLabel(QLabel* label)
{
    feedback::setBorderStyle(label, 0);
    feedback::setBackColor(label, ButtonFace);
}

}  // namespace charts
