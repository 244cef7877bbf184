// Saving, renaming and the PDF, icon and metafile exports through the real
// main window with scripted dialogs; files are read back by other readers
// (Qt's image plugins, libtiff) or checked byte by byte against small models.
#include "app/commands/save_commands.h"
#include "app/program_form.h"
#include "codecs/codec.h"
#include "codecs/writers.h"
#include "document_files.h"
#include "graphics/pixel_rows.h"
#include "support/bitmap_compare.h"
#include "support/fake_services.h"
#include "view/image_colorizer.h"
#include "widgets/status_bar.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <csignal>
#include <map>
#include <set>
#include <sys/resource.h>

namespace kel {
namespace {

const QString kFailure = QString::fromUtf8(" L' enregistrement de l' image a malheureusement échoué !!    ");

// Six flat colours in 8 x 8 blocks, so that every format can hold them.
Bitmap blocks(int width, int height)
{
    const Colour colours[] = {clRed, clLime, clBlue, clWhite, rgb(10, 20, 30), rgb(200, 150, 100)};
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, colours[(x / 8 + 2 * (y / 8)) % 6]);
    return bitmap;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

unsigned littleEndian(const QByteArray& bytes, int at, int size)
{
    unsigned value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | std::uint8_t(bytes[at + i]);
    return value;
}

std::set<QString> filesIn(const QString& folder)
{
    std::set<QString> names;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) names.insert(name);
    return names;
}

// Writes beyond `limit` bytes fail with EFBIG for as long as the guard lives
// (root ignores folder permissions, not this limit).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lowered = old_;
        lowered.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &lowered);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

class SaveCommands : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    // With KELVARY_SAVED_FILES set to a folder, the written files are kept
    // there for scripts/check-saved-files.sh to read with other programs.
    void TearDown() override
    {
        const QString keep = qEnvironmentVariable("KELVARY_SAVED_FILES");
        if (keep.isEmpty()) return;
        const QString test = QString::fromLatin1(testing::UnitTest::GetInstance()->current_test_info()->name());
        QDirIterator files(folder.path(), QDir::Files, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            QFile::copy(path, QDir(keep).filePath(test + QLatin1Char('-') + QFileInfo(path).fileName()));
        }
    }

    QString file(const QString& name) const { return QDir(folder.path()).filePath(name); }

    // Opens a picture through the open dialog, as the user would.
    void open(const Bitmap& picture, const QString& name = QStringLiteral("photo.bmp"))
    {
        test::writeBmp(file(name), picture);
        dialogs.answerFile(file(name));
        form.runCommand("Ouvriruneimage1");
        ASSERT_EQ(form.document().fileName(), file(name));
    }

    void run(const char* command)
    {
        form.runCommand(command);
        ASSERT_TRUE(dialogs.errors.isEmpty()) << command << ": " << dialogs.errors.join(' ').toStdString();
        ASSERT_TRUE(dialogs.allAnswersUsed()) << command;
    }

    void save(const QString& typed, int filterIndex)
    {
        dialogs.answerFile(typed, filterIndex);
        run("Enregistrer1");
    }

    QStringList plainMessages() const
    {
        QStringList texts;
        for (const auto& asked : dialogs.asked)
            if (asked.call == QLatin1String("plainMessage")) texts << asked.title;
        return texts;
    }

    const Bitmap& shown() const { return *form.Image1->Picture().bitmapIfAny(); }
    QString status() const { return form.EStatusBar1->Caption(); }

    QTemporaryDir folder;
    test::FakeServices fakes;
    test::ScriptedDialogs& dialogs = fakes.dialogs;
    TProgramForm form{fakes.services()};
};

// ------------------------------------------------------------- the dialogs

