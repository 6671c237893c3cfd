#include "platform/look.h"

#include "common/colours.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOption>
#include <QToolTip>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace look {

QString family(const QString& wanted)
{
    // The windows were measured in these faces; each twin has the same
    // advance widths, so a text fits where it was meant to.
    static const std::pair<QLatin1String, QLatin1String> twins[] = {
        {QLatin1String("MS Sans Serif"), QLatin1String("Liberation Sans")},
        {QLatin1String("Arial"), QLatin1String("Liberation Sans")},
        {QLatin1String("Arial Narrow"), QLatin1String("Liberation Sans Narrow")},
        {QLatin1String("Calibri"), QLatin1String("Carlito")},
    };
    // The desktop's list of faces is long and asked for by every control
    // built; it is read again once the desktop's fonts change.
    static QStringList present;
    static bool read = false;
    static QPointer<QGuiApplication> watched;
    if (!read) {
        present = QFontDatabase::families();
        read = true;
    }
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()); app && watched != app) {
        watched = app;
        QObject::connect(app, &QGuiApplication::fontDatabaseChanged, [] { read = false; });
    }
    for (const auto& [drawnIn, twin] : twins) {
        if (wanted.compare(drawnIn, Qt::CaseInsensitive) != 0)
            continue;
        if (!present.contains(wanted, Qt::CaseInsensitive) && present.contains(twin, Qt::CaseInsensitive))
            return twin;
    }
    return wanted;
}

QFont font(const QString& familyName, double points, bool bold)
{
    QFont f(family(familyName));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void setFont(QWidget* w, const QString& family, double points, bool bold)
{
    w->setFont(font(family, points, bold));
}

QFont shrunkToFit(QFont f, const QString& text, int room, double smallest)
{
    if (f.pointSizeF() <= 0)
        return f;
    while (f.pointSizeF() > smallest && QFontMetrics(f).horizontalAdvance(text) > room)
        f.setPointSizeF(std::max(smallest, f.pointSizeF() - 0.25));
    return f;
}

namespace {
// Set on a text box whose back colour the application style paints.
constexpr const char* ColourByStyle = "backColourByStyle";
const QString BlackText = QStringLiteral("color: black;");

// The roles a background rule sets in a control's palette.
void setBackRoles(QPalette& p, const QColor& c)
{
    for (QPalette::ColorRole r : {QPalette::Base, QPalette::Window, QPalette::Button})
        p.setColor(r, c);
}

// Gives the control (a list, its entries' area too) its "backColor" in
// its palette.
void paintPalette(QWidget* w)
{
    const QColor c = colours::fromBgr(w->property("backColor").toUInt());
    auto* list = qobject_cast<QListWidget*>(w);
    for (QWidget* part : {w, list ? list->viewport() : nullptr}) {
        if (!part)
            continue;
        QPalette p = part->palette();
        setBackRoles(p, c);
        p.setColor(part->backgroundRole(), c);
        part->setPalette(p);
        if (list)
            part->setAutoFillBackground(true);
    }
}

// A restyle (a sheet set again on the control or around it) hands the
// control back the palette it had before its sheet: the colour is put back.
class PaletteColourKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* receiver, QEvent* e) override
    {
        if (e->type() == QEvent::StyleChange)
            paintPalette(static_cast<QWidget*>(parent()));
        return QObject::eventFilter(receiver, e);
    }
};

void keepPaletteColour(QWidget* w)
{
    paintPalette(w);
    if (w->property("backColourKept").toBool())
        return;
    w->setProperty("backColourKept", true);
    auto* keeper = new PaletteColourKeeper(w);
    w->installEventFilter(keeper);
    if (auto* list = qobject_cast<QListWidget*>(w))
        list->viewport()->installEventFilter(keeper);
}
}  // namespace

void setBackColour(QWidget* w, unsigned bgr)
{
    // Restyling a text box re-parses its sheet: an eighth of a third out's
    // time for the two team names. With the readable look in place, the
    // box's sheet keeps the text black and the application style paints
    // it in its colour, as a background rule painted it.
    if (qobject_cast<QLineEdit*>(w) && qApp->property("readableLook").toBool()) {
        if (w->styleSheet() == BlackText && w->property(ColourByStyle).toBool()
            && w->property("backColor") == QVariant(bgr))
            return;
        if (w->styleSheet() != BlackText)
            w->setStyleSheet(BlackText);
        w->setProperty(ColourByStyle, true);
        w->setProperty("backColor", bgr);
        // What shows of the palette outside the frame (a grab of the box
        // alone) comes out as the rule's did too.
        keepPaletteColour(w);
        w->update();
        return;
    }
    // A lineup's sheet keeps its text black and its colour comes from the
    // palette (restyling both lineups was a seventh of a third out's time).
    // Filled from the palette, the list and its entries' area paint what a
    // background rule painted, pixel for pixel.
    if (qobject_cast<QListWidget*>(w)) {
        const QString sheet = QStringLiteral("QListWidget { color: black; }");
        if (w->styleSheet() == sheet && w->property("backColor") == QVariant(bgr))
            return;
        if (w->styleSheet() != sheet)
            w->setStyleSheet(sheet);
        w->setProperty("backColor", bgr);
        keepPaletteColour(w);
        return;
    }
    // A new style sheet is parsed on every change. Any other control keeps
    // one sheet holding a rule for every colour it has shown, chosen by its
    // "backColor" property; a colour it has shown before only switches the
    // property and polishes the control again (which drops the rules the
    // style had worked out for it; no unpolish needed).
    constexpr const char* Colours = "backColourRules";
    constexpr const char* Sheet = "backColourSheet";
    QList<unsigned> known = w->property(Colours).value<QList<unsigned>>();
    const bool ours = !known.isEmpty() && w->styleSheet() == w->property(Sheet).toString();
    if (ours && w->property("backColor") == QVariant(bgr))
        return;
    w->setProperty("backColor", bgr);
    if (ours && known.contains(bgr)) {
        w->style()->polish(w);
        w->update();
        return;
    }
    if (!ours)
        known.clear();
    known << bgr;
    // These controls have no child widgets to colour, so a rule for the
    // control alone paints what a sheet without a selector painted.
    QString sheet;
    for (unsigned c : known)
        sheet += QStringLiteral("*[backColor=\"%1\"] { color: black; background-color: %2; }\n")
                     .arg(c)
                     .arg(colours::fromBgr(c).name());
    w->setProperty(Colours, QVariant::fromValue(known));
    w->setProperty(Sheet, sheet);
    w->setStyleSheet(sheet);
}

