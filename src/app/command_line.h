#pragma once
// The program's arguments: an optional picture file to open at start-up,
// --help and --version. Read twice: on the raw arguments before the
// application exists (help and version need no display), then on the
// arguments Qt leaves once it has taken its own (-platform, -style, ...).
#include <QString>
#include <QStringList>

namespace kel {

struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Run;
    QString fileToOpen; // absolute path, empty when none was given
    QString message;    // the help, the version or the error, to print
};

// `arguments` starts with the program's name. Several files: the first is opened.
CommandLine readCommandLine(const QStringList& arguments);

} // namespace kel
