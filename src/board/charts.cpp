// The chart labels of the board's top band: a click shows the chart, a
// Ctrl+click renames it, a double-click on the name box keeps the name; and
// the two page labels, whose pages open in the desktop's own program.
#include "board/form1.h"
#include "common/colours.h"
#include "common/program_folder.h"
#include "common/settings.h"
#include "platform/guarded.h"
#include "platform/interaction.h"
#include "platform/look.h"
#include "platform/twips.h"
#include "presentation/charts.h"
#include "presentation/form3.h"

namespace {

// The chart labels stand in the top frame as three columns of three, the page
// labels in a fourth column beside them (twips in the frame).
constexpr double ChartLeft = 2880, ChartColumnStep = 1320, ChartTop = 1320, ChartRowStep = 360;
constexpr double ChartWidth = 1215, ChartHeight = 255, BoxHeight = 285;
// The first name box stands a little higher than its label, the others on theirs.
constexpr double FirstBoxTop = 1305;
constexpr double PageLeft = 6840, PageWidth = 855;

ClickLabel* makeLinkLabel(QWidget* parent, const QString& name, const QString& caption)
{
    auto* l = new ClickLabel(caption, parent);
    l->setObjectName(name);
    // A caption the user typed is shown as typed, never read as markup.
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignCenter);
    // Moves over the label are its own (its hover colour), never the board's.
    l->setMouseTracking(true);
    l->setCursor(Qt::PointingHandCursor);
    feedback::setTextColour(l, QStringLiteral("palette(button-text)"));
    charts::restLinkLabel(l);
    return l;
}

}  // namespace

void Form1::buildCharts()
{
    for (int c = 0; c < charts::Count; ++c) {
        const double left = ChartLeft + (c / 3) * ChartColumnStep;
        const double top = ChartTop + (c % 3) * ChartRowStep;
        auto* l = makeLinkLabel(Frame3, charts::captionKey(c + 1), QString());
        l->setToolTip(QStringLiteral("Ctrl + Click to EDIT"));
        look::setFont(l, QStringLiteral("Calibri"), 9);
        twips::place(l, left, top, ChartWidth, ChartHeight);
        lbl_chrt[static_cast<size_t>(c)] = l;

        auto* box = new QLineEdit(Frame3);
        box->setObjectName(QStringLiteral("tb_chrt%1").arg(c + 1));
        box->setToolTip(QStringLiteral("Double-Click to SAVE"));
        // Black on white, not the dark frame's colours.
        look::setBackColour(box, colours::White);
        look::setFont(box, QStringLiteral("Calibri"), 8.25);
        twips::place(box, left, c == 0 ? FirstBoxTop : top, ChartWidth, BoxHeight);
        box->hide();
        tb_chrt[static_cast<size_t>(c)] = box;
    }
    lbl_rules = makeLinkLabel(Frame3, QStringLiteral("lbl_rules"), QStringLiteral("RULES"));
    look::setFont(lbl_rules, QStringLiteral("Arial Narrow"), 9.75);
    twips::place(lbl_rules, PageLeft, ChartTop, PageWidth, ChartHeight);
    lbl_help = makeLinkLabel(Frame3, QStringLiteral("lbl_help"), QStringLiteral("ZRQ HELP"));
    look::setFont(lbl_help, QStringLiteral("Arial Narrow"), 9);
    twips::place(lbl_help, PageLeft, ChartTop + ChartRowStep, PageWidth, ChartHeight);
}

void Form1::wireCharts()
{
    // A link label's release puts it back to rest before its Click opens a
    // window, so the label never stays lit behind the window it opened.
    auto restOnRelease = [this](ClickLabel* l) {
        connect(l, &ClickLabel::MouseUp, this, [l](int, int, double, double) { charts::restLinkLabel(l); });
    };
    for (int c = 1; c <= charts::Count; ++c) {
        ClickLabel* l = lbl_chrt[static_cast<size_t>(c - 1)];
        restOnRelease(l);
        connect(l, &ClickLabel::Click, this, [this, c] { guarded([this, c] { lbl_chrt_Click(c); }); });
        // A failing settings write is not reported: the caption stays on the
        // board for this run.
        events::onDoubleClick(tb_chrt[static_cast<size_t>(c - 1)],
                              [this, c] { guarded([this, c] { tb_chrt_DblClick(c); }); });
    }
    restOnRelease(lbl_rules);
    restOnRelease(lbl_help);
    connect(lbl_rules, &ClickLabel::Click, this, [this] { guarded([this] { lbl_rules_Click(); }); });
    connect(lbl_help, &ClickLabel::Click, this, [this] { guarded([this] { lbl_help_Click(); }); });
    connect(Image7, &ClickLabel::Click, this, [this] { guarded([this] { Image7_Click(); }); });
}

void Form1::lbl_chrt_Click(int chart)
{
    ClickLabel* label = lbl_chrt.at(static_cast<size_t>(chart - 1));
    QLineEdit* box = tb_chrt.at(static_cast<size_t>(chart - 1));
    if (events::ctrlDown() && !label->isHidden()) {
        box->setText(label->text());
        label->hide();
        box->show();
        // What the user types next goes into the caption, replacing it.
        box->setFocus();
        box->selectAll();
        return;
    }
    Form3 viewer(this);
    viewer.Form_Load(*this);
    viewer.FitBrowser();
    viewer.Navigate(charts::chartFile(chart));
    platform::interaction().showModal(viewer);
}

void Form1::tb_chrt_DblClick(int chart)
{
    ClickLabel* label = lbl_chrt.at(static_cast<size_t>(chart - 1));
    QLineEdit* box = tb_chrt.at(static_cast<size_t>(chart - 1));
    if (label->isHidden()) {
        label->setText(box->text());
        label->show();
        box->hide();
    }
    settings::SaveSetting(charts::captionKey(chart), label->text());
}

void Form1::lbl_rules_Click()
{
    charts::openPage(charts::rulesPage());
}

void Form1::lbl_help_Click()
{
    charts::openPage(charts::helpPage());
}