void setBackColoursByChoice(QAbstractButton* w, unsigned unchosen, unsigned chosen)
{
    // Restyling both sides' buttons when the bat changed hands was a tenth
    // of a third out's time; a rule per state lets the style pick instead.
    const auto rule = [](unsigned bgr) {
        return QStringLiteral("color: black; background-color: %1;").arg(colours::fromBgr(bgr).name());
    };
    w->setStyleSheet(
        QStringLiteral("QAbstractButton { %1 }\nQAbstractButton:checked { %2 }").arg(rule(unchosen), rule(chosen)));
    w->setProperty("backColor", w->isChecked() ? chosen : unchosen);
    QObject::connect(w, &QAbstractButton::toggled, w,
                     [w, unchosen, chosen](bool on) { w->setProperty("backColor", on ? chosen : unchosen); });
}

namespace {

// The colours of a control's own style sheet reach the indicator of a check
// box or an option button too: a dark panel drew an unticked box dark on dark.
class ReadableIndicators : public QProxyStyle {
public:
    explicit ReadableIndicators(const QString& baseStyle) : QProxyStyle(baseStyle) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if ((element == PE_IndicatorCheckBox || element == PE_IndicatorRadioButton) && button) {
            QStyleOptionButton readable(*button);
            readable.palette.setColor(QPalette::Base, Qt::white);
            readable.palette.setColor(QPalette::Text, Qt::black);
            readable.palette.setColor(QPalette::WindowText, Qt::black);
            // The box's outline is drawn from the window colour, darkened.
            readable.palette.setColor(QPalette::Window, QColor(0xa0, 0xa0, 0xa0));
            QProxyStyle::drawPrimitive(element, &readable, painter, widget);
            return;
        }
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
        if (element == PE_PanelLineEdit && frame && widget && widget->property(ColourByStyle).toBool()
            && widget->styleSheet() == BlackText) {
            // A background rule over a native frame gives the box that
            // colour in the palette the frame is drawn with.
            const QColor back = colours::fromBgr(widget->property("backColor").toUInt());
            QStyleOptionFrame coloured(*frame);
            setBackRoles(coloured.palette, back);
            QProxyStyle::drawPrimitive(element, &coloured, painter, widget);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

// The tooltip Qt would show takes the style sheet of its control (yellow on
// K, pink on AB) and guesses its format. Every tooltip is shown here instead,
// without a control to take colours from, and as plain text.
class PlainToolTips : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* receiver, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Hide:
            // Shown without a control, the tip would outlive the pointer's stay.
            if (receiver == shownFor_.data()) {
                QToolTip::hideText();
                shownFor_ = nullptr;
            }
            return false;
        case QEvent::ToolTip:
            break;
        default:
            return false;
        }
        auto* w = qobject_cast<QWidget*>(receiver);
        if (!w)
            return false;
        const auto* help = static_cast<QHelpEvent*>(e);
        const QString text = toolTipAt(w, help->pos());
        if (text.isEmpty())
            return false;  // Qt passes the event on to the parent
        QToolTip::showText(help->globalPos(), plainMarkup(text), nullptr, QRect(), w->toolTipDuration());
        shownFor_ = w;
        return true;
    }

private:
    // An entry of a list or grid has its own tooltip; the view's own comes
    // when the event reaches the view.
    static QString toolTipAt(QWidget* w, QPoint pos)
    {
        if (auto* view = qobject_cast<QAbstractItemView*>(w->parentWidget()); view && view->viewport() == w) {
            const QModelIndex index = view->indexAt(pos);
            return index.isValid() ? index.data(Qt::ToolTipRole).toString() : QString();
        }
        return w->toolTip();
    }

    QPointer<QWidget> shownFor_;
};

}  // namespace

void useReadableLook()
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app || app->property("readableLook").toBool())
        return;
    app->setProperty("readableLook", true);
    QApplication::setStyle(new ReadableIndicators(QApplication::style()->name()));
    app->installEventFilter(new PlainToolTips(app));
}

QString plainMarkup(const QString& text)
{
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

void showTextFromStart(QWidget* window)
{
    for (QLineEdit* box : window->findChildren<QLineEdit*>())
        QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString&) {
            if (!box->hasFocus())
                box->setCursorPosition(0);
        });
}

void plainLabels(QWidget* window)
{
    for (QLabel* l : window->findChildren<QLabel*>())
        l->setTextFormat(Qt::PlainText);
}

}  // namespace look
