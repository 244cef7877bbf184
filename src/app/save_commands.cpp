// Saving, renaming, PDF export and the icon and metafile conversions.
#include "app/program_form.h"

namespace kel {

void TProgramForm::Enregistrer1Click() {}

void TProgramForm::Enregistrersous1Click() {}

void TProgramForm::ExporterauformatPDF1Click() {}

void TProgramForm::ransformerenmtafichier1Click() {}

void TProgramForm::Convertirenicne1Click() {}

} // namespace kel
