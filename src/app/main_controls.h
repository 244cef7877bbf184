#pragma once
// The main window's controls that commands read and write: the view, the
// side panel's lists and track bars, the page area and the status bar. The
// window builds them and hands this set to the commands instead of itself.
#include <functional>

class QLabel;
class QMainWindow;
class QMenu;
class QStackedWidget;

namespace kel {

class TEStatusBar;
class TIconListBox;
class TImageAdapter;
class TImageColorizer;
class TTrackBar;
class TViewForm;

struct MainControls {
    QMainWindow* window = nullptr;
    TImageColorizer* view = nullptr;
    TImageAdapter* thumbnail = nullptr;
    TIconListBox* effectsList = nullptr;
    QStackedWidget* pages = nullptr;
    TEStatusBar* statusBar = nullptr;
    QLabel* pointerReadout = nullptr;
    QMenu* imageMenu = nullptr;
    TImageAdapter* palette = nullptr;
    TTrackBar* red = nullptr;
    TTrackBar* green = nullptr;
    TTrackBar* blue = nullptr;
    TTrackBar* brightness = nullptr;
    TTrackBar* contrast = nullptr;
    TTrackBar* saturation = nullptr;
    QLabel* redValue = nullptr;
    QLabel* greenValue = nullptr;
    QLabel* blueValue = nullptr;
    QLabel* brightnessValue = nullptr;
    QLabel* contrastValue = nullptr;
    QLabel* saturationValue = nullptr;
    // The full-screen zoom window, made on first use.
    std::function<TViewForm&()> zoomWindow;

    // Where the keyboard focus rests, so that the wheel reaches the window.
    void focusStatusBar() const;
    // Back to the first page, the one that shows the picture.
    void showPicturePage() const;
    // Each bar's change handler runs when its position moves, so the order
    // of the resets matters to the pictures: two orders, named after it.
    void resetToneThenChannelBars() const;
    void resetChannelThenToneBars() const;
    // The first entry of the special-effects list no longer shows as chosen.
    void deselectFirstEffect() const;
};

} // namespace kel
