#include "platform/qt_services.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QHeaderView>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>

using namespace kel;

namespace {

// Runs `act` on the modal dialog of type T as soon as it shows, then lets the test go on.
template <typename T>
void whenShown(std::function<void(T*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start();
}

} // namespace

TEST(QtDialogs, FolderBrowserCentredOnTheOwnerGivesTheFolderWithoutTrailingSlash)
{
    QTemporaryDir folder;
    QtDialogs dialogs;
    const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect owner(workArea.x() + 100, workArea.y() + 80, 640, 480);
    QPoint shownAt, expected;
    whenShown<QFileDialog>([&](QFileDialog* dialog) {
        shownAt = dialog->frameGeometry().topLeft();
        expected = centredFolderDialogPosition(owner, dialog->frameGeometry().size(), workArea);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Choisissez le dossier de sauvegarde"));
        EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
        dialog->setDirectory(folder.path() + u'/');
        static_cast<QDialog*>(dialog)->accept(); // as the Choose button does
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the browser did not take the folder";
            dialog->reject();
        }
    });
    const std::optional<QString> chosen = dialogs.selectFolder(QStringLiteral("Choisissez le dossier de sauvegarde"), owner);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, folder.path());
    EXPECT_EQ(shownAt, expected);

    whenShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(dialogs.selectFolder(QStringLiteral("x"), owner));
}

TEST(QtDialogs, PlainMessageHasTheProgramsNameAndOnlyOk)
{
    QCoreApplication::setApplicationName(QStringLiteral("Kelvary"));
    QtDialogs dialogs;
    const QString text = QStringLiteral("Le driver Twain n' est pas encore installé !      ");
    bool seen = false;
    whenShown<QMessageBox>([&](QMessageBox* box) {
        seen = true;
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Kelvary"));
        EXPECT_EQ(box->text(), text); // trailing blanks kept
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        box->button(QMessageBox::Ok)->click();
    });
    dialogs.plainMessage(text);
    EXPECT_TRUE(seen);
}

TEST(QtDialogs, PrintPreviewIsTitledAndDrawnByTheRenderer)
{
    QtDialogs dialogs;
    QPrinter printer(QPrinter::ScreenResolution);
    QString title;
    whenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog* dialog) {
        title = dialog->windowTitle();
        dialog->close();
    });
    int drawn = 0;
    dialogs.printPreview(printer, QStringLiteral(" Aperçu avant impression"), [&](QPrinter&) { ++drawn; });
    EXPECT_EQ(title, QStringLiteral(" Aperçu avant impression"));
    EXPECT_GE(drawn, 1);
}

TEST(QtServices, TheBundleHandsOutTheServicesItOwns)
{
    QtServices owner;
    Services& services = owner.services();
    EXPECT_EQ(&services.dialogs, &owner.dialogs());
    EXPECT_NE(dynamic_cast<QtClipboard*>(&services.clipboard), nullptr);
    EXPECT_NE(dynamic_cast<LinuxDesktop*>(&services.desktop), nullptr);
    EXPECT_NE(dynamic_cast<QtPrinting*>(&services.printing), nullptr);
    EXPECT_NE(dynamic_cast<SaneScanner*>(&services.scanner), nullptr);
    EXPECT_FALSE(services.system.userName().isEmpty());
}

TEST(QtDialogs, FileDialogsShowTheTypesAsWrittenWithoutPlacesBarAndGiveTheChosenType)
{
    QTemporaryDir folder;
    QFile sample(folder.filePath(QStringLiteral("une image au nom assez long pour la colonne.bmp")));
    ASSERT_TRUE(sample.open(QIODevice::WriteOnly));
    sample.write(QByteArray(5000, 'x'));
    sample.close();
    const QStringList descriptions = {QStringLiteral(" Toutes les images (*.*)"), QStringLiteral(" Images Bitmaps (*.BMP)"),
                                      QStringLiteral(" Images Paintbrush (*.PCX)")};
    FileDialogRequest request;
    request.folder = folder.path();
    request.filters = {descriptions[0] + QStringLiteral(" (*.bmp *.pcx)"), descriptions[1] + QStringLiteral(" (*.bmp)"),
                       descriptions[2] + QStringLiteral(" (*.pcx)")};
    request.filterIndex = 2;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QtDialogs dialogs;
    using Ask = std::optional<FileChoice> (QtDialogs::*)(const FileDialogRequest&);
    for (Ask ask : {Ask(&QtDialogs::openPicture), Ask(&QtDialogs::savePicture), Ask(&QtDialogs::saveFile)}) {
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            ASSERT_NE(types, nullptr);
            QStringList shown;
            for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
            EXPECT_EQ(shown, descriptions);
            EXPECT_EQ(types->currentIndex(), 1);
            EXPECT_FALSE(dialog->findChild<QWidget*>(QStringLiteral("sidebar"))->isVisible());
            auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            // The folder is read on another thread: wait for the file's row to be filled.
            QModelIndex name;
            for (QDeadlineTimer deadline(5000); !deadline.hasExpired(); QThread::msleep(5)) {
                QApplication::processEvents();
                name = list->model()->index(0, 0, list->rootIndex());
                if (!name.siblingAtColumn(1).data().toString().isEmpty()) break;
            }
            // Sizes and dates in the program's French, not the system's language.
            EXPECT_EQ(name.siblingAtColumn(1).data().toString(), QLocale().formattedDataSize(5000));
            EXPECT_EQ(name.siblingAtColumn(3).data().toString(),
                      QLocale().toString(QFileInfo(sample).lastModified(), QLocale::ShortFormat));
            for (int column = 0; column < 4; ++column)
                EXPECT_GE(list->header()->sectionSize(column),
                          static_cast<QAbstractItemView*>(list)->sizeHintForColumn(column)) << column;
            types->setCurrentIndex(2); // as a user's choice does
            emit types->activated(2);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("nouvelle.pcx"));
            static_cast<QDialog*>(dialog)->accept(); // as the Open or Save button does
            if (dialog->isVisible()) dialog->reject();
        });
        const std::optional<FileChoice> chosen = (dialogs.*ask)(request);
        ASSERT_TRUE(chosen);
        EXPECT_EQ(chosen->filterIndex, 3);
        EXPECT_EQ(chosen->fileName, folder.filePath(QStringLiteral("nouvelle.pcx")));
    }
}
