// The Effets menu, the grey and negative view modes and the tone track bars.
#include "app/program_form.h"

namespace kel {

void TProgramForm::Effetantialiasing1Click() {}

void TProgramForm::Effetcolornoise1Click() {}

void TProgramForm::Effetdarkness1Click() {}

void TProgramForm::Effetgaussianblur1Click() {}

void TProgramForm::Effetlightness1Click() {}

void TProgramForm::Effetmononoise1Click() {}

void TProgramForm::Effetmosaic1Click() {}

void TProgramForm::Effetposterize1Click() {}

void TProgramForm::Effetsolorize1Click() {}

void TProgramForm::Effetsplitblur1Click() {}

void TProgramForm::Effetsplitlight1Click() {}

void TProgramForm::Effettile1Click() {}

void TProgramForm::Annulerleseffets2Click() {}

void TProgramForm::Niveauxdegris1Click() {}

void TProgramForm::Ngatif1Click() {}

void TProgramForm::TrackBarLUMINOSITEChange() {}

void TProgramForm::TrackBarCONTRASTEChange() {}

void TProgramForm::TrackBarSATURATIONChange() {}

} // namespace kel