TEST_F(SaveCommands, EachDialogIsAskedForAsTheCommandShowsIt)
{
    open(blocks(16, 16));
    const QString photo = file(QStringLiteral("photo.bmp"));
    struct Row {
        const char* command;
        const char* call;
        QString title;
        QString folder;
        QString fileName;
        QStringList filterStarts;
        QPoint offset;
    };
    const Row rows[] = {
        {"Enregistrer1", "savePicture", QStringLiteral("Enregistrer l' image"), folder.path(), photo,
         {QStringLiteral(" Images Bitmaps (*.BMP)"), QStringLiteral(" Images Compuserve Graphical (*.GIF)"),
          QStringLiteral(" Images File Interchange Format (*.JPG)"),
          QStringLiteral(" Images Portable Network Graphic (*.PNG)"), QStringLiteral(" Images Truevision (*.TGA)"),
          QStringLiteral(" Images Tagged Image Files (*.TIF)")},
         {170, 230}},
        {"Image11", "savePicture", QStringLiteral("Enregistrer l' image"), folder.path(), photo, {}, {170, 230}},
        {"Enregistrersous1", "savePicture", QStringLiteral(" Enregistrer l' image sous"), QString(), photo,
         {QStringLiteral(" Images Bitmaps (*.BMP)")}, {170, 230}},
        {"Image12", "savePicture", QStringLiteral(" Enregistrer l' image sous"), QString(), photo, {}, {170, 230}},
        {"ExporterauformatPDF1", "saveFile", QStringLiteral(" Exporter au format PDF"), folder.path(),
         QStringLiteral("photo.pdf"), {QStringLiteral(" Acrobat Format (*.pdf)")}, {252, 230}},
        {"Convertirenicne1", "saveFile", QString::fromUtf8(" Convertir en icône"), folder.path(),
         QStringLiteral("photo.ico"), {QString::fromUtf8(" Icônes Windows (*.ICO)")}, {252, 230}},
        {"ransformerenmtafichier1", "saveFile", QString::fromUtf8(" Transformer en métafichier"), folder.path(), photo,
         {QStringLiteral(" Images Enhanced Metafiles (*.EMF)"), QStringLiteral(" Images Windows Metafiles (*.WMF)")},
         {252, 230}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.command);
        dialogs.cancelFile();
        const std::size_t before = dialogs.asked.size();
        run(row.command);
        ASSERT_EQ(dialogs.asked.size(), before + 1);
        const FileDialogRequest& request = dialogs.asked.back().request;
        EXPECT_EQ(dialogs.asked.back().call, QLatin1String(row.call));
        EXPECT_EQ(request.title, row.title);
        EXPECT_EQ(request.folder, row.folder);
        EXPECT_EQ(request.fileName, row.fileName);
        EXPECT_EQ(request.offset, row.offset);
        EXPECT_EQ(request.filterIndex, 1);
        // No dialog of the program asks before replacing a file.
        EXPECT_FALSE(request.askBeforeReplacing);
        if (row.filterStarts.isEmpty()) continue;
        ASSERT_EQ(request.filters.size(), row.filterStarts.size());
        for (qsizetype i = 0; i < row.filterStarts.size(); ++i)
            EXPECT_TRUE(request.filters[i].startsWith(row.filterStarts[i])) << request.filters[i].toStdString();
    }
    EXPECT_TRUE(filesIn(folder.path()) == std::set<QString>{QStringLiteral("photo.bmp")});
}

TEST_F(SaveCommands, WithoutPictureOrNameNothingIsAsked)
{
    for (const char* command : {"Enregistrer1", "Enregistrersous1", "ExporterauformatPDF1", "Convertirenicne1",
                                "ransformerenmtafichier1"})
        run(command);
    EXPECT_TRUE(dialogs.asked.empty());
    // A picture without a file: nothing to rename.
    form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(blocks(8, 8)));
    run("Enregistrersous1");
    EXPECT_TRUE(dialogs.asked.empty());
}

// ------------------------------------------------------------------ saving

// The picture as another reader sees the file: Qt's plugins for the
// formats they know, libtiff for TIFF, the Targa reader for Targa.
QImage readBack(const QString& path, const QByteArray& format)
{
    if (format == "tga" || format == "tif") {
        const std::unique_ptr<Graphic> graphic = codecs::loadGraphic(path);
        return graphic ? graphic->toImage() : QImage();
    }
    return QImage(path, format.constData());
}

