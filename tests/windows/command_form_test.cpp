// The shortcut list read back line by line against its tables, with the
// headings and columns at their places.
#include "windows/command_form.h"

#include "widgets/gradient_panel.h"
#include "widgets/picture_button.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace kel {
namespace {

// Each group: heading, its place, then "key|description" lines.
struct GroupText {
    const char* heading;
    QPoint place;
    QPoint columns;
    const char* lines;
};

const GroupText kGroups[] = {
    {" Fichier", {64, 12}, {64, 38},
     "Ctrl+O |Ouvrir une image\nCtrl+E|Enregistrer l' image\nCtrl+R|Enregistrer l' image sous un autre nom\n"
     "Ctrl+S|Supprimer l' image du répertoire\nCtrl+F|Fermer l' image en cours\n"
     "Ctrl+D|Sauvegarder l' image vers un dossier \nCtrl+P|Installer l' image comme papier peint \n"
     "Ctrl+A |Acquérir une image \nAlt+X|Quitter le programme"},
    {" Image", {64, 164}, {64, 190},
     "Ctrl+F1|Image 32 bits\nCtrl+F2|Image 24 bits\nCtrl+F3|Image 16 bits\nCtrl+F4|Image 8 bits\n"
     "Ctrl+F5|Image 4 bits\nCtrl+F6|Symétrie horizontale\nCtrl+F7|Symétrie verticale\n"
     "Ctrl+F8|Rotation antihoraire\nCtrl+F9|Rotation horaire"},
    {" Effets", {64, 316}, {64, 342},
     "F1|Effet antialiasing\nF2|Effet color noise\nF3|Effet darkness\nF4|Effet gaussian blur\nF5|Effet lightness\n"
     "F6|Effet mono noise\nF7|Effet mosaic\nF8|Effet posterize\nF9|Effet solorize\nF10|Effet split blur\n"
     "F11|Effet split light\nF12|Effet tile"},
    {" Edition", {320, 16}, {320, 38},
     "Ctrl+X|Couper l' image vers le presse papier\nCtrl+C|Copier l' image vers le presse papier\n"
     "Ctrl+V|Coller l' image à partir du presse papier\nCtrl+Z |Revenir au dernier fichier ouvert\n| "},
    {" Echelle", {320, 100}, {320, 126},
     "Maj+F1|Zoom de 10 % sur l' image\nMaj+F2|Zoom de 25 % sur l' image\nMaj+F3|Zoom de 33 % sur l' image\n"
     "Maj+F4|Zoom de 50 % sur l' image\nMaj+F5|Zoom de 66 % sur l' image\nMaj+F6|Zoom de 75 % sur l' image\n"
     "Maj+F7|Zoom de 200 % sur l' image\nMaj+F8|Zoom de 300 % sur l' image\nMaj+F9 |Zoom de 400 % sur l' image\n"
     "Maj+F10|Zoom de 500 % sur l' image\nMaj+F11|Zoom de 750 % sur l' image\nMaj+F12|Zoom de 900 % sur l' image"},
    {" Couleurs", {320, 292}, {320, 318},
     "Maj+A|Coloriser l' image en blanc\nMaj+B|Coloriser l' image en jaune\nMaj+C|Coloriser l' image en orange\n"
     "Maj+D|Coloriser l' image en rouge\nMaj+E|Coloriser l' image en marron\nMaj+F|Coloriser l' image en fushia\n"
     "Maj+G|Coloriser l' image enviolet\nMaj+H|Coloriser l' image encyan\nMaj+I|Coloriser l' image en bleu pâle\n"
     "Maj+J|Coloriser l' image enbleu foncé\nMaj+K|Coloriser l' image envert olive\n"
     "Maj+L|Coloriser l' image en vert pâle\nMaj+M|Coloriser l' image en vert foncé\n"
     "Maj+N|Coloriser l' image en gris pâle\nMaj+O|Coloriser l' image en gris foncé\nMaj+P|Coloriser l' image en noir"},
};

TEST(CommandList, EveryGroupReadsBackAsListed)
{
    TCommandForm form(nullptr);
    EXPECT_EQ(form.windowTitle(), QStringLiteral(" Commandes"));
    EXPECT_EQ(form.size(), QSize(572, 546));
    ASSERT_EQ(form.groups().size(), std::size(kGroups));
    for (std::size_t i = 0; i < std::size(kGroups); ++i) {
        const GroupText& expected = kGroups[i];
        const TCommandForm::Group& group = form.groups()[i];
        SCOPED_TRACE(expected.heading);
        EXPECT_EQ(group.title->text(), QString::fromUtf8(expected.heading));
        EXPECT_EQ(group.heading->geometry(), QRect(expected.place, QSize(169, 17)));
        EXPECT_EQ(group.heading->Color_1(), rgb(204, 72, 148));
        EXPECT_EQ(group.heading->Color_2(), clBtnFace);
        EXPECT_EQ(group.heading->Percent(), 75);
        EXPECT_EQ(group.keys->pos(), expected.columns);
        EXPECT_EQ(group.keys->width(), 46);
        EXPECT_EQ(group.descriptions->pos(), expected.columns + QPoint(48, 0));

        QStringList keys, descriptions;
        for (const QString& line : QString::fromUtf8(expected.lines).split(u'\n')) {
            const QStringList cells = line.split(u'|');
            if (!cells[0].isEmpty()) keys << cells[0];
            descriptions << cells[1];
        }
        EXPECT_EQ(group.keys->lines(), keys);
        EXPECT_EQ(group.descriptions->lines(), descriptions);
    }
}

TEST(CommandList, TheIconClosesTheWindow)
{
    TCommandForm form(nullptr);
    form.show();
    ASSERT_EQ(form.Image1->geometry(), QRect(12, 12, 32, 32));
    QTest::mouseClick(form.Image1, Qt::LeftButton);
    EXPECT_FALSE(form.isVisible());
}

} // namespace
} // namespace kel
