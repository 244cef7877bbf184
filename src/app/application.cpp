#include "app/application.h"

#include "platform/command_runner.h"
#include "platform/dialogs.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace kel {

KelvaryApplication::KelvaryApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QString::fromUtf8(kApplicationTitle));
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    installFrenchTranslations(*this);
}

bool KelvaryApplication::notify(QObject* receiver, QEvent* event)
{
    if (!dialogs_) return QApplication::notify(receiver, event);
    bool handled = false;
    CommandRunner(*dialogs_).run([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

bool installFrenchTranslations(QCoreApplication& application)
{
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace kel
