// Opening, closing, deleting and reloading the picture, the return to the picture as opened and the pointer readout over the view.
#include "app/program_form.h"

namespace kel {

void TProgramForm::Ouvriruneimage1Click() {}

void TProgramForm::Fermerlimage1Click() {}

void TProgramForm::Supprimer1Click() {}

void TProgramForm::Annuler1Click() {}

void TProgramForm::ImageCIBLEClick() {}

void TProgramForm::Vrifier1Click() {}

void TProgramForm::Image1MouseMove(const MouseArgs&) {}

void TProgramForm::Image1MouseExit() {}

} // namespace kel
