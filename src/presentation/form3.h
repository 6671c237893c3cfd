#pragma once
// The chart viewer "Form3": one chart picture in a scrolling view that
// covers the board. A new viewer is made for every chart opened and goes
// when it is closed, so each one takes the board's size of that moment.
#include <QDialog>

class QLabel;
class QScrollArea;

class Form3 : public QDialog {
    Q_OBJECT
public:
    explicit Form3(QWidget* parent = nullptr);

    // Covers the board from its top-left corner, its width, 500 twips less
    // height (outer sizes, frame included).
    void Form_Load(const QWidget& board);
    // The view: 250 twips narrower and 500 twips lower than the viewer.
    void FitBrowser();
    // Shows the picture file; a missing or unreadable file is said in the
    // view itself.
    void Navigate(const QString& path);

    QScrollArea* WebBrowser1 = nullptr;
    QLabel* picture = nullptr;

private:
    // The outer size the load step gave the viewer, frame included.
    QSize outer_;
};
