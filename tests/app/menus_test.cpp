// The menus the window builds, item for item, against the captions,
// counted trailing blanks and shortcuts the program must show.
#include "app/program_form.h"
#include "support/fake_services.h"
#include "support/scripted_dialogs.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace kel {
namespace {

QString blanks(int n) { return QString(n, u' '); }

struct Expected {
    const char* name; // nullptr: separator
    QString caption;
    QString shortcut; // as shown
};

const Expected kSeparator{nullptr, {}, {}};

QString u8(const char* text) { return QString::fromUtf8(text); }

std::vector<std::pair<QString, std::vector<Expected>>> expectedMainMenu()
{
    return {
        {"Fichier",
         {{"Ouvriruneimage1", u8(" Ouvrir") + blanks(1), "Ctrl+O"},
          {"Enregistrer1", u8(" Enregistrer"), "Ctrl+E"},
          {"Enregistrersous1", u8(" Enregistrer sous") + blanks(17), "Ctrl+R"},
          {"Supprimer1", u8(" Supprimer") + blanks(1), "Ctrl+S"},
          {"Fermerlimage1", u8(" Fermer") + blanks(2), "Ctrl+F"},
          kSeparator,
          {"Sauvegarderlimage1", u8(" Sauvegarder l' image") + blanks(1), "Ctrl+D"},
          {"Installerlimagecommepapierpeint1", u8(" Installer l' image comme papier peint"), "Ctrl+P"},
          {"Acquriruneimage1", u8(" Acquérir une image"), "Ctrl+A"},
          kSeparator,
          {"Slectionnerlimprimante1", u8(" Sélectionner l' imprimante"), ""},
          {"Configurerlimpression1", u8(" Configurer l' impression"), ""},
          kSeparator,
          {"Aperuavantimpression1", u8(" Aperçu avant impression"), ""},
          {"Imprimer1", u8(" Imprimer l' image"), ""},
          kSeparator,
          {"Quitter1", u8(" Quitter"), "Alt+X"}}},
        {"Edition",
         {{"Couper1", u8(" Couper"), "Ctrl+X"},
          {"Copier1", u8(" Copier"), "Ctrl+C"},
          {"Coller1", u8(" Coller"), "Ctrl+V"},
          kSeparator,
          {"Annuler1", u8(" Annuler") + blanks(20), "Ctrl+Z"},
          kSeparator,
          {"Centr1", u8(" Centré"), ""},
          {"Proportionnel1", u8(" Proportionnel"), ""},
          {"Etir1", u8(" Etiré"), ""},
          kSeparator,
          {"ransparent1", u8(" Transparent"), ""},
          {"Niveauxdegris1", u8(" Niveaux de gris"), ""},
          {"Ngatif1", u8(" Négatif"), ""},
          kSeparator,
          {"Vrifier1", u8(" Réinitialiser l' image") + blanks(4), ""}}},
        {"Echelle",
         {{"Zoom101", u8(" Zoom 10 %"), "Maj+F1"},
          {"Zoom251", u8(" Zoom 25 %"), "Maj+F2"},
          {"Zoom331", u8(" Zoom 33 %"), "Maj+F3"},
          {"Zoom501", u8(" Zoom 50 %"), "Maj+F4"},
          {"Zoom661", u8(" Zoom 66 %"), "Maj+F5"},
          {"Zoom751", u8(" Zoom 75 %"), "Maj+F6"},
          kSeparator,
          {"aillenormale1001", u8(" Taille normale 100 %") + blanks(13), ""},
          kSeparator,
          {"Zoom2001", u8(" Zoom 200 %"), "Maj+F7"},
          {"Zoom3001", u8(" Zoom 300 %"), "Maj+F8"},
          {"Zoom4001", u8(" Zoom 400 %"), "Maj+F9"},
          {"Zoom5001", u8(" Zoom 500 %"), "Maj+F10"},
          {"Zoom7501", u8(" Zoom 750 %"), "Maj+F11"},
          {"Zoom9001", u8(" Zoom 900 %"), "Maj+F12"}}},
        {"Image",
         {{"Image32bits1", u8(" Image 32 bits"), "Ctrl+F1"},
          {"Image24bits1", u8(" Image 24 bits"), "Ctrl+F2"},
          {"Image16bits1", u8(" Image 16 bits"), "Ctrl+F3"},
          {"Image8bits1", u8(" Image 8 bits"), "Ctrl+F4"},
          {"Image41", u8(" Image 4 bits"), "Ctrl+F5"},
          kSeparator,
          {"Noiretblanc1", u8(" Image noir et blanc"), ""},
          kSeparator,
          {"Symtriehorizontale1", u8(" Symétrie horizontale"), "Ctrl+F6"},
          {"Symtrieverticale1", u8(" Symétrie verticale"), "Ctrl+F7"},
          {"Rotationantihoraire1", u8(" Rotation antihoraire") + blanks(1), "Ctrl+F8"},
          {"Rotationhoraire1", u8(" Rotation horaire") + blanks(2), "Ctrl+F9"},
          kSeparator,
          {"Crypterlimage1", u8(" Crypter l' image"), ""}}},
        {"Couleurs",
         {{"Blanc1", u8(" Blanc"), "Maj+A"},
          {"Jaune1", u8(" Jaune") + blanks(21), "Maj+B"},
          {"Orange1", u8(" Orange"), "Maj+C"},
          {"Rouge1", u8(" Rouge"), "Maj+D"},
          {"Marron1", u8(" Marron"), "Maj+E"},
          {"Fushia1", u8(" Fushia"), "Maj+F"},
          {"Violet1", u8(" Violet"), "Maj+G"},
          {"Cyan1", u8(" Cyan"), "Maj+H"},
          {"Bleuple1", u8(" Bleu pâle"), "Maj+I"},
          {"Bleufonc1", u8(" Bleu foncé"), "Maj+J"},
          {"Vertolive1", u8(" Vert olive"), "Maj+K"},
          {"Vertple1", u8(" Vert pâle"), "Maj+L"},
          {"Vertfonc1", u8(" Vert foncé"), "Maj+M"},
          {"Grisple1", u8(" Gris pâle"), "Maj+N"},
          {"Grisfonc1", u8(" Gris foncé"), "Maj+O"},
          {"Noir1", u8(" Noir"), "Maj+P"},
          kSeparator,
          {"Choisirlacouleurspia1", u8(" Choisir la couleur sépia"), ""}}},
        {"Effets",
         {{"Effetantialiasing1", u8(" Effet antialiasing"), "F1"},
          {"Effetcolornoise1", u8(" Effet color noise"), "F2"},
          {"Effetdarkness1", u8(" Effet darkness"), "F3"},
          {"Effetgaussianblur1", u8(" Effet gaussian blur"), "F4"},
          {"Effetlightness1", u8(" Effet lightness"), "F5"},
          {"Effetmononoise1", u8(" Effet mono noise"), "F6"},
          {"Effetmosaic1", u8(" Effet mosaic"), "F7"},
          {"Effetposterize1", u8(" Effet posterize"), "F8"},
          {"Effetsolorize1", u8(" Effet solorize"), "F9"},
          {"Effetsplitblur1", u8(" Effet split blur"), "F10"},
          {"Effetsplitlight1", u8(" Effet split light"), "F11"},
          {"Effettile1", u8(" Effet tile"), "F12"},
          kSeparator,
          {"Annulerleseffets2", u8(" Annuler les effets") + blanks(15), ""}}},
        {u8("Opérations"),
         {{"Remplirlimage1", u8(" Remplir une image"), ""},
          {"Inclinerlimage1", u8(" Incliner une image"), ""},
          {"Redimensionnerlimage2", u8(" Redimensionner une image"), ""},
          {"Slectionrectnagulaire1", u8(" Sélectionner une partie") + blanks(7), ""},
          {"Couper2", u8(" Construire un cadre"), ""},
          {"Copier2", u8(" Insérer un texte"), ""},
          kSeparator,
          {"Fusionneravecuneimage1", u8(" Fusionner avec une image"), ""},
          kSeparator,
          {"ExporterauformatPDF1", u8(" Exporter au format PDF"), ""},
          {"ransformerenmtafichier1", u8(" Transformer en métafichier"), ""},
          {"Convertirenicne1", u8(" Convertir en icône"), ""}}},
        {"Aide",
         {{"Index1", u8(" Index"), ""},
          {"Commandes1", u8(" Commandes") + blanks(1), ""},
          {"Windows1", u8(" Windows") + blanks(2), ""},
          {"Internet1", u8(" Internet"), ""},
          kSeparator,
          {"Apropos1", u8(" A propos") + blanks(14), ""}}},
    };
}

std::vector<Expected> expectedContextMenu()
{
    return {{"MenuItem2", u8(" Couper"), "Ctrl+X"},
            {"MenuItem3", u8(" Copier") + blanks(1), "Ctrl+C"},
            {"MenuItem4", u8(" Coller"), "Ctrl+V"},
            kSeparator,
            {"MenuItem6", u8(" Annuler") + blanks(24), "Ctrl+Z"},
            kSeparator,
            {"Zoomngatif1", u8(" Zoom négatif"), "Ctrl+Maj+F1"},
            {"aillenormale1002", u8(" Taille normale 100 %"), "Ctrl+Maj+F2"},
            {"Zoompositif1", u8(" Zoom positif"), "Ctrl+Maj+F3"},
            kSeparator,
            {"Symtriehorizontale2", u8(" Symétrie horizontale"), "Ctrl+F6"},
            {"Symtrieverticale2", u8(" Symétrie verticale"), "Ctrl+F7"},
            {"Rotationantihoraire2", u8(" Rotation antihoraire"), "Ctrl+F8"},
            {"Rotationhoraire2", u8(" Rotation horaire"), "Ctrl+F9"},
            kSeparator,
            {"MenuItem8", u8(" Configurer l' impression") + blanks(21), ""},
            {"MenuItem9", u8(" Aperçu avant impression"), ""},
            {"Imprimerlimage1", u8(" Imprimer l' image"), ""},
            kSeparator,
            {"MenuItem11", u8(" A Propos"), ""},
            kSeparator,
            {"MenuItem13", u8(" Quitter"), "Alt+X"}};
}

QString shownCaption(const QAction* action) { return action->text().section(u'\t', 0, 0); }
QString shownShortcut(const QAction* action) { return action->text().section(u'\t', 1); }

// The key sequence a shown shortcut stands for.
QKeySequence keysOf(QString shown)
{
    return QKeySequence(shown.replace(QStringLiteral("Maj+"), QStringLiteral("Shift+")), QKeySequence::PortableText);
}

void expectItems(const QMenu* menu, const std::vector<Expected>& expected, bool keysActive)
{
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), qsizetype(expected.size())) << menu->title().toStdString();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const QAction* action = actions[qsizetype(i)];
        const Expected& e = expected[i];
        SCOPED_TRACE(e.name ? e.name : "separator");
        if (!e.name) {
            EXPECT_TRUE(action->isSeparator());
            continue;
        }
        EXPECT_EQ(action->objectName(), QString::fromLatin1(e.name));
        EXPECT_EQ(shownCaption(action), e.caption) << '"' << shownCaption(action).toStdString() << '"';
        EXPECT_EQ(shownShortcut(action), e.shortcut);
        const QKeySequence keys = keysActive && !e.shortcut.isEmpty() ? keysOf(e.shortcut) : QKeySequence();
        EXPECT_EQ(action->shortcut(), keys);
    }
}

