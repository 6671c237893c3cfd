// The About box and the donation picture, opened from the board.
#include "board/form1.h"
#include "platform/interaction.h"
#include "presentation/charts.h"
#include "presentation/frmAbout.h"

void Form1::About_Click()
{
    frmAbout box(this);
    box.Form_Load();
    box.setDescription(frmAbout::descriptionText());
    platform::interaction().showModal(box);
}

void Form1::Image7_Click()
{
    charts::openPage(charts::helpSection(QStringLiteral("support")));
}
