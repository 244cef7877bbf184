#pragma once
// The application object: French translations, the title, and a last guard
// that keeps any exception from crossing Qt's event loop.
#include <QApplication>

namespace kel {

class Dialogs;

inline constexpr const char* kApplicationTitle = "KELVARY 1.1";

class KelvaryApplication final : public QApplication {
public:
    KelvaryApplication(int& argc, char** argv);

    // Where the last-chance guard reports failures.
    void setDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }

    bool notify(QObject* receiver, QEvent* event) override;

private:
    Dialogs* dialogs_ = nullptr;
};

// Loads Qt's own French texts for standard dialogs and buttons; answers false
// when they are not installed.
bool installFrenchTranslations(QCoreApplication& application);

} // namespace kel
