#pragma once
// What the Aide menu's windows share: their fixed frame and font, the icon
// whose click closes them, the faint picture behind their fields, and the
// pictures the program draws for them.
#include "graphics/colour.h"

#include <QPixmap>

class QDialog;
class QLabel;

namespace kel {

class TPictureButton;

// A fixed client size with only the close button, and the MS Sans Serif
// 8-point font (11 pixels high, or the nearest the system has).
void setFixedDialogFrame(QDialog& form, QSize client);

// The 32 x 32 icon at `at`, closing the window when clicked.
TPictureButton* addClosingIcon(QDialog& form, QPoint at);
// The 256 x 256 picture at `at`, beneath the controls made after it.
QLabel* addBackgroundPicture(QDialog& form, QPoint at);

// A plain label at a place, in black unless told otherwise.
QLabel* addLabel(QWidget& parent, const QString& text, QRect place, Colour colour = clBlack);
// An Arial font `pixels` high.
QFont arial(int pixels, bool bold = false);

// The pictures.
QPixmap formIcon();         // 32 x 32
QPixmap backgroundPicture(); // 256 x 256, mostly transparent
QPixmap formatPicture(int index); // 120 x 90, one per format the links lead to (0..3)
QPixmap aboutLogo();         // 262 x 101, transparent around the name
QPixmap aboutEmblem();       // 160 x 160, transparent around a faint ring

} // namespace kel