TEST_F(SaveCommands, TheChosenEntryDecidesFormatAndExtension)
{
    const Bitmap picture = blocks(37, 23);
    open(picture);
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("a.b")));
    struct Row {
        const char* typed;
        int entry;
        const char* written;
        QByteArray magic;
        QByteArray format;
        double meanTolerance; // mean channel difference allowed on reading back
    };
    const Row rows[] = {
        {"photo.png", 1, "photo.bmp", "BM", "bmp", 0},
        {"sortie", 4, "sortie.png", "\x89PNG", "png", 0},
        {"a.b/sortie", 4, "a.b/sortie.png", "\x89PNG", "png", 0},
        {"x.tif", 2, "x.gif", "GIF8", "gif", 0},
        {"x", 3, "x.jpg", "\xFF\xD8\xFF", "jpg", 12},
        {"x.TGA.old", 5, "x.TGA.tga", QByteArray("\0\0\x0A", 3), "tga", 0},
        {"y.jpg", 6, "y.tif", QByteArray("II*\0", 4), "tif", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        const QString written = file(QString::fromLatin1(row.written));
        const QString subfolder = QFileInfo(written).path();
        const std::set<QString> before = filesIn(subfolder);
        save(file(QString::fromLatin1(row.typed)), row.entry);
        EXPECT_TRUE(plainMessages().isEmpty());
        // Exactly one new file, no temporary left and no file of the typed name.
        std::set<QString> expected = before;
        expected.insert(QFileInfo(written).fileName());
        EXPECT_TRUE(filesIn(subfolder) == expected) << QStringList(filesIn(subfolder).begin(), filesIn(subfolder).end())
                                                           .join(' ')
                                                           .toStdString();
        const QByteArray bytes = fileBytes(written);
        ASSERT_TRUE(bytes.startsWith(row.magic));
        if (row.format != "tga" && row.format != "tif" && !QImageReader::supportedImageFormats().contains(row.format))
            continue;
        const QImage image = readBack(written, row.format).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(image.size(), QSize(37, 23));
        double total = 0;
        for (int y = 0; y < 23; ++y)
            for (int x = 0; x < 37; ++x) {
                const Colour want = readPixel(picture, x, y);
                const QRgb got = image.pixel(x, y);
                total += std::abs(qRed(got) - redOf(want)) + std::abs(qGreen(got) - greenOf(want))
                         + std::abs(qBlue(got) - blueOf(want));
            }
        EXPECT_LE(total / (37 * 23 * 3), row.meanTolerance);
    }
    // The document keeps its name, status line and picture.
    EXPECT_EQ(form.document().fileName(), file(QStringLiteral("photo.bmp")));
    EXPECT_EQ(status(), file(QStringLiteral("photo.bmp")) + QStringLiteral(" | 37 x 23 pixels | 6 couleurs"));
    EXPECT_TRUE(test::sameBitmap(picture, shown()));
    // The next save starts again from the current file.
    dialogs.cancelFile();
    run("Enregistrer1");
    EXPECT_EQ(dialogs.asked.back().request.fileName, file(QStringLiteral("photo.bmp")));
    EXPECT_EQ(dialogs.asked.back().request.filterIndex, 1);
}

TEST_F(SaveCommands, BmpKeepsTheDepthOfTheShownPicture)
{
    const struct {
        PixelFormat format;
        const char* command; // makes the shown picture; nullptr: converted here
    } rows[] = {{pf24bit, "Ouvriruneimage1"}, {pf16bit, "Image16bits1"}, {pf1bit, nullptr}, {pf4bit, nullptr},
                {pf8bit, nullptr},            {pf15bit, nullptr},         {pf32bit, nullptr}};
    for (const auto& row : rows) {
        SCOPED_TRACE(bitsPerPixel(row.format));
        open(blocks(21, 9));
        if (row.command && std::strcmp(row.command, "Ouvriruneimage1") != 0) run(row.command);
        if (!row.command) {
            Bitmap converted = blocks(21, 9);
            converted.setPixelFormat(row.format);
            form.Image1->Picture().setGraphic(std::make_unique<Bitmap>(std::move(converted)));
        }
        ASSERT_EQ(shown().pixelFormat(), row.format);
        const int bits = bitsPerPixel(row.format);
        save(file(QStringLiteral("depth")), 1);
        const QByteArray bytes = fileBytes(file(QStringLiteral("depth.bmp")));
        ASSERT_GE(bytes.size(), 54);
        EXPECT_EQ(littleEndian(bytes, 28, 2), unsigned(bits == 15 ? 16 : bits));
        EXPECT_EQ(littleEndian(bytes, 18, 4), 21u);
        EXPECT_EQ(littleEndian(bytes, 22, 4), 9u);
        // Qt reads the file back to the picture shown.
        if (bits != 16 && bits != 15) {
            const QImage image(file(QStringLiteral("depth.bmp")));
            ASSERT_EQ(image.size(), QSize(21, 9));
            for (int y = 0; y < 9; ++y)
                for (int x = 0; x < 21; ++x) {
                    const Colour want = readPixel(shown(), x, y);
                    ASSERT_EQ(image.pixel(x, y) & 0xFFFFFF, qRgb(redOf(want), greenOf(want), blueOf(want)) & 0xFFFFFF)
                        << x << "," << y;
                }
        }
    }
}

