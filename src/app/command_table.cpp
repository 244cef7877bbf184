#include "app/command_table.h"

#include "app/commands/clipboard_commands.h"
#include "app/commands/colour_commands.h"
#include "app/commands/desktop_commands.h"
#include "app/commands/document_commands.h"
#include "app/commands/effects_commands.h"
#include "app/commands/export_commands.h"
#include "app/commands/help_commands.h"
#include "app/commands/image_commands.h"
#include "app/commands/page_commands.h"
#include "app/commands/print_scan_commands.h"
#include "app/commands/save_commands.h"
#include "app/commands/special_effects_commands.h"
#include "app/commands/view_commands.h"
#include "view/zoom_steps.h"


namespace kel {

namespace {

using namespace commands;
constexpr CommandItem separator{};

constexpr CommandItem fichier[] = {
    {"Ouvriruneimage1", " Ouvrir", 1, "Ctrl+O", &openPicture},
    {"Enregistrer1", " Enregistrer", 0, "Ctrl+E", &savePicture},
    {"Enregistrersous1", " Enregistrer sous", 17, "Ctrl+R", &renamePictureFile},
    {"Supprimer1", " Supprimer", 1, "Ctrl+S", &deletePictureFile},
    {"Fermerlimage1", " Fermer", 2, "Ctrl+F", &closePicture},
    separator,
    {"Sauvegarderlimage1", " Sauvegarder l' image", 1, "Ctrl+D", &copyFileToFolder},
    {"Installerlimagecommepapierpeint1", " Installer l' image comme papier peint", 0, "Ctrl+P",
     &installAsWallpaper},
    {"Acquriruneimage1", " Acquérir une image", 0, "Ctrl+A", &acquirePicture},
    separator,
    {"Slectionnerlimprimante1", " Sélectionner l' imprimante", 0, nullptr, &selectPrinter},
    {"Configurerlimpression1", " Configurer l' impression", 0, nullptr, &setUpPrinting},
    separator,
    {"Aperuavantimpression1", " Aperçu avant impression", 0, nullptr, &previewPrintedPage},
    {"Imprimer1", " Imprimer l' image", 0, nullptr, &printShownPicture},
    separator,
    {"Quitter1", " Quitter", 0, "Alt+X", &quitProgram},
};

constexpr CommandItem edition[] = {
    {"Couper1", " Couper", 0, "Ctrl+X", &cutPicture},
    {"Copier1", " Copier", 0, "Ctrl+C", &copyPicture},
    {"Coller1", " Coller", 0, "Ctrl+V", &pastePicture},
    separator,
    {"Annuler1", " Annuler", 20, "Ctrl+Z", &reloadPicture},
    separator,
    {"Centr1", " Centré", 0, nullptr, &toggleCentred},
    {"Proportionnel1", " Proportionnel", 0, nullptr, &toggleProportional},
    {"Etir1", " Etiré", 0, nullptr, &toggleStretched},
    separator,
    {"ransparent1", " Transparent", 0, nullptr, &toggleTransparent},
    {"Niveauxdegris1", " Niveaux de gris", 0, nullptr, &toggleGreyScale},
    {"Ngatif1", " Négatif", 0, nullptr, &toggleNegative},
    separator,
    {"Vrifier1", " Réinitialiser l' image", 4, nullptr, &resetView},
};

constexpr CommandItem echelle[] = {
    {"Zoom101", " Zoom 10 %", 0, "Shift+F1", &zoomTo<10>},
    {"Zoom251", " Zoom 25 %", 0, "Shift+F2", &zoomTo<25>},
    {"Zoom331", " Zoom 33 %", 0, "Shift+F3", &zoomTo<33>},
    {"Zoom501", " Zoom 50 %", 0, "Shift+F4", &zoomTo<50>},
    {"Zoom661", " Zoom 66 %", 0, "Shift+F5", &zoomTo<66>},
    {"Zoom751", " Zoom 75 %", 0, "Shift+F6", &zoomTo<75>},
    separator,
    {"aillenormale1001", " Taille normale 100 %", 13, nullptr, &zoomTo<zoom::kNormal>},
    separator,
    {"Zoom2001", " Zoom 200 %", 0, "Shift+F7", &zoomTo<200>},
    {"Zoom3001", " Zoom 300 %", 0, "Shift+F8", &zoomTo<300>},
    {"Zoom4001", " Zoom 400 %", 0, "Shift+F9", &zoomTo<400>},
    {"Zoom5001", " Zoom 500 %", 0, "Shift+F10", &zoomTo<500>},
    {"Zoom7501", " Zoom 750 %", 0, "Shift+F11", &zoomTo<750>},
    {"Zoom9001", " Zoom 900 %", 0, "Shift+F12", &zoomTo<900>},
};

constexpr CommandItem image[] = {
    {"Image32bits1", " Image 32 bits", 0, "Ctrl+F1", &reopenAtDepth<ColourDepth::Bits32>},
    {"Image24bits1", " Image 24 bits", 0, "Ctrl+F2", &reopenAtDepth<ColourDepth::Bits24>},
    {"Image16bits1", " Image 16 bits", 0, "Ctrl+F3", &reduceTo16Bits},
    {"Image8bits1", " Image 8 bits", 0, "Ctrl+F4", &reduceToPalette<ColourDepth::Bits8>},
    {"Image41", " Image 4 bits", 0, "Ctrl+F5", &reduceToPalette<ColourDepth::Bits4>},
    separator,
    {"Noiretblanc1", " Image noir et blanc", 0, nullptr, &makeBlackAndWhite},
    separator,
    {"Symtriehorizontale1", " Symétrie horizontale", 0, "Ctrl+F6", &mirrorPicture<FlipMode::Horizontal>},
    {"Symtrieverticale1", " Symétrie verticale", 0, "Ctrl+F7", &mirrorPicture<FlipMode::Vertical>},
    {"Rotationantihoraire1", " Rotation antihoraire", 1, "Ctrl+F8", &turnPicture<QuarterTurn::Anticlockwise>},
    {"Rotationhoraire1", " Rotation horaire", 2, "Ctrl+F9", &turnPicture<QuarterTurn::Clockwise>},
    separator,
    {"Crypterlimage1", " Crypter l' image", 0, nullptr, &scramblePicture},
};

constexpr CommandItem couleurs[] = {
    {"Blanc1", " Blanc", 0, "Shift+A", &setChannelBars<240, 240, 240>},
    {"Jaune1", " Jaune", 21, "Shift+B", &setChannelBars<255, 255, 128>},
    {"Orange1", " Orange", 0, "Shift+C", &setChannelBars<255, 128, 0>},
    {"Rouge1", " Rouge", 0, "Shift+D", &setChannelBars<210, 0, 0>},
    {"Marron1", " Marron", 0, "Shift+E", &setChannelBars<128, 64, 0>},
    {"Fushia1", " Fushia", 0, "Shift+F", &setChannelBars<255, 0, 255>},
    {"Violet1", " Violet", 0, "Shift+G", &setChannelBars<128, 0, 128>},
    {"Cyan1", " Cyan", 0, "Shift+H", &setChannelBars<0, 255, 255>},
    {"Bleuple1", " Bleu pâle", 0, "Shift+I", &setChannelBars<0, 128, 192>},
    {"Bleufonc1", " Bleu foncé", 0, "Shift+J", &setChannelBars<0, 0, 155>},
    {"Vertolive1", " Vert olive", 0, "Shift+K", &setChannelBars<128, 128, 0>},
    {"Vertple1", " Vert pâle", 0, "Shift+L", &setChannelBars<98, 196, 0>},
    {"Vertfonc1", " Vert foncé", 0, "Shift+M", &setChannelBars<0, 128, 0>},
    {"Grisple1", " Gris pâle", 0, "Shift+N", &setChannelBars<192, 192, 192>},
    {"Grisfonc1", " Gris foncé", 0, "Shift+O", &setChannelBars<128, 128, 128>},
    {"Noir1", " Noir", 0, "Shift+P", &setChannelBars<20, 20, 20>},
    separator,
    {"Choisirlacouleurspia1", " Choisir la couleur sépia", 0, nullptr, &sepiaTone},
};

constexpr CommandItem effets[] = {
    {"Effetantialiasing1", " Effet antialiasing", 0, "F1", &raiseEffect<Effect::AntiAlias, 2>},
    {"Effetcolornoise1", " Effet color noise", 0, "F2", &raiseEffect<Effect::ColorNoise, 25>},
    {"Effetdarkness1", " Effet darkness", 0, "F3", &raiseEffect<Effect::Darkness, 10>},
    {"Effetgaussianblur1", " Effet gaussian blur", 0, "F4", &raiseEffect<Effect::GaussianBlur, 1>},
    {"Effetlightness1", " Effet lightness", 0, "F5", &raiseEffect<Effect::Lightness, 10>},
    {"Effetmononoise1", " Effet mono noise", 0, "F6", &raiseEffect<Effect::MonoNoise, 25>},
    {"Effetmosaic1", " Effet mosaic", 0, "F7", &raiseEffect<Effect::Mosaic, 1>},
    {"Effetposterize1", " Effet posterize", 0, "F8", &raiseEffect<Effect::Posterize, 10>},
    {"Effetsolorize1", " Effet solorize", 0, "F9", &raiseEffect<Effect::Solorize, 2>},
    {"Effetsplitblur1", " Effet split blur", 0, "F10", &raiseEffect<Effect::SplitBlur, 1>},
    {"Effetsplitlight1", " Effet split light", 0, "F11", &raiseEffect<Effect::Splitlight, 1>},
    {"Effettile1", " Effet tile", 0, "F12", &raiseEffect<Effect::Tile, 2>},
    separator,
    {"Annulerleseffets2", " Annuler les effets", 15, nullptr, &cancelEffects},
};

constexpr CommandItem operations[] = {
    {"Remplirlimage1", " Remplir une image", 0, nullptr, &openFillPage},
    {"Inclinerlimage1", " Incliner une image", 0, nullptr, &openInclinePage},
    {"Redimensionnerlimage2", " Redimensionner une image", 0, nullptr, &openResizePage},
    {"Slectionrectnagulaire1", " Sélectionner une partie", 7, nullptr, &openSelectionPage},
    {"Couper2", " Construire un cadre", 0, nullptr, &openFramePage},
    {"Copier2", " Insérer un texte", 0, nullptr, &openTextPage},
    separator,
    {"Fusionneravecuneimage1", " Fusionner avec une image", 0, nullptr, &openFusionPage},
    separator,
    {"ExporterauformatPDF1", " Exporter au format PDF", 0, nullptr, &exportPictureAsPdf},
    {"ransformerenmtafichier1", " Transformer en métafichier", 0, nullptr, &convertPictureToMetafile},
    {"Convertirenicne1", " Convertir en icône", 0, nullptr, &convertPictureToIcon},
};

constexpr CommandItem aide[] = {
    {"Index1", " Index", 0, nullptr, &showHelpIndex},
    {"Commandes1", " Commandes", 1, nullptr, &showCommandList},
    {"Windows1", " Windows", 2, nullptr, &showSystemWindow},
    {"Internet1", " Internet", 0, nullptr, &showLinksWindow},
    separator,
    {"Apropos1", " A propos", 14, nullptr, &showAboutWindow},
};

constexpr MenuDefinition menus[] = {
    {"Fichier2", "Fichier", fichier},      {"Edition2", "Edition", edition},
    {"Zchelle1", "Echelle", echelle},      {"Image21", "Image", image},
    {"Couleurs1", "Couleurs", couleurs},   {"Effets2", "Effets", effets},
    {"Slection1", "Opérations", operations}, {"Aide2", "Aide", aide},
};

constexpr CommandItem popup[] = {
    {"MenuItem2", " Couper", 0, "Ctrl+X", &cutPicture},
    {"MenuItem3", " Copier", 1, "Ctrl+C", &copyPicture},
    {"MenuItem4", " Coller", 0, "Ctrl+V", &pastePicture},
    separator,
    {"MenuItem6", " Annuler", 24, "Ctrl+Z", &reloadPicture},
    separator,
    {"Zoomngatif1", " Zoom négatif", 0, "Ctrl+Shift+F1", &zoomOut},
    {"aillenormale1002", " Taille normale 100 %", 0, "Ctrl+Shift+F2", &zoomTo<zoom::kNormal>},
    {"Zoompositif1", " Zoom positif", 0, "Ctrl+Shift+F3", &zoomIn},
    separator,
    {"Symtriehorizontale2", " Symétrie horizontale", 0, "Ctrl+F6", &mirrorPicture<FlipMode::Horizontal>},
    {"Symtrieverticale2", " Symétrie verticale", 0, "Ctrl+F7", &mirrorPicture<FlipMode::Vertical>},
    {"Rotationantihoraire2", " Rotation antihoraire", 0, "Ctrl+F8", &turnPicture<QuarterTurn::Anticlockwise>},
    {"Rotationhoraire2", " Rotation horaire", 0, "Ctrl+F9", &turnPicture<QuarterTurn::Clockwise>},
    separator,
    {"MenuItem8", " Configurer l' impression", 21, nullptr, &setUpPrinting},
    {"MenuItem9", " Aperçu avant impression", 0, nullptr, &previewPrintedPage},
    {"Imprimerlimage1", " Imprimer l' image", 0, nullptr, &printShownPicture},
    separator,
    {"MenuItem11", " A Propos", 0, nullptr, &showAboutWindow},
    separator,
    {"MenuItem13", " Quitter", 0, "Alt+X", &quitProgram},
};

constexpr ToolbarButtonDefinition toolbar[] = {
    {8, "Image17", &openPicture, true},
    {34, "Image11", &savePicture, true},
    {60, "Image12", &renamePictureFile, true},
    {86, "Image16", &deletePictureFile, true},
    {112, "Image3", &closePicture, true},
    {138, "Image2", &acquirePicture, true},
    {164, "Image19", &printShownPicture, true},
    {190, "Image4", &cutPicture, true},
    {216, "Image5", &copyPicture, true},
    {242, "Image6", &pastePicture, true},
    {268, "Image9", &returnToOpenedPicture, false},
    {294, "Image13", &openResizePage, true},
    {320, "Image7", &mirrorPicture<FlipMode::Horizontal>, true},
    {346, "Rotation", &mirrorPicture<FlipMode::Vertical>, true},
    {372, "Suivant", &turnPicture<QuarterTurn::Anticlockwise>, true},
    {398, "Dernier", &turnPicture<QuarterTurn::Clockwise>, true},
    {424, "Image14", &showZoomWindow, true},
    {450, "Image18", &showHelpIndex, false},
    {476, "Image8", &quitProgram, true},
};


constexpr EventBinding events[] = {
    {"ImageCIBLEClick", &returnToOpenedPicture},
    {"Image1DblClick", &zoomTo<zoom::kNormal>},
    {"Image1ContextPopup", &showImageMenu},
    {"FormMouseWheelDown", &wheelTowardsUser},
    {"FormMouseWheelUp", &wheelAwayFromUser},
    {"TrackBarLUMINOSITEChange", &brightnessChanged},
    {"TrackBarCONTRASTEChange", &contrastChanged},
    {"TrackBarSATURATIONChange", &saturationChanged},
    {"TrackBarROUGEChange", &scaleChannels},
    {"ListBox1Click", &applySelectedSpecialEffect},
    {"ImageCOLORClick", &publishPickedColour},
    {"PopupMenuColorPopup", &choosePickedColour},
};

} // namespace

std::span<const EventBinding> eventBindings() { return events; }

Handler handlerNamed(std::string_view name)
{
    for (const MenuDefinition& menu : menus)
        for (const CommandItem& item : menu.items)
            if (item.name && name == item.name) return item.handler;
    for (const CommandItem& item : popup)
        if (item.name && name == item.name) return item.handler;
    for (const ToolbarButtonDefinition& button : toolbar)
        if (name == button.name) return button.handler;
    for (const EventBinding& event : events)
        if (name == event.name) return event.handler;
    return nullptr;
}

std::span<const MenuDefinition> mainMenus() { return menus; }

std::span<const CommandItem> imageContextMenu() { return popup; }

std::span<const ToolbarButtonDefinition> toolbarButtons() { return toolbar; }

} // namespace kel
