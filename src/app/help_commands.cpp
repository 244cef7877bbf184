// The Aide menu's windows and the help index.
#include "app/program_form.h"

namespace kel {

void TProgramForm::Index1Click() {}

void TProgramForm::Commandes1Click() {}

void TProgramForm::Windows1Click() {}

void TProgramForm::Internet1Click() {}

void TProgramForm::Apropos1Click() {}

void TProgramForm::Image18Click() {}

} // namespace kel
