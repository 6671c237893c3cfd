#include "board/notices.h"

#include "board/form1.h"
#include "common/colours.h"
#include "platform/interaction.h"
#include "platform/look.h"
#include "platform/twips.h"
#include "presentation/center_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

CustMsgBox::CustMsgBox(QWidget* parent, bool second) : QDialog(parent)
{
    setObjectName(second ? QStringLiteral("CustMsgBox2") : QStringLiteral("CustMsgBox"));
    setWindowTitle(QStringLiteral(" "));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    const unsigned back = second ? 0x00808080u : colours::DarkGrey;
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("QDialog { background-color: %1; }").arg(colours::fromBgr(back).name()));
    setFixedSize(twips::toPx(6015), twips::toPx(2415));
    Label1 = new QLabel(QStringLiteral("Custom message box"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    twips::place(Label1, 120, 240, 5775, 1900);
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(colours::style(colours::White, back));
    look::setFont(Label1, QStringLiteral("Arial"), 14);
    cmd_YES = new QPushButton(QStringLiteral("YES"), this);
    cmd_NO = new QPushButton(QStringLiteral("NO"), this);
    twips::place(cmd_YES, 1500, 1800, 1200, 400);
    twips::place(cmd_NO, 3300, 1800, 1200, 400);
    // The notice has no answer, only acknowledgement.
    cmd_YES->setVisible(second);
    cmd_NO->setVisible(second);
    cmd_YES->setAutoDefault(false);
    cmd_NO->setAutoDefault(false);
    connect(cmd_YES, &QPushButton::clicked, this, &QDialog::close);
    connect(cmd_NO, &QPushButton::clicked, this, &QDialog::close);
    look::plainLabels(this);
}

void CustMsgBox::setMessage(const QString& text)
{
    QFont f = Label1->font();
    f.setPointSizeF(14);
    Label1->setFont(f);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setText(text);
    setProperty("noticeText", text);
}

void CustMsgBox::keyPressEvent(QKeyEvent* e)
{
    // Enter and Escape acknowledge the notice like the close box.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(e);
}

void CustMsgBox::closeEvent(QCloseEvent* e)
{
    // An accepted close makes Qt destroy the native window, and making it
    // again for the next play cost most of a click under a window system.
    // The dialog's own handling still hides the box and ends its modal run.
    QDialog::closeEvent(e);
    e->ignore();
}

Options::Options(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Options"));
    setWindowTitle(QStringLiteral("Event Log"));
    setStyleSheet(QStringLiteral("QDialog { background-color: %1; }").arg(colours::fromBgr(colours::DarkGrey).name()));
    resize(twips::toPx(4350), twips::toPx(5175));
    Label1 = new QLabel(QStringLiteral("EVENT LOG"), this);
    twips::place(Label1, 120, 60, 4110, 300);
    Label1->setStyleSheet(colours::style(colours::LightGrey, colours::DarkGrey));
    look::setFont(Label1, QStringLiteral("Arial"), 9.75, true);
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    twips::place(Text1, 120, 420, 4110, 4635);
    Text1->setReadOnly(true);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setStyleSheet(
        QStringLiteral("QPlainTextEdit { %1 }").arg(colours::style(colours::LightGrey, colours::DarkGrey)));
    look::setFont(Text1, QStringLiteral("Arial Narrow"), 9.75);
    look::plainLabels(this);
}

QString Options::text() const
{
    // The widget keeps lines without their CR LF; the log's text has them.
    return property("logText").toString();
}

void Options::append(const QString& s)
{
    setProperty("logText", text() + s);
    QString shown = s;
    if (shown.endsWith(QStringLiteral("\r\n")))
        shown.chop(2);
    Text1->appendPlainText(shown);
    Text1->verticalScrollBar()->setValue(Text1->verticalScrollBar()->maximum());
}

void Options::closeEvent(QCloseEvent* e)
{
    e->ignore();
    hide();
}

void Options::reject()
{
    hide();
}
