// Colour channels, the named colours, sepia and the colour palette.
#include "app/program_form.h"

namespace kel {

void TProgramForm::Blanc1Click() {}

void TProgramForm::Jaune1Click() {}

void TProgramForm::Orange1Click() {}

void TProgramForm::Rouge1Click() {}

void TProgramForm::Marron1Click() {}

void TProgramForm::Fushia1Click() {}

void TProgramForm::Violet1Click() {}

void TProgramForm::Cyan1Click() {}

void TProgramForm::Bleuple1Click() {}

void TProgramForm::Bleufonc1Click() {}

void TProgramForm::Vertolive1Click() {}

void TProgramForm::Vertple1Click() {}

void TProgramForm::Vertfonc1Click() {}

void TProgramForm::Grisple1Click() {}

void TProgramForm::Grisfonc1Click() {}

void TProgramForm::Noir1Click() {}

void TProgramForm::Choisirlacouleurspia1Click() {}

void TProgramForm::TrackBarROUGEChange() {}

void TProgramForm::ImageCOLORClick() {}

void TProgramForm::ImageCOLORMouseMove(const MouseArgs&) {}

void TProgramForm::ImageCOLORMouseExit() {}

void TProgramForm::PopupMenuColorPopup() {}

} // namespace kel
