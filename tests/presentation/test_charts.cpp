// The chart labels, their captions kept in the settings store, the chart
// viewer and the two pages.
#include "common/program_folder.h"
#include "common/settings.h"
#include "platform/twips.h"
#include "presentation/charts.h"
#include "presentation/form3.h"
#include "presentation/frmAbout.h"
#include "support/fake_opener.h"
#include "support/board_fixture.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPointer>
#include <QScrollArea>
#include <QTextDocument>
#include <QTest>
#include <QUrl>
#include <functional>
#include <optional>

namespace {

QString externalRequests(const ScriptedInteraction& ui)
{
    QStringList out;
    for (const auto& p : ui.prompts)
        if (p.kind == Prompt::External)
            out << p.text;
    return out.join(QLatin1Char('|'));
}

int modalCount(const ScriptedInteraction& ui, const QString& objectName)
{
    int n = 0;
    for (const auto& p : ui.prompts)
        n += p.kind == Prompt::Modal && p.objectName == objectName;
    return n;
}

}  // namespace

class ChartsTest : public BoardTest {
protected:
    ClickLabel* label(int chart) { return board->lbl_chrt[static_cast<size_t>(chart - 1)]; }
    QLineEdit* box(int chart) { return board->tb_chrt[static_cast<size_t>(chart - 1)]; }

    // A click with Ctrl held as the handler reads it: the keyboard's state of
    // the moment, which the synthetic click itself carries.
    void ctrlClick(int chart)
    {
        QTest::mouseClick(label(chart), Qt::LeftButton, Qt::ControlModifier, label(chart)->rect().center());
        if (!box(chart)->isHidden())
            return;
        QTest::keyPress(board.get(), Qt::Key_Control);
        board->lbl_chrt_Click(chart);
        QTest::keyRelease(board.get(), Qt::Key_Control);
    }

    // Opens a chart with a plain click and returns what the viewer showed.
    struct Seen {
        QRect outer;
        QSize browser;
        QPoint browserPos;
        QString title;
        QSize picture;
        QString text;
        QPointer<QDialog> viewer;
    };
    Seen openChart(int chart)
    {
        Seen seen;
        ui->whileModal(QStringLiteral("Form3"), [&seen](QDialog& d) {
            auto& viewer = static_cast<Form3&>(d);
            seen.outer = viewer.frameGeometry();
            seen.browser = viewer.WebBrowser1->size();
            seen.browserPos = viewer.WebBrowser1->pos();
            seen.title = viewer.windowTitle();
            const QPixmap pm = viewer.picture->pixmap();
            seen.picture = pm.isNull() ? QSize() : pm.size();
            seen.text = viewer.picture->text();
            seen.viewer = &viewer;
        });
        click(label(chart));
        return seen;
    }
};

