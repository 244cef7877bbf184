// Printing through the window onto real PDF pages read back with poppler,
// and acquisition from scripted sources and from SANE's test backend.
#include "app/program_form.h"
#include "graphics/pixel_rows.h"
#include "platform/qt_printing.h"
#include "platform/sane_scanner.h"
#include "platform/scan_dialog.h"
#include "platform/scan_source_dialog.h"
#include "support/bitmap_compare.h"
#include "support/fake_services.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/gradient_panel.h"
#include "widgets/status_bar.h"
#include "widgets/track_bar.h"
#include "../platform/sane_test_device.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QPushButton>
#include <QProcess>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

namespace kel {
namespace {

const QString kPrintQuestion = QStringLiteral("Voulez-vous vraiment imprimer cette image ?            ");

Bitmap filled(int width, int height, Colour colour)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, colour);
    return bitmap;
}

// The page as poppler renders it at 96 dpi; a null image when pdftoppm is missing or fails.
QImage renderedPage(const QString& pdf)
{
    const QString stem = pdf + QStringLiteral("-page");
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-png"),
                                                   QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The smallest rectangle holding every pixel that is not (nearly) white.
QRect inkedArea(const QImage& page)
{
    QRect area;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (qGray(page.pixel(x, y)) < 240) area |= QRect(x, y, 1, 1);
    return area;
}

class PrintCommands : public testing::Test {
protected:
    void open(const Bitmap& picture)
    {
        form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(picture));
        form.ImageCIBLE->Picture().setGraphic(std::make_unique<Bitmap>(picture));
        form.document().working() = picture;
        form.document().initial() = picture;
    }
    // Runs the command with the PDF file removed first; the page it wrote, if any.
    QImage run(const char* name)
    {
        QFile::remove(pdf);
        fakes.dialogs.asked.clear();
        form.runCommand(name);
        EXPECT_TRUE(fakes.dialogs.errors.isEmpty()) << fakes.dialogs.errors.join(' ').toStdString();
        EXPECT_TRUE(fakes.dialogs.allAnswersUsed());
        return QFile::exists(pdf) ? renderedPage(pdf) : QImage();
    }

    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("page.pdf"));
    test::FakeServices fakes;
    QtPrinting printing{fakes.dialogs};
    Services services{fakes.dialogs, fakes.clipboard, fakes.desktop, printing, fakes.scanner, fakes.system};
    TProgramForm form{services};
};

TEST_F(PrintCommands, ThePictureLandsInItsBoxAtItsPrintedSize)
{
    // The print dialog's choice, a PDF file, stays with the printer for the run.
    fakes.dialogs.answerPrint(true, pdf);
    form.runCommand("Slectionnerlimprimante1");
    fakes.dialogs.previewPdfFile = pdf;

    struct Case {
        int width, height;
        double widthMm, heightMm;
    };
    const Case cases[] = {{320, 200, 84.67, 52.92}, {1280, 1024, 169.33, 135.47}, {600, 2000, 75.25, 250.83}};
    // The box: 169.33 x 250.83 mm at 20.37 mm from the paper's left and top edges.
    const double boxCentreX = (20.37 + 169.33 / 2) / 25.4 * 96, boxCentreY = (20.37 + 250.83 / 2) / 25.4 * 96;
    const std::pair<const char*, bool> entries[] = {{"Imprimer1", true}, {"Image19", true}, {"Imprimerlimage1", true},
                                                    {"Aperuavantimpression1", false}, {"MenuItem9", false}};
    for (const auto& [entry, printing] : entries) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << entry << ", " << c.width << " x " << c.height);
            open(filled(c.width, c.height, rgb(40, 60, 90)));
            if (printing) fakes.dialogs.answer(Answer::Yes);
            const QImage page = run(entry);
            ASSERT_FALSE(page.isNull()) << "no page, or pdftoppm is missing";
            ASSERT_EQ(fakes.dialogs.asked.size(), 1u);
            EXPECT_EQ(fakes.dialogs.asked[0].call, printing ? QStringLiteral("message") : QStringLiteral("printPreview"));
            EXPECT_EQ(fakes.dialogs.asked[0].title, printing ? kPrintQuestion : QStringLiteral(" Aperçu avant impression"));
            EXPECT_EQ(page.size(), QSize(794, 1123)); // A4 at 96 dpi
            // An edge that falls inside a pixel inks it partly: one pixel more on each side at most.
            const QRect inked = inkedArea(page);
            EXPECT_NEAR(inked.width(), c.widthMm / 25.4 * 96, 2);
            EXPECT_NEAR(inked.height(), c.heightMm / 25.4 * 96, 2);
            EXPECT_NEAR((inked.left() + inked.right() + 1) / 2.0, boxCentreX, 1.5);
            EXPECT_NEAR((inked.top() + inked.bottom() + 1) / 2.0, boxCentreY, 1.5);
        }
    }
}

