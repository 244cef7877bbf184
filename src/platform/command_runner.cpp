#include "platform/command_runner.h"

#include "platform/dialogs.h"

#include <QString>

#include <exception>
#include <new>

namespace kel {

bool CommandRunner::run(const std::function<void()>& command) noexcept
{
    QString failure;
    try {
        command();
        return true;
    } catch (const std::bad_alloc&) {
        failure = QStringLiteral("Mémoire insuffisante");
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    } catch (...) {
        failure = QStringLiteral("Erreur inconnue");
    }
    try {
        dialogs_.showError(failure);
    } catch (...) {
        // Nothing more can be reported; the program goes on.
    }
    return false;
}

} // namespace kel