TEST_F(ChartsTest, CaptionsAreEditedWithCtrlClickKeptByDoubleClickAndRestoredAtStart)
{
    // First run: nothing stored, every label empty and showing.
    for (int c = 1; c <= charts::Count; ++c) {
        EXPECT_EQ(label(c)->text(), QString());
        EXPECT_FALSE(label(c)->isHidden());
        EXPECT_TRUE(box(c)->isHidden());
    }
    label(4)->setText(QStringLiteral("Chart4"));
    board->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(board.get()));
    ctrlClick(4);
    if (box(4)->isHidden())
        GTEST_SKIP() << "the platform reports no Ctrl state";
    EXPECT_TRUE(label(4)->isHidden());
    EXPECT_EQ(box(4)->text(), QStringLiteral("Chart4"));
    // The box takes the keys at once, its caption selected to be typed over.
    EXPECT_TRUE(box(4)->hasFocus());
    EXPECT_EQ(box(4)->selectedText(), QStringLiteral("Chart4"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Infield"));
    EXPECT_EQ(box(4)->text(), QStringLiteral("Infield"));
    ctrlClick(1);
    EXPECT_FALSE(box(1)->isHidden());
    EXPECT_EQ(modalCount(*ui, QStringLiteral("Form3")), 0);

    // A plain click on another chart opens it; both edits stay open.
    openChart(2);
    EXPECT_EQ(modalCount(*ui, QStringLiteral("Form3")), 1);
    EXPECT_FALSE(box(4)->isHidden());
    EXPECT_FALSE(box(1)->isHidden());

    // Kept exactly as typed (blanks and markup included) and shown as typed.
    const QString typed = QStringLiteral("  Infield <b>x</b> ");
    box(4)->setText(typed);
    QTest::mouseDClick(box(4), Qt::LeftButton);
    EXPECT_FALSE(label(4)->isHidden());
    EXPECT_TRUE(box(4)->isHidden());
    EXPECT_EQ(label(4)->text(), typed);
    EXPECT_EQ(label(4)->textFormat(), Qt::PlainText);
    EXPECT_EQ(settings::GetSetting(QStringLiteral("lbl_chrt4")), typed);

    // An emptied box stores "" and leaves the label empty.
    box(1)->clear();
    QTest::mouseDClick(box(1), Qt::LeftButton);
    EXPECT_EQ(label(1)->text(), QString());
    EXPECT_EQ(settings::GetSetting(QStringLiteral("lbl_chrt1")), QString());
    EXPECT_TRUE(ui->programErrors().isEmpty());

    // The next start shows the stored captions, every label showing again.
    board.reset();
    board = std::make_unique<Form1>();
    ASSERT_TRUE(board->Form_Load());
    EXPECT_EQ(label(4)->text(), typed);
    EXPECT_EQ(label(4)->textFormat(), Qt::PlainText);
    EXPECT_EQ(label(1)->text(), QString());
    for (int c = 1; c <= charts::Count; ++c)
        EXPECT_TRUE(box(c)->isHidden());
}

TEST_F(ChartsTest, ACaptionKeptWhileTheSettingsCannotBeWrittenStaysWithoutAMessage)
{
    // The settings file's folder is a regular file: nothing can be written.
    folder->write(QStringLiteral("blocked"), "not a folder");
    settings::redirectTo(folder->file(QStringLiteral("blocked/settings.ini")));
    label(7)->hide();
    box(7)->show();
    box(7)->setText(QStringLiteral("Outfield"));
    QTest::mouseDClick(box(7), Qt::LeftButton);
    EXPECT_EQ(label(7)->text(), QStringLiteral("Outfield"));
    EXPECT_FALSE(label(7)->isHidden());
    EXPECT_TRUE(ui->prompts.empty());
}

TEST_F(ChartsTest, TheViewerCoversTheBoardAndIsMadeAnewForEachChart)
{
    struct Case {
        QRect board;
        int chart;
    };
    for (const Case& c : {Case{{40, 30, 1200, 800}, 5}, Case{{300, 120, 900, 640}, 9}}) {
        board->setGeometry(c.board);
        const QRect b = board->frameGeometry();
        const Seen seen = openChart(c.chart);
        EXPECT_EQ(seen.title, QStringLiteral("Form3"));
        EXPECT_EQ(seen.outer.topLeft(), b.topLeft());
        EXPECT_EQ(seen.outer.width(), b.width());
        EXPECT_EQ(seen.outer.height(), b.height() - twips::toPx(500));
        EXPECT_EQ(seen.browser, QSize(seen.outer.width() - twips::toPx(250), seen.outer.height() - twips::toPx(500)));
        EXPECT_EQ(seen.browserPos, QPoint(twips::toPx(30), 0));
        // The generator's placeholder chart, at its own size.
        EXPECT_EQ(seen.picture, QSize(960, 720));
        EXPECT_TRUE(seen.viewer.isNull()) << "the viewer outlives its chart";
    }
    EXPECT_TRUE(ui->programErrors().isEmpty());
}

TEST_F(ChartsTest, AMissingOrUnreadableChartIsSaidInTheViewer)
{
    QFile::remove(folder->file(QStringLiteral("Charts/Chart03.jpg")));
    folder->write(QStringLiteral("Charts/Chart06.jpg"), "<img src=x> not a picture");
    struct Case {
        int chart;
        const char* says;
    };
    for (const Case& c : {Case{3, "No chart picture Chart03.jpg"}, Case{6, "Chart06.jpg cannot be shown"}}) {
        const Seen seen = openChart(c.chart);
        EXPECT_EQ(seen.picture, QSize());
        EXPECT_TRUE(seen.text.contains(QString::fromLatin1(c.says))) << seen.text.toStdString();
    }
    EXPECT_EQ(modalCount(*ui, QStringLiteral("Form3")), 2);
    EXPECT_TRUE(ui->messages().isEmpty());
}

TEST_F(ChartsTest, PagesOpenInTheDesktopsProgramAndAMissingPageSaysNothing)
{
    ASSERT_TRUE(QFile::exists(folder->file(QStringLiteral("Charts/Rules.html"))));
    ASSERT_TRUE(QFile::exists(folder->file(QStringLiteral("HELP.htm"))));
    click(board->lbl_rules);
    click(board->lbl_help);
    EXPECT_EQ(externalRequests(*ui), folder->file(QStringLiteral("Charts/Rules.html")) + QLatin1Char('|')
                                         + folder->file(QStringLiteral("HELP.htm")));

    // The help page holds the two sections the About box and the options
    // panel link to.
    QFile help(folder->file(QStringLiteral("HELP.htm")));
    ASSERT_TRUE(help.open(QIODevice::ReadOnly));
    const QByteArray page = help.readAll();
    EXPECT_TRUE(page.contains("id=\"about\""));
    EXPECT_TRUE(page.contains("id=\"support\""));

    ui->clear();
    QFile::remove(folder->file(QStringLiteral("HELP.htm")));
    click(board->lbl_help);
    EXPECT_EQ(ui->prompts.size(), 1u);
    EXPECT_EQ(ui->prompts.front().kind, Prompt::External);
}

// Where the desktop cannot open a page (its opener fails, or there is none),
// each of the four links says so and names the page's file; where it can,
// nothing more is said.
TEST_F(ChartsTest, APageTheDesktopCannotOpenIsNamedInABox)
{
    const QString notOpened = QStringLiteral("The desktop could not open the page. It is at:\n");
    ui->expectAlarm(notOpened);
    ui->runDesktopOpener = true;
    const QString help = folder->file(QStringLiteral("HELP.htm"));
    const QString rules = folder->file(QStringLiteral("Charts/Rules.html"));
    ASSERT_TRUE(QFileInfo(help).isAbsolute());
    struct Link {
        const char* name;
        std::function<void()> click;
        QString file;
        QString handed;  // what the opener gets: a section only in a file address
    };
    const std::vector<Link> links{
        {"RULES", [&] { click(board->lbl_rules); }, rules, rules},
        {"ZRQ HELP", [&] { click(board->lbl_help); }, help, help},
        {"About box link",
         [&] {
             ui->whileModal(QStringLiteral("frmAbout"), [](QDialog& d) { click(static_cast<frmAbout&>(d).Label1); });
             board->About->trigger();
         },
         help, QStringLiteral("file://") + help + QStringLiteral("#about")},
        {"donation picture",
         [&] {
             board->fra_Options->show();
             QTest::mouseClick(board->Image7, Qt::LeftButton);
         },
         help, QStringLiteral("file://") + help + QStringLiteral("#support")},
    };
    for (const std::optional<int> code : {std::optional<int>(3), std::optional<int>()}) {
        for (const Link& link : links) {
            SCOPED_TRACE(std::string(link.name) + (code ? ", xdg-open fails" : ", no xdg-open"));
            ui->clear();
            {
                const FakeOpener opener(code);
                link.click();
                ASSERT_TRUE(QTest::qWaitFor([&] { return !ui->messages().isEmpty(); }, 60000));
                if (code) {
                    EXPECT_EQ(opener.handed(), link.handed);
                }
            }
            ASSERT_EQ(ui->messages().size(), 1);
            const Prompt& box = ui->prompts.back();
            EXPECT_EQ(box.text, notOpened + link.file);
            EXPECT_EQ(box.icon, QMessageBox::Warning);
            EXPECT_EQ(box.title, platform::applicationTitle());
        }
    }

    ui->clear();
    const int ended = ui->openersEnded();
    const FakeOpener opener(0);
    for (const Link& link : links)
        link.click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ui->openersEnded() == ended + int(links.size()); }, 60000));
    EXPECT_TRUE(ui->messages().isEmpty()) << ui->messages().join('\n').toStdString();
}

