#pragma once
// Proportional layout of a window whose controls are placed absolutely: the
// layout is recorded once, and every later resize sets each control to its
// recorded geometry and font size times the ratio of the window's new inner
// size to the recorded one.
#include <QList>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

namespace layout {

// The controls of a window in a stable order (depth first, each parent before
// its children): every descendant widget placed by its parent's own code, so
// the controls inside frames and picture boxes too. Left out are separate
// windows parented to this one, the inner parts of compound controls (a
// table's viewport and scroll bars, a combo box's or spin box's editor) and
// widgets a Qt layout places, whose children are still visited.
QList<QWidget*> controlsOf(const QWidget* window);

// Whole pixels from a scaled measure: nearest, an exact half to the even
// neighbour.
int toWhole(double value);

// Sets a widget's font size explicitly (so that it no longer follows its
// parent's), never below 1 point.
void setFontPoints(QWidget* widget, double points);

}  // namespace layout

class ControlResizer {
public:
    // Which measures of one control are scaled.
    struct ResizeFlags {
        bool ResizeTop = true;
        bool ResizeLeft = true;
        bool ResizeWidth = true;
        bool ResizeHeight = true;
        bool ResizeFont = false;
    };

    bool FontResize() const { return fontResize_; }
    void setFontResize(bool doFontResize) { fontResize_ = doFontResize; }
    bool KeepRatio() const { return keepRatio_; }
    void setKeepRatio(bool keepControlRatio) { keepRatio_ = keepControlRatio; }

    // Arms the component: the next FormResized records the layout afresh; the
    // window's present outer proportion becomes the one KeepRatio holds. A
    // window not yet framed by the window system (one armed before its first
    // show) has its outer proportion taken once its frame is known, from the
    // size it then has in its normal state. Re-armed while maximised, full
    // screen or minimised, it keeps the proportion it holds.
    void InitializeResizer(QWidget* window);
    // Applies the proportional layout. When armed it first records the
    // layout against the window's size before this resize (the size it had
    // at the last call), so a resize right after arming still scales; only
    // when there was no earlier size (the first show) does it just record.
    void FormResized(QWidget* window);

    // A control's "Tag" property: "MSIRESIZE" (any case) followed by one
    // character each for Left, Top, Width, Height and font; only an
    // upper-case "Y" switches a measure on. Any other Tag keeps the defaults.
    ResizeFlags ParseResizeTag(const QString& tag) const;

    // Whether a layout is recorded (false while armed).
    bool isRecorded() const { return origScaleWidth_ != 0.0f && origScaleHeight_ != 0.0f; }
    float aspectRatio() const { return aspectRatio_; }
    // The outer proportion the window's next resize will keep.
    float keptProportion(const QWidget* window) const;

private:
    struct ControlPosition {
        QPointer<QWidget> control;
        float Left = 0, Top = 0, Width = 0, Height = 0;
        float FontSize = 0;  // points; 0 when the control's font has no point size
    };

    void CaptureLayout(QWidget* window, QSize scaleSize);
    void ApplyResize(QWidget* window);
    // The outer size that keeps the proportion, never past the screen's
    // available area.
    QSize keptOuterSize(const QWidget* window) const;
    // The outer proportion of a window framed since it was armed unframed.
    std::optional<float> framedProportion(const QWidget* window) const;

    bool fontResize_ = false;
    bool keepRatio_ = false;
    std::vector<ControlPosition> positions_;
    float origScaleWidth_ = 0;
    float origScaleHeight_ = 0;
    float aspectRatio_ = 0;
    bool inResize_ = false;
    // The window's inner size at the last FormResized; invalid before the first.
    QSize lastSize_;
    // Armed without a frame: aspectRatio_ holds the inner proportion until
    // the frame is known.
    bool awaitingFrame_ = false;
    // The window's inner size at the last FormResized that found it neither
    // maximised, full screen nor minimised.
    QSize normalSize_;
};