// libjpeg's tables for a quality: the example tables of the JPEG standard
// scaled by 200 - 2q percent, rounded, kept within 1..255; listed in the
// zig-zag order of the file.
std::array<int, 64> qualityTable(const int (&base)[64], int quality)
{
    std::array<int, 64> zigzag{};
    int k = 0;
    for (int sum = 0; sum <= 14; ++sum) {
        const int first = std::max(0, sum - 7), last = std::min(sum, 7);
        for (int step = 0; step <= last - first; ++step) {
            const int row = sum % 2 == 0 ? last - step : first + step;
            const int value = (base[row * 8 + (sum - row)] * (200 - 2 * quality) + 50) / 100;
            zigzag[k++] = std::clamp(value, 1, 255);
        }
    }
    return zigzag;
}

// The quantisation tables of a JPEG file, by table number.
std::map<int, std::array<int, 64>> quantisationTables(const QByteArray& jpeg)
{
    std::map<int, std::array<int, 64>> tables;
    int at = 2;
    while (at + 4 <= jpeg.size() && std::uint8_t(jpeg[at]) == 0xFF) {
        const int marker = std::uint8_t(jpeg[at + 1]);
        const int length = std::uint8_t(jpeg[at + 2]) << 8 | std::uint8_t(jpeg[at + 3]);
        if (marker == 0xDA) break;
        if (marker == 0xDB)
            for (int p = at + 4; p + 65 <= at + 2 + length; p += 65) {
                std::array<int, 64>& table = tables[std::uint8_t(jpeg[p]) & 15];
                for (int i = 0; i < 64; ++i) table[i] = std::uint8_t(jpeg[p + 1 + i]);
            }
        at += 2 + length;
    }
    return tables;
}

constexpr int kLuminance[64] = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                                14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                                18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                                49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr int kChrominance[64] = {17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
                                  24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
                                  99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                                  99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

TEST_F(SaveCommands, JpegIsWrittenAtQuality80InColour)
{
    open(blocks(40, 24));
    save(file(QStringLiteral("q")), 3);
    const QByteArray jpeg = fileBytes(file(QStringLiteral("q.jpg")));
    const auto tables = quantisationTables(jpeg);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables.at(0), qualityTable(kLuminance, 80));
    EXPECT_EQ(tables.at(1), qualityTable(kChrominance, 80));
    // Three components in the frame header.
    const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(frame, 0);
    EXPECT_EQ(int(jpeg[frame + 9]), 3);
}

