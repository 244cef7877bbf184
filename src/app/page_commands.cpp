// The commands that open the operation pages.
#include "app/program_form.h"

namespace kel {

void TProgramForm::Remplirlimage1Click() {}

void TProgramForm::Inclinerlimage1Click() {}

void TProgramForm::Redimensionnerlimage2Click() {}

void TProgramForm::Slectionrectnagulaire1Click() {}

void TProgramForm::Couper2Click() {}

void TProgramForm::Copier2Click() {}

void TProgramForm::Fusionneravecuneimage1Click() {}

} // namespace kel
