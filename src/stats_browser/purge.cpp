// "PURGE ALL STATS": every row of the five tables, in one go. The tables,
// the file and everything outside the database stay; the grids keep what
// they show until they are queried again.
#include "stats_browser/form4.h"

#include "platform/guarded.h"
#include "stats_browser/deletes.h"

#include <QPushButton>

void Form4::wirePurge()
{
    connect(cmd_Purge, &QPushButton::clicked, this, [this] { guarded([this] { cmd_Purge_Click(); }); });
}

void Form4::cmd_Purge_Click()
{
    std::vector<browser::Statement> deletes;
    for (const char* table : {"Batting", "Pitching", "BoxScores", "WinLoss", "Matchups"})
        deletes.push_back({QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)), {}});
    browser::deleteAfterAsking(QStringLiteral("DELETE all statistics?"), deletes,
                               QStringLiteral("Delete of all statistics is complete."));
}
