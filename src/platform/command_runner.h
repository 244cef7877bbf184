#pragma once
// Every user command runs inside this wrapper: a failure that escapes the
// command is shown in the default error box and the program goes on.
#include <functional>

namespace kel {

class Dialogs;

class CommandRunner {
public:
    explicit CommandRunner(Dialogs& dialogs) : dialogs_(dialogs) {}

    // Runs the command; answers false when it failed (the error box was shown).
    bool run(const std::function<void()>& command) noexcept;

    Dialogs& dialogs() { return dialogs_; }

private:
    Dialogs& dialogs_;
};

} // namespace kel