TEST_F(PrintCommands, GreyViewPrintsGreyNonPrintsNothingAndNoPictureAsksNothing)
{
    fakes.dialogs.answerPrint(true, pdf);
    form.runCommand("Slectionnerlimprimante1");
    open(filled(64, 48, rgb(200, 30, 30)));
    form.runCommand("Niveauxdegris1");
    fakes.dialogs.answer(Answer::Yes);
    const QImage page = run("Imprimer1");
    ASSERT_FALSE(page.isNull());
    const QRgb centre = page.pixel(inkedArea(page).center());
    EXPECT_LE(std::abs(qRed(centre) - qGreen(centre)) + std::abs(qGreen(centre) - qBlue(centre)), 2);
    EXPECT_LT(qGray(centre), 200);

    fakes.dialogs.answer(Answer::No);
    EXPECT_TRUE(run("Imprimerlimage1").isNull());

    form.Image1->Picture().clear();
    form.Image1->PictureOriginal().clear();
    for (const char* entry : {"Imprimer1", "Image19", "Aperuavantimpression1", "MenuItem9"}) {
        EXPECT_TRUE(run(entry).isNull());
        EXPECT_TRUE(fakes.dialogs.asked.empty()) << entry;
    }
    // Page setup works without a picture, on the same printer.
    for (const char* entry : {"Configurerlimpression1", "MenuItem8"}) {
        fakes.dialogs.answerPrint(false);
        run(entry);
        ASSERT_EQ(fakes.dialogs.asked.size(), 1u);
        EXPECT_EQ(fakes.dialogs.asked[0].call, QStringLiteral("printerSetup"));
    }
    EXPECT_EQ(printing.printer().outputFileName(), pdf);
}

TEST(PrintCommand, APrinterThatRefusesTheJobIsSaidSo)
{
    test::FakeServices fakes;
    TProgramForm form{fakes.services()};
    form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(filled(4, 4, clBlack)));
    fakes.printing.printResult = false;
    fakes.dialogs.answer(Answer::Yes);
    form.runCommand("Imprimer1");
    EXPECT_EQ(fakes.dialogs.errors, QStringList{QStringLiteral("L' imprimante n' a pas accepté l' impression.")});
}

// The scan becomes only the shown picture: the rest of the document stays.
TEST(AcquireCommand, TheScanIsShownAloneAndTheNextEffectShowsThePreviousPicture)
{
    test::FakeServices fakes;
    TProgramForm form{fakes.services()};
    const Bitmap opened = filled(30, 20, rgb(10, 200, 10));
    form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(opened));
    form.ImageCIBLE->Picture().setGraphic(std::make_unique<Bitmap>(opened));
    form.document().working() = opened;
    form.document().setFileName(QStringLiteral("/images/vert.bmp"));
    const Bitmap scan = filled(170, 220, rgb(90, 90, 250));

    fakes.scanner.chosenSources = {std::nullopt, QStringLiteral("test:0"), QStringLiteral("test:0")};
    fakes.scanner.cancelScan();
    fakes.scanner.answerScan(scan);
    form.runCommand("Acquriruneimage1"); // selection cancelled
    form.runCommand("Image2");           // scan cancelled
    EXPECT_EQ(form.Image1->Picture().width(), 30);
    form.Notebook1->setCurrentIndex(2);
    form.runCommand("Acquriruneimage1");
    EXPECT_TRUE(fakes.scanner.allScansUsed());
    EXPECT_TRUE(fakes.dialogs.asked.empty());
    EXPECT_TRUE(test::sameBitmap(*form.Image1->Picture().bitmapIfAny(), scan));
    EXPECT_EQ(form.EStatusBar1->Caption(), QStringLiteral("170 x 220 pixels"));
    EXPECT_EQ(form.Notebook1->currentIndex(), 0);
    EXPECT_EQ(form.focusWidget(), form.GPanel1);
    EXPECT_EQ(form.Image1->PictureOriginal().width(), 30);
    EXPECT_EQ(form.ImageCIBLE->Picture().width(), 30);
    EXPECT_EQ(form.document().working().width(), 30);
    EXPECT_EQ(form.document().fileName(), QStringLiteral("/images/vert.bmp"));

    form.TrackBarLUMINOSITE->setPosition(20);
    EXPECT_EQ(form.Image1->Picture().width(), 30);
}

