#include "board/form1.h"

#include "platform/interaction.h"
#include "stats_browser/form4.h"

void Form1::mnuStatistics_Click()
{
    // One browser window per board, made on first use; each opening runs its
    // load step again, so it shows what has been saved since.
    auto* browser = findChild<Form4*>(QString(), Qt::FindDirectChildrenOnly);
    if (!browser)
        browser = new Form4(this);
    browser->Form_Load();
    platform::interaction().showModal(*browser);
}
