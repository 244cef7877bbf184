// Scrambling and unscrambling the picture.
#include "app/program_form.h"

namespace kel {

void TProgramForm::Crypterlimage1Click() {}

} // namespace kel
