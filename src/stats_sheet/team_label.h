#pragma once
// A team-name label of the statistics sheet. It stretches over the free room
// to its right; its coloured band is as wide as its design width or as the
// name, whichever is wider, and when even the whole room is too narrow the
// font shrinks, down to 6 points, so a long team name still shows whole.
#include <QColor>
#include <QLabel>

class TeamLabel : public QLabel {
    Q_OBJECT
public:
    // bandShare: the design width of the band as a share of the label's width.
    TeamLabel(const QString& text, double bandShare, QWidget* parent = nullptr);

    void setColours(const QColor& fore, const QColor& back);
    // The font the name is drawn in and the width of its band, in pixels.
    QFont fittedFont() const;
    int bandWidth() const;

    static constexpr double SmallestPoints = 6.0;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int roomForText() const;
    double bandShare_;
    QColor fore_, back_;
};