TEST_F(SaveCommands, AFailedSaveShowsTheMessageAndKeepsTheOldFile)
{
    open(blocks(64, 64));
    struct Row {
        const char* name;
        const char* typed;
        int entry;
        bool readOnlyFolder;
        rlim_t sizeLimit; // 0: none
    };
    const Row rows[] = {
        {"disk full while writing", "old.bmp", 1, false, 4000},
        {"read-only folder", "old.png", 4, true, 0},
        {"missing folder", "nowhere/old.bmp", 1, false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir place;
        const QString target = QDir(place.path()).filePath(QString::fromLatin1(row.typed));
        const QByteArray old("the old file's bytes");
        if (QDir(place.path()).exists(QFileInfo(target).path())) test::writeBytes(target, old);
        if (row.readOnlyFolder) {
            QFile::setPermissions(place.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
            QFile probe(QDir(place.path()).filePath(QStringLiteral("probe")));
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                QFile::setPermissions(place.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
                continue; // privileged: the folder is not read-only to us
            }
        }
        const std::size_t before = dialogs.asked.size();
        {
            std::optional<FileSizeLimit> limit;
            if (row.sizeLimit) limit.emplace(row.sizeLimit);
            save(target, row.entry);
        }
        QFile::setPermissions(place.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        ASSERT_EQ(dialogs.asked.size(), before + 2);
        EXPECT_EQ(dialogs.asked.back().call, QLatin1String("plainMessage"));
        EXPECT_EQ(dialogs.asked.back().title, kFailure);
        if (QFileInfo::exists(target)) {
            EXPECT_EQ(fileBytes(target), old);
            EXPECT_EQ(filesIn(QFileInfo(target).path()).size(), 1u);
        }
    }
    // A picture the TIFF writer cannot take: 4 bits, narrower than 4 pixels.
    Bitmap narrow = blocks(3, 5);
    narrow.setPixelFormat(pf4bit);
    form.Image1->Picture().setGraphic(std::make_unique<Bitmap>(std::move(narrow)));
    test::writeBytes(file(QStringLiteral("narrow.tif")), "old");
    const qsizetype messages = plainMessages().size();
    save(file(QStringLiteral("narrow")), 6);
    EXPECT_EQ(plainMessages().size(), messages + 1);
    EXPECT_EQ(dialogs.asked.back().title, kFailure);
    EXPECT_EQ(fileBytes(file(QStringLiteral("narrow.tif"))), QByteArray("old"));
}

// ---------------------------------------------------------------- renaming

TEST_F(SaveCommands, RenameFilterFollowsTheExactExtensionOrStays)
{
    const QString jpg = QStringLiteral(" Images File Interchange Format (*.JPG)");
    const QString png = QStringLiteral(" Images Portable Network Graphic (*.PNG)");
    form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(blocks(8, 8)));
    const struct {
        const char* name;
        QString filterStart; // empty: no filter
    } steps[] = {
        {"x.jpeg", {}}, {"x.Jpg", {}}, {"x.JPG", jpg}, {"x.jpeg", jpg}, {"x.Jpg", jpg}, {"dir.png/x", jpg},
        {"x.png", png}, {"x.PNG", png}, {"x", png},    {"x.jpg", jpg},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        form.document().setFileName(file(QString::fromLatin1(step.name)));
        dialogs.cancelFile();
        run("Enregistrersous1");
        const QStringList filters = dialogs.asked.back().request.filters;
        if (step.filterStart.isEmpty()) {
            EXPECT_TRUE(filters.isEmpty());
        } else {
            ASSERT_EQ(filters.size(), 1);
            EXPECT_TRUE(filters[0].startsWith(step.filterStart)) << filters[0].toStdString();
        }
    }
}

TEST_F(SaveCommands, RenameMovesTheFileButNeverReplacesOne)
{
    open(blocks(8, 8), QStringLiteral("a.bmp"));
    const QByteArray content = fileBytes(file(QStringLiteral("a.bmp")));
    test::writeBytes(file(QStringLiteral("taken.bmp")), "taken");

    // Onto an existing name: both files stay as they were, nothing is said.
    dialogs.answerFile(file(QStringLiteral("taken.bmp")));
    run("Enregistrersous1");
    EXPECT_EQ(fileBytes(file(QStringLiteral("a.bmp"))), content);
    EXPECT_EQ(fileBytes(file(QStringLiteral("taken.bmp"))), QByteArray("taken"));

    // A free name: the same bytes under the new name, the document unchanged.
    dialogs.answerFile(file(QStringLiteral("b.bmp")));
    run("Image12");
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("a.bmp"))));
    EXPECT_EQ(fileBytes(file(QStringLiteral("b.bmp"))), content);
    EXPECT_EQ(form.document().fileName(), file(QStringLiteral("a.bmp")));

    // The old name is gone now: a second rename fails silently.
    dialogs.answerFile(file(QStringLiteral("c.bmp")));
    run("Enregistrersous1");
    EXPECT_FALSE(QFileInfo::exists(file(QStringLiteral("c.bmp"))));
    EXPECT_TRUE(plainMessages().isEmpty());
}

