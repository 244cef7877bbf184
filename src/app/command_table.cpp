#include "app/command_table.h"

#include "app/program_form.h"

namespace kel {

namespace {

using F = TProgramForm;
constexpr CommandItem separator{};

constexpr CommandItem fichier[] = {
    {"Ouvriruneimage1", " Ouvrir", 1, "Ctrl+O", &F::Ouvriruneimage1Click},
    {"Enregistrer1", " Enregistrer", 0, "Ctrl+E", &F::Enregistrer1Click},
    {"Enregistrersous1", " Enregistrer sous", 17, "Ctrl+R", &F::Enregistrersous1Click},
    {"Supprimer1", " Supprimer", 1, "Ctrl+S", &F::Supprimer1Click},
    {"Fermerlimage1", " Fermer", 2, "Ctrl+F", &F::Fermerlimage1Click},
    separator,
    {"Sauvegarderlimage1", " Sauvegarder l' image", 1, "Ctrl+D", &F::Sauvegarderlimage1Click},
    {"Installerlimagecommepapierpeint1", " Installer l' image comme papier peint", 0, "Ctrl+P",
     &F::Installerlimagecommepapierpeint1Click},
    {"Acquriruneimage1", " Acquérir une image", 0, "Ctrl+A", &F::Acquriruneimage1Click},
    separator,
    {"Slectionnerlimprimante1", " Sélectionner l' imprimante", 0, nullptr, &F::Slectionnerlimprimante1Click},
    {"Configurerlimpression1", " Configurer l' impression", 0, nullptr, &F::Configurerlimpression1Click},
    separator,
    {"Aperuavantimpression1", " Aperçu avant impression", 0, nullptr, &F::Aperuavantimpression1Click},
    {"Imprimer1", " Imprimer l' image", 0, nullptr, &F::Imprimer1Click},
    separator,
    {"Quitter1", " Quitter", 0, "Alt+X", &F::Quitter1Click},
};

constexpr CommandItem edition[] = {
    {"Couper1", " Couper", 0, "Ctrl+X", &F::Couper1Click},
    {"Copier1", " Copier", 0, "Ctrl+C", &F::Copier1Click},
    {"Coller1", " Coller", 0, "Ctrl+V", &F::Coller1Click},
    separator,
    {"Annuler1", " Annuler", 20, "Ctrl+Z", &F::Annuler1Click},
    separator,
    {"Centr1", " Centré", 0, nullptr, &F::Centr1Click},
    {"Proportionnel1", " Proportionnel", 0, nullptr, &F::Proportionnel1Click},
    {"Etir1", " Etiré", 0, nullptr, &F::Etir1Click},
    separator,
    {"ransparent1", " Transparent", 0, nullptr, &F::ransparent1Click},
    {"Niveauxdegris1", " Niveaux de gris", 0, nullptr, &F::Niveauxdegris1Click},
    {"Ngatif1", " Négatif", 0, nullptr, &F::Ngatif1Click},
    separator,
    {"Vrifier1", " Réinitialiser l' image", 4, nullptr, &F::Vrifier1Click},
};

constexpr CommandItem echelle[] = {
    {"Zoom101", " Zoom 10 %", 0, "Shift+F1", &F::Zoom101Click},
    {"Zoom251", " Zoom 25 %", 0, "Shift+F2", &F::Zoom251Click},
    {"Zoom331", " Zoom 33 %", 0, "Shift+F3", &F::Zoom331Click},
    {"Zoom501", " Zoom 50 %", 0, "Shift+F4", &F::Zoom501Click},
    {"Zoom661", " Zoom 66 %", 0, "Shift+F5", &F::Zoom661Click},
    {"Zoom751", " Zoom 75 %", 0, "Shift+F6", &F::Zoom751Click},
    separator,
    {"aillenormale1001", " Taille normale 100 %", 13, nullptr, &F::aillenormale1001Click},
    separator,
    {"Zoom2001", " Zoom 200 %", 0, "Shift+F7", &F::Zoom2001Click},
    {"Zoom3001", " Zoom 300 %", 0, "Shift+F8", &F::Zoom3001Click},
    {"Zoom4001", " Zoom 400 %", 0, "Shift+F9", &F::Zoom4001Click},
    {"Zoom5001", " Zoom 500 %", 0, "Shift+F10", &F::Zoom5001Click},
    {"Zoom7501", " Zoom 750 %", 0, "Shift+F11", &F::Zoom7501Click},
    {"Zoom9001", " Zoom 900 %", 0, "Shift+F12", &F::Zoom9001Click},
};

constexpr CommandItem image[] = {
    {"Image32bits1", " Image 32 bits", 0, "Ctrl+F1", &F::Image32bits1Click},
    {"Image24bits1", " Image 24 bits", 0, "Ctrl+F2", &F::Image24bits1Click},
    {"Image16bits1", " Image 16 bits", 0, "Ctrl+F3", &F::Image16bits1Click},
    {"Image8bits1", " Image 8 bits", 0, "Ctrl+F4", &F::Image8bits1Click},
    {"Image41", " Image 4 bits", 0, "Ctrl+F5", &F::Image41Click},
    separator,
    {"Noiretblanc1", " Image noir et blanc", 0, nullptr, &F::Noiretblanc1Click},
    separator,
    {"Symtriehorizontale1", " Symétrie horizontale", 0, "Ctrl+F6", &F::Symtriehorizontale1Click},
    {"Symtrieverticale1", " Symétrie verticale", 0, "Ctrl+F7", &F::Symtrieverticale1Click},
    {"Rotationantihoraire1", " Rotation antihoraire", 1, "Ctrl+F8", &F::Rotationantihoraire1Click},
    {"Rotationhoraire1", " Rotation horaire", 2, "Ctrl+F9", &F::Rotationhoraire1Click},
    separator,
    {"Crypterlimage1", " Crypter l' image", 0, nullptr, &F::Crypterlimage1Click},
};

constexpr CommandItem couleurs[] = {
    {"Blanc1", " Blanc", 0, "Shift+A", &F::Blanc1Click},
    {"Jaune1", " Jaune", 21, "Shift+B", &F::Jaune1Click},
    {"Orange1", " Orange", 0, "Shift+C", &F::Orange1Click},
    {"Rouge1", " Rouge", 0, "Shift+D", &F::Rouge1Click},
    {"Marron1", " Marron", 0, "Shift+E", &F::Marron1Click},
    {"Fushia1", " Fushia", 0, "Shift+F", &F::Fushia1Click},
    {"Violet1", " Violet", 0, "Shift+G", &F::Violet1Click},
    {"Cyan1", " Cyan", 0, "Shift+H", &F::Cyan1Click},
    {"Bleuple1", " Bleu pâle", 0, "Shift+I", &F::Bleuple1Click},
    {"Bleufonc1", " Bleu foncé", 0, "Shift+J", &F::Bleufonc1Click},
    {"Vertolive1", " Vert olive", 0, "Shift+K", &F::Vertolive1Click},
    {"Vertple1", " Vert pâle", 0, "Shift+L", &F::Vertple1Click},
    {"Vertfonc1", " Vert foncé", 0, "Shift+M", &F::Vertfonc1Click},
    {"Grisple1", " Gris pâle", 0, "Shift+N", &F::Grisple1Click},
    {"Grisfonc1", " Gris foncé", 0, "Shift+O", &F::Grisfonc1Click},
    {"Noir1", " Noir", 0, "Shift+P", &F::Noir1Click},
    separator,
    {"Choisirlacouleurspia1", " Choisir la couleur sépia", 0, nullptr, &F::Choisirlacouleurspia1Click},
};

constexpr CommandItem effets[] = {
    {"Effetantialiasing1", " Effet antialiasing", 0, "F1", &F::Effetantialiasing1Click},
    {"Effetcolornoise1", " Effet color noise", 0, "F2", &F::Effetcolornoise1Click},
    {"Effetdarkness1", " Effet darkness", 0, "F3", &F::Effetdarkness1Click},
    {"Effetgaussianblur1", " Effet gaussian blur", 0, "F4", &F::Effetgaussianblur1Click},
    {"Effetlightness1", " Effet lightness", 0, "F5", &F::Effetlightness1Click},
    {"Effetmononoise1", " Effet mono noise", 0, "F6", &F::Effetmononoise1Click},
    {"Effetmosaic1", " Effet mosaic", 0, "F7", &F::Effetmosaic1Click},
    {"Effetposterize1", " Effet posterize", 0, "F8", &F::Effetposterize1Click},
    {"Effetsolorize1", " Effet solorize", 0, "F9", &F::Effetsolorize1Click},
    {"Effetsplitblur1", " Effet split blur", 0, "F10", &F::Effetsplitblur1Click},
    {"Effetsplitlight1", " Effet split light", 0, "F11", &F::Effetsplitlight1Click},
    {"Effettile1", " Effet tile", 0, "F12", &F::Effettile1Click},
    separator,
    {"Annulerleseffets2", " Annuler les effets", 15, nullptr, &F::Annulerleseffets2Click},
};

constexpr CommandItem operations[] = {
    {"Remplirlimage1", " Remplir une image", 0, nullptr, &F::Remplirlimage1Click},
    {"Inclinerlimage1", " Incliner une image", 0, nullptr, &F::Inclinerlimage1Click},
    {"Redimensionnerlimage2", " Redimensionner une image", 0, nullptr, &F::Redimensionnerlimage2Click},
    {"Slectionrectnagulaire1", " Sélectionner une partie", 7, nullptr, &F::Slectionrectnagulaire1Click},
    {"Couper2", " Construire un cadre", 0, nullptr, &F::Couper2Click},
    {"Copier2", " Insérer un texte", 0, nullptr, &F::Copier2Click},
    separator,
    {"Fusionneravecuneimage1", " Fusionner avec une image", 0, nullptr, &F::Fusionneravecuneimage1Click},
    separator,
    {"ExporterauformatPDF1", " Exporter au format PDF", 0, nullptr, &F::ExporterauformatPDF1Click},
    {"ransformerenmtafichier1", " Transformer en métafichier", 0, nullptr, &F::ransformerenmtafichier1Click},
    {"Convertirenicne1", " Convertir en icône", 0, nullptr, &F::Convertirenicne1Click},
};

constexpr CommandItem aide[] = {
    {"Index1", " Index", 0, nullptr, &F::Index1Click},
    {"Commandes1", " Commandes", 1, nullptr, &F::Commandes1Click},
    {"Windows1", " Windows", 2, nullptr, &F::Windows1Click},
    {"Internet1", " Internet", 0, nullptr, &F::Internet1Click},
    separator,
    {"Apropos1", " A propos", 14, nullptr, &F::Apropos1Click},
};

constexpr MenuDefinition menus[] = {
    {"Fichier2", "Fichier", fichier},      {"Edition2", "Edition", edition},
    {"Zchelle1", "Echelle", echelle},      {"Image21", "Image", image},
    {"Couleurs1", "Couleurs", couleurs},   {"Effets2", "Effets", effets},
    {"Slection1", "Opérations", operations}, {"Aide2", "Aide", aide},
};

constexpr CommandItem popup[] = {
    {"MenuItem2", " Couper", 0, "Ctrl+X", &F::Couper1Click},
    {"MenuItem3", " Copier", 1, "Ctrl+C", &F::Copier1Click},
    {"MenuItem4", " Coller", 0, "Ctrl+V", &F::Coller1Click},
    separator,
    {"MenuItem6", " Annuler", 24, "Ctrl+Z", &F::Annuler1Click},
    separator,
    {"Zoomngatif1", " Zoom négatif", 0, "Ctrl+Shift+F1", &F::Zoomngatif1Click},
    {"aillenormale1002", " Taille normale 100 %", 0, "Ctrl+Shift+F2", &F::aillenormale1002Click},
    {"Zoompositif1", " Zoom positif", 0, "Ctrl+Shift+F3", &F::Zoompositif1Click},
    separator,
    {"Symtriehorizontale2", " Symétrie horizontale", 0, "Ctrl+F6", &F::Symtriehorizontale1Click},
    {"Symtrieverticale2", " Symétrie verticale", 0, "Ctrl+F7", &F::Symtrieverticale1Click},
    {"Rotationantihoraire2", " Rotation antihoraire", 0, "Ctrl+F8", &F::Rotationantihoraire1Click},
    {"Rotationhoraire2", " Rotation horaire", 0, "Ctrl+F9", &F::Rotationhoraire1Click},
    separator,
    {"MenuItem8", " Configurer l' impression", 21, nullptr, &F::Configurerlimpression1Click},
    {"MenuItem9", " Aperçu avant impression", 0, nullptr, &F::Aperuavantimpression1Click},
    {"Imprimerlimage1", " Imprimer l' image", 0, nullptr, &F::Imprimer1Click},
    separator,
    {"MenuItem11", " A Propos", 0, nullptr, &F::Apropos1Click},
    separator,
    {"MenuItem13", " Quitter", 0, "Alt+X", &F::Quitter1Click},
};

constexpr ToolbarButtonDefinition toolbar[] = {
    {8, "Image17", &F::Ouvriruneimage1Click, true},
    {34, "Image11", &F::Enregistrer1Click, true},
    {60, "Image12", &F::Enregistrersous1Click, true},
    {86, "Image16", &F::Supprimer1Click, true},
    {112, "Image3", &F::Fermerlimage1Click, true},
    {138, "Image2", &F::Acquriruneimage1Click, true},
    {164, "Image19", &F::Imprimer1Click, true},
    {190, "Image4", &F::Couper1Click, true},
    {216, "Image5", &F::Copier1Click, true},
    {242, "Image6", &F::Coller1Click, true},
    {268, "Image9", &F::ImageCIBLEClick, false},
    {294, "Image13", &F::Redimensionnerlimage2Click, true},
    {320, "Image7", &F::Symtriehorizontale1Click, true},
    {346, "Rotation", &F::Symtrieverticale1Click, true},
    {372, "Suivant", &F::Rotationantihoraire1Click, true},
    {398, "Dernier", &F::Rotationhoraire1Click, true},
    {424, "Image14", &F::Image14Click, true},
    {450, "Image18", &F::Image18Click, false},
    {476, "Image8", &F::Quitter1Click, true},
};

constexpr const char* effectEntries[] = {
    "Blur",          "Buttonize",        "Circle button",     "Circle mask ",   "Dithering",
    "Emboss ",       "Exposure",         "Flaxen",            "Marble",         "Night vision",
    "Plasma",        "Ripple random",    "Ripple tooth",      "Ripple triangle", "Seamless",
    "Shadow down left", "Shadow down right", "Shadow up left", "Shadow up right", "Sharpen  ",
    "Spray ",        "Trace",            "Triangles",         "Turn",           "Turn right ",
    "Twist",
};

} // namespace

std::span<const char* const> specialEffectEntries() { return effectEntries; }

std::span<const MenuDefinition> mainMenus() { return menus; }

std::span<const CommandItem> imageContextMenu() { return popup; }

std::span<const ToolbarButtonDefinition> toolbarButtons() { return toolbar; }

} // namespace kel