namespace {

// A page's or the README's words as a reader sees them: no markup, entities
// decoded, blanks and line breaks as single spaces.
QString readerText(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    QString text = QString::fromUtf8(f.readAll());
    QTextDocument doc;
    if (path.endsWith(QLatin1String("htm")) || path.endsWith(QLatin1String("html"))) {
        doc.setHtml(text);
        text = doc.toPlainText();
    }
    return text.remove(QLatin1Char('*')).simplified();
}

}  // namespace

TEST_F(ChartsTest, PagesAndReadmeTeachTheOrderAndTheClicksThatWork)
{
    const QString readme = QStringLiteral(BENCHDECK_SOURCE_PROGRAM_FOLDER) + QStringLiteral("/../README.md");
    for (const QString& path : {folder->file(QStringLiteral("HELP.htm")),
                                folder->file(QStringLiteral("Charts/Rules.html")), readme}) {
        SCOPED_TRACE(path.toStdString());
        const QString text = readerText(path);
        ASSERT_FALSE(text.isEmpty());
        // The pitchers before AT BAT: the other way round fills two runner pieces.
        const qsizetype pitchers = text.indexOf(QLatin1String("double-click that side's pitcher label"));
        ASSERT_GE(pitchers, 0);
        EXPECT_LT(pitchers, text.indexOf(QLatin1String("AT BAT")));
        EXPECT_TRUE(text.contains(QLatin1String("the play that drives the run in")));
        EXPECT_TRUE(text.contains(QLatin1String("after a hit the next batter is current")));
        EXPECT_TRUE(text.contains(QLatin1String("click the batter who is due up in")));
        EXPECT_TRUE(text.contains(QLatin1String("by its picture area, not by")));
    }
    for (const QString& path : {folder->file(QStringLiteral("HELP.htm")), readme}) {
        SCOPED_TRACE(path.toStdString());
        const QString text = readerText(path);
        EXPECT_TRUE(text.contains(QStringLiteral("match the letters A to Z without regard to case, and other letters "
                                                 "(Ü, É ...) only in the case")));
        // What a user cannot guess and would otherwise pay for in wrong figures
        // or a lost game.
        for (const char* rule : {"A double-click on a line-score box switches its completed mark (yellow) on or off, "
                                 "and the innings pitched are counted from those marks",
                                 "keeps its old name on the statistics sheet, where plays are counted by name",
                                 "closes again whenever the board re-lays itself (a runner piece taken off, a resize)",
                                 "The game comment box on the sheet is not stored with the game.",
                                 "One run of the program records one game"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(rule))) << rule;
    }
}

