#pragma once
// Printing through Qt PrintSupport (CUPS underneath).
#include "platform/printing.h"

#include <memory>

namespace kel {

class Dialogs;

class QtPrinting final : public Printing {
public:
    // The preview window is shown through `dialogs`.
    explicit QtPrinting(Dialogs& dialogs);
    ~QtPrinting() override;

    QPrinter& printer() override;
    bool printPicture(const Graphic& picture) override;
    void previewPicture(const Graphic& picture) override;

private:
    Dialogs& dialogs_;
    std::unique_ptr<QPrinter> printer_; // made on first use: asking CUPS takes time
};

// A4 portrait, 10 mm margins, one copy, no duplex, every page.
void setPrintPageDefaults(QPrinter& printer);

} // namespace kel
