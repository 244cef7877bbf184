#include "pages/operation_page.h"

#include <QWidget>

namespace kel {

OperationPage::OperationPage(PageHost& host, QWidget* page, int index)
    : QObject(page), host_(host), page_(page), index_(index)
{
}

} // namespace kel
