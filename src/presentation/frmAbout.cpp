#include "presentation/frmAbout.h"

#include "common/colours.h"
#include "common/version.h"
#include "platform/events.h"
#include "platform/guarded.h"
#include "platform/interaction.h"
#include "platform/look.h"
#include "platform/twips.h"
#include "presentation/charts.h"
#include "presentation/program_icon.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>

namespace {

// Text colours go through the palette: a style sheet on a label would also
// paint the tooltips it shows.
void setForeColour(QWidget* w, unsigned bgr)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, colours::fromBgr(bgr));
    // The box's own back colour, whatever the desktop's window colour.
    p.setColor(QPalette::Window, colours::fromBgr(colours::LightGrey));
    w->setPalette(p);
}

// The title and the link are set in Impact; where it is missing, a heavy
// condensed face stands in rather than whatever the desktop substitutes.
QFont displayFont(double points)
{
    if (QFontDatabase::hasFamily(QStringLiteral("Impact")))
        return look::font(QStringLiteral("Impact"), points);
    QFont f = look::font(QStringLiteral("DejaVu Sans Condensed"), points, true);
    f.setStretch(QFont::SemiCondensed);
    return f;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setFixedSize(twips::toPx(5985), twips::toPx(4005));
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, colours::fromBgr(colours::LightGrey));
    // On its own back colour, a text without a colour of its own is black
    // whatever the desktop's text colour.
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    setWindowIcon(programIcon());

    Image1 = makeLabel(this, QStringLiteral("Image1"), QString());
    twips::place(Image1, 240, 240, 540, 540);
    Image1->setPixmap(programIcon().pixmap(Image1->size()));

    lblTitle = makeLabel(this, QStringLiteral("lblTitle"), QStringLiteral("Scorvana Benchdeck"));
    setForeColour(lblTitle, 0x00FF861C);
    lblTitle->setFont(displayFont(15.75));
    twips::place(lblTitle, 1050, 240, 4725, 480);

    lblVersion = makeLabel(this, QStringLiteral("lblVersion"), QStringLiteral("Version"));
    look::setFont(lblVersion, QStringLiteral("Arial"), 8.25, true);
    twips::place(lblVersion, 1050, 780, 4725, 225);

    lblDescription = makeLabel(this, QStringLiteral("lblDescription"), QStringLiteral("App Description"));
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    look::setFont(lblDescription, QStringLiteral("Arial"), 8.25);
    twips::place(lblDescription, 150, 1125, 5685, 1665);

    Label1 = new ClickLabel(linkAddress(), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setToolTip(QStringLiteral("Go to ") + linkAddress());
    Label1->setCursor(Qt::PointingHandCursor);
    setForeColour(Label1, 0x00FF0000);
    QFont linkFont = displayFont(14.25);
    linkFont.setUnderline(true);
    Label1->setFont(linkFont);
    twips::place(Label1, 150, 2835, 5685, 390);

    lblDisclaimer = makeLabel(this, QStringLiteral("lblDisclaimer"),
                              QStringLiteral("Provided free and as is, without warranty of any kind. Scorvana "
                                             "Benchdeck keeps score for the dice game you own; it ships no "
                                             "game's charts or rules."));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setForeColour(lblDisclaimer, 0x000000FF);
    look::setFont(lblDisclaimer, QStringLiteral("Arial Narrow"), 9.75);
    twips::place(lblDisclaimer, 150, 3270, 3990, 690);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    twips::place(cmdOK, 4320, 3270, 1515, 330);
    cmdSysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setAutoDefault(false);
    twips::place(cmdSysInfo, 4320, 3630, 1515, 330);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdOK, cmdSysInfo})
        look::setFont(w, QStringLiteral("Arial"), 8.25);

    // Escape reaches QDialog's reject, which closes the box as "OK" does.
    connect(cmdOK, &QPushButton::clicked, this, [this] { guarded([this] { cmdOK_Click(); }); });
    connect(cmdSysInfo, &QPushButton::clicked, this, [this] { guarded([this] { cmdSysInfo_Click(); }); });
    connect(Label1, &ClickLabel::Click, this, [this] { guarded([this] { Label1_Click(); }); });
}

QString frmAbout::linkAddress()
{
    // The program has no site of its own on the network: its link is the
    // help page that ships with it.
    return QStringLiteral("HELP.htm#about");
}

QString frmAbout::descriptionText()
{
    return QStringLiteral("I made Scorvana Benchdeck free for every fan of tabletop baseball, ")
        + QStringLiteral("designed so that you can make the board your own: your teams, photos, logos, charts and ballparks. ")
        + QStringLiteral("It is my thanks to everyone who shares free material for baseball simulation games on the internet. ")
        + QStringLiteral("I hope you enjoy it; updates will come from time to time, guided by what its users ask for.");
}

void frmAbout::Form_Load()
{
    setWindowTitle(QStringLiteral("About ") + platform::applicationTitle());
    lblVersion->setText(versionLine());
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    // This desktop keeps no record of a system-information program to start.
    platform::interaction().msgBox(QStringLiteral("System Information Is Unavailable At This Time"),
                                   QMessageBox::Ok, QString(), QMessageBox::NoIcon);
}

void frmAbout::Label1_Click()
{
    charts::openPage(charts::helpSection(QStringLiteral("about")));
    accept();
}

void frmAbout::setDescription(const QString& text)
{
    setForeColour(lblDescription, 0x00FF0000);
    lblDescription->setText(text);
}
