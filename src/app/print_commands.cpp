// Printing, the printer dialogs and scanner acquisition.
#include "app/program_form.h"

namespace kel {

void TProgramForm::Acquriruneimage1Click() {}

void TProgramForm::Slectionnerlimprimante1Click() {}

void TProgramForm::Configurerlimpression1Click() {}

void TProgramForm::Aperuavantimpression1Click() {}

void TProgramForm::Imprimer1Click() {}

} // namespace kel