TEST_F(ChartsTest, ALinkLabelIsBackAtRestBeforeItsClickOpensAWindow)
{
    // As a hover and a press would leave it.
    ClickLabel* l = label(8);
    l->setProperty("backColor", 0x00FFFFFFu);
    l->setProperty("borderStyle", 1);
    l->setStyleSheet(QStringLiteral("background-color: white; border: 1px solid black;"));
    const QSize size = l->size();
    QVariant backWhileOpen, borderWhileOpen;
    ui->whileModal(QStringLiteral("Form3"), [&](QDialog&) {
        backWhileOpen = l->property("backColor");
        borderWhileOpen = l->property("borderStyle");
    });
    click(l);
    EXPECT_EQ(backWhileOpen.toUInt(), charts::ButtonFace);
    EXPECT_EQ(borderWhileOpen.toInt(), 0);
    EXPECT_EQ(l->size(), size);
}

// A page's section reaches the desktop as a file address with its section,
// not as a file name that holds "#".
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

TEST_F(ChartsTest, TheDesktopIsHandedASectionOfAPageAsAFileAddress)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    platform::QtInteraction desktop;
    desktop.openExternally(charts::helpSection(QStringLiteral("support")));
    desktop.openExternally(charts::rulesPage());
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[0].toLocalFile(), folder->file(QStringLiteral("HELP.htm")));
    EXPECT_EQ(catcher.urls[0].fragment(), QStringLiteral("support"));
    EXPECT_EQ(catcher.urls[1].toLocalFile(), folder->file(QStringLiteral("Charts/Rules.html")));
    EXPECT_FALSE(catcher.urls[1].hasFragment());
}

#include "test_charts.moc"