TEST(FileNames, ExtensionsAreReplacedInTheFileNameOnly)
{
    const struct {
        const char* path;
        const char* extension;
        const char* expected;
    } rows[] = {
        {"/d/photo.png", ".bmp", "/d/photo.bmp"},     {"/d/photo", ".bmp", "/d/photo.bmp"},
        {"/d/a.b/sortie", ".png", "/d/a.b/sortie.png"}, {"/d/a.b/x.y.z", ".tif", "/d/a.b/x.y.tif"},
        {"photo.", ".jpg", "photo.jpg"},              {"", ".pdf", ".pdf"},
        {"/d/.hidden", ".ico", "/d/.ico"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(commands::withExtension(QString::fromLatin1(row.path), QString::fromLatin1(row.extension)),
                  QString::fromLatin1(row.expected))
            << row.path;
    EXPECT_EQ(commands::folderOf(QStringLiteral("/d/a.b/x")), QStringLiteral("/d/a.b"));
    EXPECT_EQ(commands::folderOf(QStringLiteral("/x")), QStringLiteral("/"));
    EXPECT_EQ(commands::folderOf(QStringLiteral("x")), QString());
}

// ------------------------------------------------------------------- PDF

// The JPEG embedded in the PDF's image object.
QByteArray embeddedJpeg(const QByteArray& pdf)
{
    const qsizetype length = pdf.indexOf("/Length ", pdf.indexOf("/Subtype /Image"));
    const qsizetype stream = pdf.indexOf("stream\n", length) + 7;
    return pdf.mid(stream, pdf.mid(length + 8, pdf.indexOf(' ', length + 8) - length - 8).toInt());
}

QStringList temporaryJpegs()
{
    return QDir::temp().entryList({QStringLiteral("*.bak")}, QDir::Files);
}

TEST_F(SaveCommands, PdfOfA640By480Picture)
{
    open(blocks(640, 480));
    const QStringList temporaries = temporaryJpegs();
    dialogs.answerFile(file(QStringLiteral("out.pdf")));
    run("ExporterauformatPDF1");
    const QByteArray pdf = fileBytes(file(QStringLiteral("out.pdf")));
    ASSERT_TRUE(pdf.startsWith("%PDF-1.2\n"));
    const int offsets[] = {9, 100, 159, 317};
    for (int object = 1; object <= 4; ++object)
        EXPECT_EQ(pdf.indexOf(QByteArray::number(object) + " 0 obj\n"), offsets[object - 1]) << object;
    EXPECT_TRUE(pdf.contains("/MediaBox [ 0 0 640 480 ]\n"));
    EXPECT_TRUE(pdf.contains("xref\n0 6\n0000000000 65535 f \n0000000009 00000 n \n"));
    // The JPEG inside is the picture compressed at quality 80, byte for byte.
    EXPECT_EQ(embeddedJpeg(pdf), codecs::encodeJpeg(shown(), 80));
    EXPECT_EQ(temporaryJpegs(), temporaries);
    EXPECT_TRUE(plainMessages().isEmpty());
    EXPECT_TRUE(filesIn(folder.path()) == (std::set<QString>{QStringLiteral("photo.bmp"), QStringLiteral("out.pdf")}));
}

TEST_F(SaveCommands, PdfShowsThePictureAsTheViewShowsIt)
{
    open(blocks(48, 32));
    run("Niveauxdegris1");
    dialogs.answerFile(file(QStringLiteral("grey.pdf")));
    run("ExporterauformatPDF1");
    QImage image;
    ASSERT_TRUE(image.loadFromData(embeddedJpeg(fileBytes(file(QStringLiteral("grey.pdf")))), "JPEG"));
    ASSERT_EQ(image.size(), QSize(48, 32));
    int spread = 0, coloured = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 48; ++x) {
            const QRgb p = image.pixel(x, y);
            spread = std::max({spread, std::abs(qRed(p) - qGreen(p)), std::abs(qGreen(p) - qBlue(p))});
            const Colour o = readPixel(blocks(48, 32), x, y);
            coloured = std::max(coloured, std::abs(redOf(o) - blueOf(o)));
        }
    EXPECT_LE(spread, 3);
    EXPECT_EQ(coloured, 255);
}

TEST_F(SaveCommands, PdfIsNamedAfterTheLastOpenedFileNotTheCurrentOne)
{
    // A fresh session with a pasted picture: only the extension is proposed.
    form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(blocks(8, 8)));
    dialogs.cancelFile();
    run("ExporterauformatPDF1");
    EXPECT_EQ(dialogs.asked.back().request.fileName, QStringLiteral(".pdf"));
    EXPECT_EQ(dialogs.asked.back().request.folder, QString());
    // After opening, then naming the document otherwise, the opened file still counts.
    open(blocks(8, 8), QStringLiteral("first.v2.bmp"));
    form.document().setFileName(QStringLiteral("/elsewhere/other.png"));
    dialogs.cancelFile();
    run("ExporterauformatPDF1");
    EXPECT_EQ(dialogs.asked.back().request.fileName, QStringLiteral("first.v2.pdf"));
    EXPECT_EQ(dialogs.asked.back().request.folder, folder.path());
}

