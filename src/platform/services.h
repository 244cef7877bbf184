#pragma once
// Everything the commands ask of the platform, in one bundle handed to them.
namespace kel {

class Dialogs;
class Clipboard;
class Desktop;
class Printing;
class Scanner;
class SystemFacts;

struct Services {
    Dialogs& dialogs;
    Clipboard& clipboard;
    Desktop& desktop;
    Printing& printing;
    Scanner& scanner;
    SystemFacts& system;
};

} // namespace kel
