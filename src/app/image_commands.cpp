// Colour depth conversions, black and white, mirrors and quarter turns.
#include "app/program_form.h"

namespace kel {

void TProgramForm::Image32bits1Click() {}

void TProgramForm::Image24bits1Click() {}

void TProgramForm::Image16bits1Click() {}

void TProgramForm::Image8bits1Click() {}

void TProgramForm::Image41Click() {}

void TProgramForm::Noiretblanc1Click() {}

void TProgramForm::Symtriehorizontale1Click() {}

void TProgramForm::Symtrieverticale1Click() {}

void TProgramForm::Rotationantihoraire1Click() {}

void TProgramForm::Rotationhoraire1Click() {}

} // namespace kel