TEST_F(SaveCommands, AFailedPdfWriteIsShownAndKeepsTheOldFile)
{
    open(blocks(64, 64));
    const QString target = file(QStringLiteral("old.pdf"));
    test::writeBytes(target, "old pdf");
    const QStringList temporaries = temporaryJpegs();
    {
        // Room for the temporary JPEG, not for the PDF around it.
        FileSizeLimit limit(codecs::encodeJpeg(shown(), 80).size() + 100);
        dialogs.answerFile(target);
        run("ExporterauformatPDF1");
    }
    EXPECT_EQ(plainMessages(), QStringList{kFailure});
    EXPECT_EQ(fileBytes(target), QByteArray("old pdf"));
    EXPECT_EQ(temporaryJpegs(), temporaries);
}

// -------------------------------------------------------- icon and metafile

TEST_F(SaveCommands, IconSqueezesThePictureTo32By32)
{
    // Blue with a white corner at the bottom left: the corner's colour becomes transparent.
    Bitmap picture(640, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) writePixel(picture, x, y, x < 20 && y >= 465 ? clWhite : clBlue);
    open(picture);
    dialogs.answerFile(file(QStringLiteral("icon.bin")));
    run("Convertirenicne1");
    // The name as chosen, no extension forced.
    const QByteArray icon = fileBytes(file(QStringLiteral("icon.bin")));
    ASSERT_EQ(icon.size(), 2238);
    EXPECT_EQ(littleEndian(icon, 0, 2), 0u);
    EXPECT_EQ(littleEndian(icon, 2, 2), 1u);
    EXPECT_EQ(littleEndian(icon, 4, 2), 1u);
    EXPECT_EQ(std::uint8_t(icon[6]), 32);
    EXPECT_EQ(std::uint8_t(icon[7]), 32);
    EXPECT_EQ(littleEndian(icon, 14, 4), 2216u);
    EXPECT_EQ(littleEndian(icon, 18, 4), 22u);
    EXPECT_EQ(littleEndian(icon, 22 + 8, 4), 64u); // height doubled for the mask
    // Mask rows bottom first, 4 bytes each: only the bottom-left pixel is
    // transparent, so the picture filled the whole square (no letter-box).
    const int mask = 22 + 40 + 1024 + 1024;
    for (int row = 0; row < 32; ++row)
        for (int x = 0; x < 32; ++x) {
            const bool transparent = std::uint8_t(icon[mask + row * 4 + x / 8]) >> (7 - x % 8) & 1;
            EXPECT_EQ(transparent, row == 0 && x == 0) << x << "," << 31 - row;
        }
    // Colour pixels: blue wherever the mask is opaque.
    const int pixels = 22 + 40;
    const int blue = std::uint8_t(icon[pixels + 1024 + 31 * 32 + 31]);
    EXPECT_EQ(std::uint8_t(icon[pixels + blue * 4]), 255);
    EXPECT_EQ(std::uint8_t(icon[pixels + blue * 4 + 1]), 0);
    EXPECT_EQ(std::uint8_t(icon[pixels + blue * 4 + 2]), 0);
}

TEST_F(SaveCommands, MetafileEntryForcesItsExtensionAndKind)
{
    open(blocks(30, 20));
    const struct {
        const char* typed;
        int entry;
        const char* written;
        const char* absent;
        bool windows;
    } rows[] = {
        {"x.emf", 2, "x.wmf", "x.emf", true},
        {"y.wmf", 1, "y.emf", "y.wmf", false},
        {"z", 1, "z.emf", "z", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        dialogs.answerFile(file(QString::fromLatin1(row.typed)), row.entry);
        run("ransformerenmtafichier1");
        EXPECT_FALSE(QFileInfo::exists(file(QString::fromLatin1(row.absent))));
        const QByteArray bytes = fileBytes(file(QString::fromLatin1(row.written)));
        ASSERT_GE(bytes.size(), 88);
        if (row.windows) {
            EXPECT_EQ(littleEndian(bytes, 0, 4), 0x9AC6CDD7u); // placeable header key
        } else {
            EXPECT_EQ(littleEndian(bytes, 0, 4), 1u); // header record
            EXPECT_EQ(bytes.mid(40, 4), QByteArray(" EMF"));
        }
    }
}

} // namespace
} // namespace kel