// Acts on the next dialog of type D as soon as it is shown modally.
template <typename D>
void whenShown(std::function<void(D&)> act)
{
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto* dialog = dynamic_cast<D*>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            act(*dialog);
        }
    });
    poll->start(5);
}

TEST(AcquireCommand, WithoutTheScannerLibraryTheMessageSaysSo)
{
    test::FakeServices fakes;
    SaneScanner absent(QStringLiteral("libsane-absent.so.1"));
    Services services{fakes.dialogs, fakes.clipboard, fakes.desktop, fakes.printing, absent, fakes.system};
    TProgramForm form{services};
    form.runCommand("Acquriruneimage1");
    ASSERT_EQ(fakes.dialogs.asked.size(), 1u);
    EXPECT_EQ(fakes.dialogs.asked[0].call, QStringLiteral("plainMessage"));
    EXPECT_EQ(fakes.dialogs.asked[0].title, QStringLiteral("Le driver Twain n' est pas encore installé !      "));
    EXPECT_FALSE(form.Image1->Picture().graphic());
}

TEST(AcquireCommand, ThroughSanesTestDeviceWithItsDialogs)
{
    test::SaneTestDevice device;
    test::FakeServices fakes;
    SaneScanner sane;
    Services services{fakes.dialogs, fakes.clipboard, fakes.desktop, fakes.printing, sane, fakes.system};
    TProgramForm form{services};
    if (sane.sources().empty()) GTEST_SKIP() << "SANE or its test backend is not installed";

    // Cancelling the choice of source says nothing.
    whenShown<ScanSourceDialog>([](ScanSourceDialog& dialog) { dialog.reject(); });
    form.runCommand("Acquriruneimage1");
    EXPECT_FALSE(form.Image1->Picture().graphic());

    // The device's default: grey, 80 x 100 mm at 50 dpi.
    whenShown<ScanSourceDialog>([](ScanSourceDialog& dialog) { dialog.accept(); });
    whenShown<ScanDialog>([](ScanDialog& dialog) { dialog.scanButton()->click(); });
    form.runCommand("Acquriruneimage1");
    const auto size = [](double mm, double dpi) { return QString::number(int(mm / 25.4 * dpi)); };
    EXPECT_EQ(form.EStatusBar1->Caption(), size(80, 50) + QStringLiteral(" x ") + size(100, 50) + " pixels");
    EXPECT_EQ(form.Image1->Picture().bitmapIfAny()->pixelFormat(), pf8bit);

    // In colour from the document feeder: the first page only, then the source is free again.
    for (int scans = 0; scans < 2; ++scans) {
        whenShown<ScanSourceDialog>([](ScanSourceDialog& dialog) { dialog.accept(); });
        whenShown<ScanDialog>([](ScanDialog& dialog) {
            auto* mode = dialog.findChild<QComboBox*>(QStringLiteral("mode"));
            auto* feeder = dialog.findChild<QComboBox*>(QStringLiteral("source"));
            mode->setCurrentIndex(mode->findData(QStringLiteral("Color")));
            feeder->setCurrentIndex(feeder->findData(QStringLiteral("Automatic Document Feeder")));
            dialog.scanButton()->click();
        });
        form.Image1->Picture().clear();
        form.runCommand("Image2");
        ASSERT_TRUE(form.Image1->Picture().bitmapIfAny());
        EXPECT_EQ(form.Image1->Picture().bitmapIfAny()->pixelFormat(), pf24bit);
    }
    EXPECT_TRUE(fakes.dialogs.errors.isEmpty()) << fakes.dialogs.errors.join(' ').toStdString();
}

} // namespace
} // namespace kel
