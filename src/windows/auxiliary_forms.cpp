#include "windows/auxiliary_forms.h"

#include <QContextMenuEvent>

namespace kel {

TAuxiliaryForm::TAuxiliaryForm(const char* name, const QString& caption, QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setModal(true);
}

void TAuxiliaryForm::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    hide();
}

} // namespace kel
