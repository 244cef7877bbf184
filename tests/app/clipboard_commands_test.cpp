// Cut, copy and paste through the main window and the application's real
// clipboard (the offscreen platform keeps one inside the process).
#include "app/program_form.h"
#include "graphics/pixel_rows.h"
#include "platform/qt_clipboard.h"
#include "support/bitmap_compare.h"
#include "support/fake_services.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/status_bar.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>

#include <functional>

#include <gtest/gtest.h>

namespace kel {
namespace {

using test::sameBitmap;

// A picture whose every pixel differs from its neighbours and is not grey.
Bitmap colourful(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, rgb(x * 40 % 256, y * 60 % 256, 200 - x * y % 200));
    return bitmap;
}

// The three ways to each command: the Edition menu, the image's context menu, the toolbar.
struct Entry {
    const char* cut;
    const char* copy;
    const char* paste;
};
constexpr Entry kEntries[] = {
    {"Couper1", "Copier1", "Coller1"},
    {"MenuItem2", "MenuItem3", "MenuItem4"},
    {"Image4", "Image5", "Image6"},
};

class ClipboardCommands : public testing::Test {
protected:
    void SetUp() override { QGuiApplication::clipboard()->clear(); }

    // The state an opened file leaves: every piece holds the picture.
    void open(const Bitmap& picture)
    {
        form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(picture));
        form.ImageCIBLE->Picture().setGraphic(std::make_unique<Bitmap>(picture));
        form.document().working() = picture;
        form.document().initial() = picture;
        form.document().setFileName(kFile);
        form.document().refreshStatusLine();
    }
    void run(const char* name)
    {
        form.runCommand(name);
        ASSERT_TRUE(fakes.dialogs.errors.isEmpty()) << name << ": " << fakes.dialogs.errors.join(' ').toStdString();
        ASSERT_TRUE(fakes.dialogs.asked.empty()) << name << " asked " << fakes.dialogs.asked[0].call.toStdString();
    }

    Bitmap shown() { return *form.Image1->Picture().bitmapIfAny(); }
    QString status() { return form.EStatusBar1->Caption(); }

    const QString kFile = QStringLiteral("/images/photo.jpg");
    test::FakeServices fakes;
    QtClipboard clipboard;
    Services services{fakes.dialogs, clipboard, fakes.desktop, fakes.printing, fakes.scanner, fakes.system};
    TProgramForm form{services};
};

TEST_F(ClipboardCommands, CopyThenPasteGivesTheShownPictureAsTheNewOriginal)
{
    const Bitmap picture = colourful(7, 5);
    const Bitmap other = colourful(3, 2);
    for (const Entry& entry : kEntries) {
        SCOPED_TRACE(entry.copy);
        open(picture);
        form.runCommand("Niveauxdegris1");
        const Bitmap grey = shown();
        const QString statusBefore = status();
        run(entry.copy);
        // Copy changes nothing of the document.
        EXPECT_TRUE(sameBitmap(grey, shown()));
        EXPECT_EQ(status(), statusBefore);

        // Another picture in between, zoomed and stretched, so that the paste has everything to restore.
        form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(other));
        form.ImageCIBLE->Picture().setGraphic(std::make_unique<Bitmap>(other));
        form.document().initial() = other;
        form.Image1->setZoomX(250);
        form.Image1->setStretch(true);
        form.Image1->setProportional(false);
        run(entry.paste);

        // Grey stays on: the grey picture is shown grey once more, which leaves it as it was.
        EXPECT_TRUE(form.Image1->PicGrayScale());
        EXPECT_TRUE(sameBitmap(grey, shown()));
        EXPECT_TRUE(sameBitmap(grey, *form.Image1->PictureOriginal().bitmapIfAny()));
        EXPECT_EQ(form.Image1->PictureOriginal().bitmapIfAny()->pixelFormat(), pf24bit);
        EXPECT_TRUE(sameBitmap(grey, form.document().working()));
        for (int i = 0; i < 35; ++i) {
            const Colour c = readPixel(shown(), i % 7, i / 7);
            ASSERT_TRUE(redOf(c) == greenOf(c) && greenOf(c) == blueOf(c)) << i;
        }
        EXPECT_EQ(status(), QStringLiteral("7 x 5 pixels"));
        EXPECT_EQ(form.Image1->ZoomX(), 100);
        EXPECT_FALSE(form.Image1->Stretch());
        EXPECT_TRUE(form.Image1->Proportional());
        // The file name, the thumbnail and the opening bitmap keep the previous picture.
        EXPECT_EQ(form.document().fileName(), kFile);
        EXPECT_TRUE(sameBitmap(other, *form.ImageCIBLE->Picture().bitmapIfAny()));
        EXPECT_TRUE(sameBitmap(other, form.document().initial()));
        form.runCommand("Niveauxdegris1");
    }
}

