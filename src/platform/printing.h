#pragma once
// Printing one picture on an A4 page, to the current printer or in a preview.
#include <QRect>

class QPainter;
class QPrinter;

namespace kel {

class Graphic;

class Printing {
public:
    virtual ~Printing() = default;

    // The printer kept for the whole run: the print and page-setup dialogs change its settings.
    virtual QPrinter& printer() = 0;
    // Prints the page with the picture on the current printer; false when the printer refused.
    virtual bool printPicture(const Graphic& picture) = 0;
    // Shows the page with the picture in the preview window until the user closes it.
    virtual void previewPicture(const Graphic& picture) = 0;
};

// The picture box of the page, in screen pixels at 96 per inch from the
// paper's top-left corner (20.37 mm in, 169.33 x 250.83 mm).
inline constexpr int kScreenPixelsPerInch = 96;
inline constexpr QRect kPrintPictureBox{77, 77, 640, 948};

// Where a picture of that size lands on the page, in device pixels of a
// printer of `dotsPerInch` from the paper's top-left corner: one that fits
// the box is printed at its size at 96 pixels per inch and centred; a larger
// one is shrunk to fit keeping its aspect and centred on the other axis
// (halves truncated). An empty picture gets an empty rectangle.
QRect picturePlacement(int pictureWidth, int pictureHeight, int dotsPerInch);

// Paints the picture in its place, the painter's origin being the paper's top-left corner.
void paintPicturePage(QPainter& painter, const Graphic& picture, int dotsPerInch);
// Draws the page on a printer that is ready to paint (paper coordinates as above).
void drawPicturePage(QPrinter& printer, const Graphic& picture);

} // namespace kel
