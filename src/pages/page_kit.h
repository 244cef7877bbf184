#pragma once
// The controls the operation pages share, made at their usual places on a
// 629 x 629 page: the 425 x 425 preview in the middle near the top, the
// colour swatches on either side of it, a captioned track bar under it,
// a row of three captioned edits, and the Tester / Annuler / Valider row.
#include "graphics/colour.h"

#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace kel {

class TAngleLabel;
class TGPanel;
class TImageAdapter;
class TSpinEdit;
class TTrackBar;
struct PickedColour;

namespace page_kit {

inline constexpr QRect kPreviewPlace{102, 10, 425, 425};
inline constexpr int kLeftSwatchLeft = 61;
inline constexpr int kRightSwatchLeft = 535;
inline constexpr QRect kLeftCaptionPlace{36, 10, 20, 425};
inline constexpr int kBarCaptionTop = 442;
inline constexpr QRect kBarPlace{102, 458, 425, 45};
inline constexpr int kEditCaptionTop = 516;
inline constexpr int kEditTop = 532;
inline constexpr int kButtonTop = 586;

// A view without effects, centred, shrunk proportionally to fit.
TImageAdapter* preview(QWidget* page, const QRect& place = kPreviewPlace);
// A 33 x 425 vertical strip from the button face to black at its middle and
// back; publishing a colour sets its middle (second) colour.
TGPanel* swatch(QWidget* page, int left, int top = kPreviewPlace.top());
TAngleLabel* verticalCaption(QWidget* page, const QString& text, const QRect& place = kLeftCaptionPlace);
QLabel* caption(QWidget* page, const QString& text, int left, int top);

struct TrackSettings {
    int minimum;
    int maximum;
    int position;
    int tick;
    int labelEvery;
};
TTrackBar* trackBar(QWidget* page, const TrackSettings& settings, const QRect& place = kBarPlace,
                    Qt::Orientation orientation = Qt::Horizontal);

// Column 0, 1 or 2 of the edit row, under its caption.
QRect editPlace(int column);
TSpinEdit* spinEdit(QWidget* page, const QString& captionText, int column, int minimum, int maximum);

// "R (Rouge)", "V (Vert)", "B (Bleu)" in the edit row.
struct ColourEdits {
    TSpinEdit* red = nullptr;
    TSpinEdit* green = nullptr;
    TSpinEdit* blue = nullptr;

    // Each edit as a whole number (the conversion error otherwise) into the
    // picked colour's components; answers the colour built from their low 8 bits.
    Colour readInto(PickedColour& picked) const;
    // The picked colour as the edits' values (brought into their range).
    void show(const PickedColour& colour) const;
    void clear() const;
};
ColourEdits colourEdits(QWidget* page, int minimum, int maximum);

// Buttons left to right; without Tester, Annuler and Valider take the
// middle of the row.
struct ActionButtons {
    QPushButton* tester = nullptr;
    QPushButton* annuler = nullptr;
    QPushButton* valider = nullptr;
};
ActionButtons actionButtons(QWidget* page, bool withTester);

} // namespace page_kit
} // namespace kel
