// The special-effects list.
#include "app/program_form.h"

namespace kel {

void TProgramForm::ListBox1Click() {}

} // namespace kel
