// Clipboard, wallpaper and the copy into a folder.
#include "app/program_form.h"

namespace kel {

void TProgramForm::Couper1Click() {}

void TProgramForm::Copier1Click() {}

void TProgramForm::Coller1Click() {}

void TProgramForm::Sauvegarderlimage1Click() {}

void TProgramForm::Installerlimagecommepapierpeint1Click() {}

} // namespace kel
