#include "pages/operation_page.h"

#include "platform/command_runner.h"

#include <QWidget>

namespace kel {

OperationPage::OperationPage(PageHost& host, QWidget* page, int index)
    : QObject(page), host_(host), page_(page), index_(index)
{
}

bool OperationPage::runHandler(const std::function<void()>& handler)
{
    return CommandRunner(host_.services.dialogs).run(handler);
}

} // namespace kel
