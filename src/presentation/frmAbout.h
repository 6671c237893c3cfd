#pragma once
// The About box: the product's title and version, a description the board
// writes into it, a link to the help page, a disclaimer, "OK" and
// "System Info...". Made anew at each opening and gone when closed.
#include <QDialog>

class ClickLabel;
class QLabel;
class QPushButton;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    void Form_Load();
    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label1_Click();

    // What the link opens and shows.
    static QString linkAddress();
    // The board's description of the program.
    static QString descriptionText();
    // Shows a description in the box's blue.
    void setDescription(const QString& text);

    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    ClickLabel* Label1 = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

private:
    void StartSysInfo();
};
