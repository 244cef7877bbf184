// The source-selection and scan dialogs, over SANE's test backend where a
// real source is needed.
#include "platform/sane_scanner.h"
#include "platform/scan_dialog.h"
#include "platform/scan_source_dialog.h"
#include "sane_test_device.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

namespace kel {
namespace {

TEST(ScanSourceDialog, ListsTheSourcesInFrenchAndGivesTheChosenName)
{
    ScanSourceDialog dialog({{QStringLiteral("test:0"), QStringLiteral("Noname"), QStringLiteral("frontend-tester"),
                              QStringLiteral("virtual device")},
                             {QStringLiteral("genesys:libusb:001:004"), QStringLiteral("Canon"),
                              QStringLiteral("LiDE 110"), QStringLiteral("flatbed scanner")}});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Sélectionner la source"));
    ASSERT_EQ(dialog.list()->count(), 2);
    EXPECT_EQ(dialog.list()->item(0)->text(), QStringLiteral("frontend-tester — Noname (périphérique virtuel)"));
    EXPECT_EQ(dialog.list()->item(1)->text(), QStringLiteral("LiDE 110 — Canon (scanner à plat)"));
    EXPECT_EQ(dialog.chosen(), QStringLiteral("test:0")); // the first is highlighted
    dialog.list()->setCurrentRow(1);
    EXPECT_EQ(dialog.chosen(), QStringLiteral("genesys:libusb:001:004"));

    const ScanSourceDialog twins({{QStringLiteral("test:0"), {}, QStringLiteral("frontend-tester"), {}},
                                  {QStringLiteral("test:1"), {}, QStringLiteral("frontend-tester"), {}}});
    EXPECT_EQ(twins.list()->item(1)->text(), QStringLiteral("frontend-tester — test:1"));
    const ScanSourceDialog none({});
    EXPECT_FALSE(none.selectButton()->isEnabled());
    EXPECT_FALSE(none.chosen());
}

// One device for the program, reading without blocking, slowly enough that
// a scan lasts several turns of the event loop.
class ScanDialogTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        device_ = new test::SaneTestDevice("non-blocking true\nselect-fd true\nread-delay true\n"
                                           "read-delay-duration 2000\n");
        scanner_ = new SaneScanner;
    }
    static void TearDownTestSuite()
    {
        delete scanner_;
        delete device_;
    }
    void SetUp() override
    {
        if (scanner_->sources().empty()) GTEST_SKIP() << "SANE or its test backend is not installed";
    }
    template <typename Editor>
    Editor* editor(const ScanDialog& dialog, const char* name)
    {
        return dialog.findChild<Editor*>(QString::fromLatin1(name));
    }

    static inline test::SaneTestDevice* device_ = nullptr;
    static inline SaneScanner* scanner_ = nullptr;
    const QString source = QStringLiteral("test:0");
};

TEST_F(ScanDialogTest, TheControlsFollowTheSourcesSettingsBothWays)
{
    ScanDialog dialog(*scanner_, source);
    auto* mode = editor<QComboBox>(dialog, "mode");
    auto* feeder = editor<QComboBox>(dialog, "source");
    auto* resolution = editor<QDoubleSpinBox>(dialog, "resolution");
    ASSERT_TRUE(mode && feeder && resolution);
    for (const char* corner : {"tl-x", "tl-y", "br-x", "br-y"}) EXPECT_TRUE(editor<QDoubleSpinBox>(dialog, corner));
    EXPECT_EQ(mode->currentText(), QStringLiteral("Niveaux de gris"));
    EXPECT_NE(mode->findText(QStringLiteral("Couleur")), -1);
    EXPECT_NE(feeder->findText(QStringLiteral("Chargeur de documents")), -1);
    EXPECT_EQ(resolution->value(), 50);
    EXPECT_EQ(resolution->suffix(), QStringLiteral(" ppp"));
    EXPECT_EQ(editor<QDoubleSpinBox>(dialog, "br-x")->value(), 80);

    // A change reaches the source, and the controls show what the source made of it.
    mode->setCurrentIndex(mode->findData(QStringLiteral("Color")));
    resolution->setValue(25);
    editor<QDoubleSpinBox>(dialog, "br-y")->setValue(300); // beyond the source's range
    std::map<QString, QString> now;
    for (const ScanOption& option : scanner_->options(source)) now[option.name] = option.value;
    EXPECT_EQ(now[QStringLiteral("mode")], QStringLiteral("Color"));
    EXPECT_EQ(now[QStringLiteral("resolution")], QStringLiteral("25"));
    EXPECT_EQ(editor<QDoubleSpinBox>(dialog, "br-y")->value(), now[QStringLiteral("br-y")].toDouble());
    EXPECT_LE(now[QStringLiteral("br-y")].toDouble(), 200);

    // Numériser: a colour picture of the area at 25 dpi, and the dialog accepted.
    editor<QDoubleSpinBox>(dialog, "br-y")->setValue(100);
    int turns = 0; // the event loop keeps turning during the scan
    QTimer ticking;
    QObject::connect(&ticking, &QTimer::timeout, [&] { ++turns; });
    ticking.start(1);
    dialog.scanButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << dialog.statusText().toStdString();
    EXPECT_GT(turns, 2);
    EXPECT_EQ(dialog.progressBar()->value(), 100);
    const std::optional<Bitmap> picture = dialog.takePicture();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixelFormat(), pf24bit);
    EXPECT_NEAR(picture->width(), 80 / 25.4 * 25, 1.0);
    EXPECT_NEAR(picture->height(), 100 / 25.4 * 25, 1.0);

    mode->setCurrentIndex(mode->findData(QStringLiteral("Gray")));
    resolution->setValue(50);
}

TEST_F(ScanDialogTest, AnnulerStopsTheScanAndKeepsTheDialogForAnother)
{
    ScanDialog dialog(*scanner_, source);
    QTimer::singleShot(30, &dialog, [&] {
        EXPECT_TRUE(dialog.scanning());
        EXPECT_FALSE(dialog.scanButton()->isEnabled());
        dialog.reject(); // Annuler, Escape and the close box alike
    });
    dialog.scan();
    EXPECT_FALSE(dialog.scanning());
    EXPECT_EQ(dialog.statusText(), QStringLiteral("La numérisation a été annulée."));
    EXPECT_FALSE(dialog.takePicture());
    EXPECT_EQ(dialog.result(), 0); // still open

    dialog.scan();
    const std::optional<Bitmap> picture = dialog.takePicture();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixelFormat(), pf8bit);
}

} // namespace
} // namespace kel
