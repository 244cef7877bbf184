#include "app/command_table.h"
#include "app/program_form.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_services.h"
#include "support/fake_services.h"
#include "support/scripted_dialogs.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/border_label.h"
#include "widgets/gradient_panel.h"
#include "widgets/icon_list_box.h"
#include "widgets/picture_button.h"
#include "widgets/status_bar.h"
#include "widgets/track_bar.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace kel {
namespace {

const QString kQuitQuestion = QStringLiteral("Voulez-vous vraiment quitter le programme ?") + QString(10, u' ');

class ProgramFormTest : public testing::Test {
protected:
    void showForm()
    {
        form.move(0, 0);
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    test::FakeServices fakes;

    test::ScriptedDialogs& dialogs = fakes.dialogs;
    TProgramForm form{fakes.services()};
};

TEST_F(ProgramFormTest, ClientAreaIsFixedUnderTheMenuBar)
{
    showForm();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("KELVARY 1.1"));
    EXPECT_EQ(form.centralWidget()->size(), QSize(1008, 706));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
}

TEST_F(ProgramFormTest, ComponentsStandAtTheirPlaces)
{
    EXPECT_EQ(form.GPanel1->geometry(), QRect(0, 0, 1008, 32));
    EXPECT_EQ(form.GPanel1->Color_1(), clWhite);
    EXPECT_EQ(form.GPanel1->Color_2(), clBtnFace);
    EXPECT_EQ(form.LabelBorder3->geometry(), QRect(10, 40, 169, 169));
    EXPECT_EQ(form.ImageCIBLE->geometry(), QRect(16, 46, 157, 157));
    EXPECT_EQ(form.ListBox1->geometry(), QRect(10, 216, 169, 465));
    EXPECT_EQ(form.LabelBorder1->geometry(), QRect(184, 40, 641, 641));
    EXPECT_EQ(form.Notebook1->geometry(), QRect(190, 46, 629, 629));
    EXPECT_EQ(form.LabelBorder2->geometry(), QRect(830, 40, 169, 641));
    EXPECT_EQ(form.ImageCOLOR->geometry(), QRect(836, 272, 157, 157));
    EXPECT_EQ(form.LabelCURSOR->geometry(), QRect(838, 656, 153, 13));
    EXPECT_TRUE(form.LabelCURSOR->text().isEmpty());
    EXPECT_EQ(form.EStatusBar1->geometry(), QRect(0, 686, 1008, 20));
    EXPECT_EQ(form.Image1->geometry(), QRect(6, 6, 617, 617));
    EXPECT_TRUE(form.Image1->Center());
    EXPECT_TRUE(form.Image1->Proportional());
    EXPECT_EQ(form.Image1->ZoomX(), 100);
    EXPECT_EQ(form.ScrollBox2->size(), QSize(629, 629));
    EXPECT_EQ(form.ScrollBox2->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(form.ScrollBox2->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(ProgramFormTest, NotebookHasItsEightPagesAndShowsTheImage)
{
    ASSERT_EQ(form.Notebook1->count(), 8);
    EXPECT_EQ(form.Notebook1->currentIndex(), 0);
    const QStringList captions{"Images", "Dimensions", "Selections", "Cadres",
                               "Fusions", "Remplissage", "Textes", "Inclinaison"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(form.Notebook1->widget(i)->objectName(), captions[i]);
    EXPECT_TRUE(form.Notebook1->widget(0)->isAncestorOf(form.Image1));
}

TEST_F(ProgramFormTest, TrackBarsStartWithTheirRangesAndZeroLabels)
{
    struct Row {
        QLabel* caption;
        QString text;
        QLabel* value;
        TTrackBar* bar;
        int top, minimum, maximum, position;
    };
    const Row rows[] = {
        {form.Label19, "Rouge", form.LabelROUGE, form.TrackBarROUGE, 71, 0, 255, 255},
        {form.Label20, "Vert", form.LabelVERT, form.TrackBarVERT, 143, 0, 255, 255},
        {form.Label21, "Bleu", form.LabelBLEU, form.TrackBarBLEU, 215, 0, 255, 255},
        {form.Label2, QString::fromUtf8("Luminosité"), form.LabelLUMINOSITE, form.TrackBarLUMINOSITE, 463, -255, 255, 0},
        {form.Label3, "Contraste", form.LabelCONTRASTE, form.TrackBarCONTRASTE, 535, -255, 255, 0},
        {form.Label5, "Saturation", form.LabelSATURATION, form.TrackBarSATURATION, 607, -255, 255, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        EXPECT_EQ(row.caption->text(), row.text);
        EXPECT_EQ(row.caption->pos(), QPoint(846, row.top - 19));
        EXPECT_EQ(row.value->text(), QStringLiteral("0"));
        EXPECT_EQ(row.value->geometry(), QRect(936, row.top - 19, 45, 13));
        EXPECT_TRUE(row.value->alignment().testFlag(Qt::AlignRight));
        EXPECT_EQ(row.bar->geometry(), QRect(838, row.top, 153, 41));
        EXPECT_EQ(row.bar->Min(), row.minimum);
        EXPECT_EQ(row.bar->Max(), row.maximum);
        EXPECT_EQ(row.bar->Position(), row.position);
        EXPECT_EQ(row.bar->slider()->tickInterval(), 51);
        EXPECT_EQ(row.bar->slider()->tickPosition(), QSlider::TicksAbove);
        EXPECT_EQ(row.bar->slider()->singleStep(), 10);
    }
}

TEST_F(ProgramFormTest, DocumentStartsEmpty)
{
    EXPECT_TRUE(form.document().working().empty());
    EXPECT_EQ(form.document().working().pixelFormat(), pf24bit);
    EXPECT_EQ(form.document().initial().pixelFormat(), pf24bit);
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
    EXPECT_FALSE(form.ImageCIBLE->Picture().hasGraphic());
    EXPECT_TRUE(form.document().fileName().isEmpty());
    EXPECT_EQ(form.EStatusBar1->Caption(), QStringLiteral(" "));
}

TEST_F(ProgramFormTest, TheIconScratchNeverShows)
{
    showForm();
    EXPECT_FALSE(form.ImageICO->isVisible());
    EXPECT_TRUE(form.EStatusBar1->isVisible());
    EXPECT_FALSE(form.EStatusBar1->dateText().isEmpty());
    EXPECT_FALSE(form.EStatusBar1->timeText().isEmpty());
}

TEST_F(ProgramFormTest, PaletteHoldsTheColourSwatch)
{
    ASSERT_TRUE(form.ImageCOLOR->Picture().hasGraphic());
    EXPECT_EQ(form.ImageCOLOR->Picture().width(), 157);
    EXPECT_EQ(form.ImageCOLOR->Picture().height(), 157);
    EXPECT_TRUE(form.ImageCOLOR->AutoSize());
    EXPECT_NO_THROW(form.ImageCOLOR->GetCanvas());
}

TEST_F(ProgramFormTest, EffectsListHoldsTheTwentySixEntriesInOrder)
{
    const QStringList expected{"Blur", "Buttonize", "Circle button", "Circle mask ", "Dithering", "Emboss ",
                               "Exposure", "Flaxen", "Marble", "Night vision", "Plasma", "Ripple random",
                               "Ripple tooth", "Ripple triangle", "Seamless", "Shadow down left",
                               "Shadow down right", "Shadow up left", "Shadow up right", "Sharpen  ", "Spray ",
                               "Trace", "Triangles", "Turn", "Turn right ", "Twist"};
    ASSERT_EQ(form.ListBox1->count(), 26);
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(form.ListBox1->item(i)->text(), expected[i]);
        EXPECT_EQ(form.ListBox1->item(i)->sizeHint().height(), 16);
        EXPECT_FALSE(form.ListBox1->item(i)->icon().isNull());
    }
}

TEST_F(ProgramFormTest, ToolbarButtonsStandAtTheirLefts)
{
    const std::pair<const char*, int> buttons[] = {
        {"Image17", 8},   {"Image11", 34},  {"Image12", 60},   {"Image16", 86},   {"Image3", 112},
        {"Image2", 138},  {"Image19", 164}, {"Image4", 190},   {"Image5", 216},   {"Image6", 242},
        {"Image9", 268},  {"Image13", 294}, {"Image7", 320},   {"Rotation", 346}, {"Suivant", 372},
        {"Dernier", 398}, {"Image14", 424}, {"Image18", 450},  {"Image8", 476}};
    EXPECT_EQ(form.GPanel1->findChildren<TPictureButton*>().size(), 19);
    for (const auto& [name, left] : buttons) {
        SCOPED_TRACE(name);
        const TPictureButton* button = form.toolbarButton(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->geometry(), QRect(left, 4, 22, 22));
        const bool arrow = QByteArray(name) == "Image9" || QByteArray(name) == "Image18";
        EXPECT_EQ(button->cursor().shape(), arrow ? Qt::ArrowCursor : Qt::PointingHandCursor);
        EXPECT_EQ(button->picture().size(), QSize(22, 22));
    }
}

TEST_F(ProgramFormTest, ClickedTrackBarHandsTheFocusToTheStatusBar)
{
    showForm();
    for (TTrackBar* bar : {form.TrackBarROUGE, form.TrackBarVERT, form.TrackBarBLEU, form.TrackBarLUMINOSITE,
                           form.TrackBarCONTRASTE, form.TrackBarSATURATION}) {
        const int before = bar->Position();
        QTest::mouseClick(bar->slider(), Qt::LeftButton, {}, bar->slider()->rect().center());
        EXPECT_EQ(QApplication::focusWidget(), form.EStatusBar1);
        const int afterClick = bar->Position();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        EXPECT_EQ(bar->Position(), afterClick);
        bar->setPosition(before);
    }
}

TEST_F(ProgramFormTest, QuitterAnsweredNonLeavesTheProgramRunning)
{
    showForm();
    dialogs.answer(Answer::No);
    form.runCommand("Quitter1");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].call, QStringLiteral("message"));
    EXPECT_EQ(dialogs.asked[0].title, kQuitQuestion);
    EXPECT_EQ(dialogs.asked[0].kind, MessageKind::Confirmation);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(ProgramFormTest, QuitterAnsweredOuiClosesTheWindow)
{
    showForm();
    dialogs.answer(Answer::Yes);
    form.runCommand("Quitter1");
    EXPECT_FALSE(form.isVisible());
}

TEST_F(ProgramFormTest, QuitterIsTheSameFromMenuContextMenuToolbarAndKeys)
{
    showForm();
    for (int i = 0; i < 4; ++i) dialogs.answer(Answer::No);
    form.menuItem(QStringLiteral("Quitter1"))->trigger();
    form.menuItem(QStringLiteral("MenuItem13"))->trigger();
    QTest::mouseClick(form.toolbarButton(QStringLiteral("Image8")), Qt::LeftButton, {}, QPoint(11, 11));
    QTest::keyClick(&form, Qt::Key_X, Qt::AltModifier);
    ASSERT_EQ(dialogs.asked.size(), 4u);
    for (const auto& asked : dialogs.asked) EXPECT_EQ(asked.title, kQuitQuestion);
    EXPECT_TRUE(form.isVisible());
}

TEST_F(ProgramFormTest, CloseBoxQuitsWithoutAsking)
{
    showForm();
    EXPECT_TRUE(form.close());
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(ProgramFormTest, ContextMenuOpensAtTheSamePlaceWhereverTheClick)
{
    showForm();
    const QPoint anchor = form.Image1->mapToGlobal(QPoint(306, 110));
    EXPECT_EQ(form.contextMenuAnchor(), anchor);
    for (const QPoint click : {QPoint(10, 10), QPoint(600, 500), QPoint(306, 110)}) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, click, form.Image1->mapToGlobal(click));
        QApplication::sendEvent(form.Image1, &event);
        ASSERT_TRUE(form.PopupMenu2->isVisible());
        EXPECT_EQ(form.PopupMenu2->pos(),
                  QPoint(anchor.x() - form.PopupMenu2->sizeHint().width() / 2, anchor.y()));
        form.PopupMenu2->hide();
    }
}

TEST_F(ProgramFormTest, ContextMenuNeverOpensOnItsOwn)
{
    EXPECT_EQ(form.Image1->contextMenuPolicy(), Qt::DefaultContextMenu);
    for (QWidget* widget : form.findChildren<QWidget*>())
        EXPECT_NE(widget->contextMenuPolicy(), Qt::ActionsContextMenu);
}

// The real message box: Escape and the close box both answer No.
class CenteredMessageBox : public testing::Test {
protected:
    Answer askAndThen(const std::function<void(QMessageBox*)>& act)
    {
        QTimer::singleShot(0, [act] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            act(box);
        });
        return form.CenteredMessageDlg(kQuitQuestion, MessageKind::Confirmation);
    }

    QtServices services;

    QtDialogs& dialogs = services.dialogs();
    TProgramForm form{services.services()};
};

TEST_F(CenteredMessageBox, EscapeAnswersNo)
{
    dialogs.setMainWindow(&form);
    form.show();
    EXPECT_EQ(askAndThen([](QMessageBox* box) { QTest::keyClick(box, Qt::Key_Escape); }), Answer::No);
}

TEST_F(CenteredMessageBox, CloseBoxAnswersNo)
{
    dialogs.setMainWindow(&form);
    form.show();
    EXPECT_EQ(askAndThen([](QMessageBox* box) { box->close(); }), Answer::No);
}

TEST_F(CenteredMessageBox, OuiAnswersYesAndTheBoxIsCentredOnTheWindow)
{
    dialogs.setMainWindow(&form);
    form.move(0, 0);
    form.show();
    QPoint boxCentre, formCentre = form.geometry().center();
    const Answer answer = askAndThen([&](QMessageBox* box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Confirmation"));
        boxCentre = box->geometry().center();
        box->button(QMessageBox::Yes)->click();
    });
    EXPECT_EQ(answer, Answer::Yes);
    EXPECT_LE((boxCentre - formCentre).manhattanLength(), 40);
}

} // namespace
} // namespace kel
