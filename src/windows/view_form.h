#pragma once
// The zoom window: the shown picture alone, in a borderless stay-on-top
// window of the screen's size, with its own wheel zoom. It is shown modally
// and closes on any right click; closing releases its copy of the picture.
#include <QDialog>

namespace kel {

class TImageAdapter;

class TViewForm final : public QDialog {
    Q_OBJECT
public:
    explicit TViewForm(QWidget* parent = nullptr);

    // Centred and proportional; its size is the screen's less 20 in each direction.
    TImageAdapter* Image1 = nullptr;

    // Full-screen layout: the window over the whole screen, Image1 with a
    // 10-pixel margin on every side.
    void FormActivate();
    void FormMouseWheelDown();
    void FormMouseWheelUp();
    void Image1DblClick();
    // A context menu requested anywhere in the window closes it.
    void PopupMenu1Popup();
    // Empties the picture, releasing the copy.
    void FormClose();

    // Hides the window, as closing it does.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Wheel turns over the picture zoom as over the margin.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Places Image1 in the middle of the client area, then lays the window out again.
    void centreImage();
    void turnWheel(QWheelEvent* event);

    int wheelRemainder_ = 0;
};

} // namespace kel
