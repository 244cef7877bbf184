// The Echelle menu, the zoom items of the context menu, the wheel, the display modes and the zoom window.
#include "app/program_form.h"

namespace kel {

void TProgramForm::Zoom101Click() {}

void TProgramForm::Zoom251Click() {}

void TProgramForm::Zoom331Click() {}

void TProgramForm::Zoom501Click() {}

void TProgramForm::Zoom661Click() {}

void TProgramForm::Zoom751Click() {}

void TProgramForm::aillenormale1001Click() {}

void TProgramForm::Zoom2001Click() {}

void TProgramForm::Zoom3001Click() {}

void TProgramForm::Zoom4001Click() {}

void TProgramForm::Zoom5001Click() {}

void TProgramForm::Zoom7501Click() {}

void TProgramForm::Zoom9001Click() {}

void TProgramForm::Zoomngatif1Click() {}

void TProgramForm::aillenormale1002Click() {}

void TProgramForm::Zoompositif1Click() {}

void TProgramForm::Centr1Click() {}

void TProgramForm::Proportionnel1Click() {}

void TProgramForm::Etir1Click() {}

void TProgramForm::ransparent1Click() {}

void TProgramForm::FormMouseWheelDown() {}

void TProgramForm::FormMouseWheelUp() {}

void TProgramForm::Image1DblClick() {}

void TProgramForm::Image14Click() {}

} // namespace kel
