#include "app/program_form.h"

#include "app/application.h"

namespace kel {

TProgramForm::TProgramForm(Dialogs& dialogs, QWidget* parent) : QMainWindow(parent), dialogs_(dialogs)
{
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setFixedSize(1008, 706);
}

} // namespace kel