TEST_F(ClipboardCommands, CutEmptiesTheViewAndPasteBringsThePictureBack)
{
    const Bitmap picture = colourful(6, 4);
    for (const Entry& entry : kEntries) {
        SCOPED_TRACE(entry.cut);
        open(picture);
        run(entry.cut);
        EXPECT_FALSE(form.Image1->Picture().hasGraphic());
        EXPECT_FALSE(form.Image1->PictureOriginal().hasGraphic());
        EXPECT_EQ(status(), QString());
        // What a cut keeps: the name the save dialog proposes, the thumbnail, the working bitmap.
        EXPECT_EQ(form.document().fileName(), kFile);
        EXPECT_TRUE(sameBitmap(picture, *form.ImageCIBLE->Picture().bitmapIfAny()));
        EXPECT_TRUE(sameBitmap(picture, form.document().working()));

        // With the view empty, cut and copy leave the clipboard alone.
        run(entry.cut);
        run(entry.copy);
        run(entry.paste);
        EXPECT_TRUE(sameBitmap(picture, shown()));
        EXPECT_TRUE(sameBitmap(picture, *form.Image1->PictureOriginal().bitmapIfAny()));
        EXPECT_EQ(status(), QStringLiteral("6 x 4 pixels"));
        EXPECT_EQ(form.document().fileName(), kFile);
        // The save dialog proposes the old file's name.
        fakes.dialogs.cancelFile();
        form.runCommand("Enregistrer1");
        ASSERT_EQ(fakes.dialogs.asked.size(), 1u);
        EXPECT_EQ(fakes.dialogs.asked[0].request.fileName, kFile);
        fakes.dialogs.asked.clear();
    }
}

TEST_F(ClipboardCommands, AnythingButAPictureOnTheClipboardPastesNothing)
{
    const Bitmap picture = colourful(4, 3);
    const auto putText = [] { QGuiApplication::clipboard()->setText(QStringLiteral("du texte")); };
    const auto putFiles = [] {
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(QStringLiteral("/images/photo.png"))});
        QGuiApplication::clipboard()->setMimeData(data);
    };
    const auto putNothing = [] { QGuiApplication::clipboard()->clear(); };
    // A picture wider than any bitmap may be counts as none.
    const auto putHuge = [] {
        QImage huge(kMaxBitmapSide + 1, 1, QImage::Format_RGB32);
        huge.fill(Qt::red);
        QGuiApplication::clipboard()->setImage(huge);
    };
    for (const auto& put : {std::function<void()>(putText), std::function<void()>(putFiles),
                            std::function<void()>(putNothing), std::function<void()>(putHuge)}) {
        for (const Entry& entry : kEntries) {
            open(picture);
            const QString before = status();
            form.Image1->setZoomX(250);
            put();
            run(entry.paste);
            EXPECT_TRUE(sameBitmap(picture, shown()));
            EXPECT_EQ(status(), before);
            EXPECT_EQ(form.Image1->ZoomX(), 250);
        }
    }
    // And an empty view stays empty.
    form.Image1->PictureOriginal().clear();
    form.Image1->Picture().clear();
    putText();
    run("Coller1");
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
}

} // namespace
} // namespace kel