class MenusTest : public testing::Test {
protected:
    test::FakeServices fakes;
    test::ScriptedDialogs& dialogs = fakes.dialogs;
    TProgramForm form{fakes.services()};
};

TEST_F(MenusTest, MainMenuHasTheEightMenusItemForItem)
{
    const auto expected = expectedMainMenu();
    const QList<QAction*> titles = form.menuBar()->actions();
    ASSERT_EQ(titles.size(), qsizetype(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QMenu* menu = titles[qsizetype(i)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), expected[i].first);
        expectItems(menu, expected[i].second, true);
    }
}

TEST_F(MenusTest, ContextMenuShowsShortcutsWithoutTakingTheKeys)
{
    expectItems(form.PopupMenu2, expectedContextMenu(), false);
}

TEST_F(MenusTest, FunctionKeyOneIsTheAntialiasingEffect)
{
    QList<QAction*> onF1;
    for (QAction* action : form.findChildren<QAction*>())
        if (action->shortcuts().contains(QKeySequence(Qt::Key_F1))) onF1.append(action);
    ASSERT_EQ(onF1.size(), 1);
    EXPECT_EQ(onF1.front()->objectName(), QStringLiteral("Effetantialiasing1"));
}

TEST_F(MenusTest, NoKeyIsTakenTwice)
{
    QList<QKeySequence> seen;
    for (QAction* action : form.findChildren<QAction*>()) {
        for (const QKeySequence& keys : action->shortcuts()) {
            EXPECT_FALSE(seen.contains(keys)) << keys.toString().toStdString();
            seen.append(keys);
        }
    }
    EXPECT_EQ(seen.size(), 62);
}

} // namespace
} // namespace kel
