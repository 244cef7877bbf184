#pragma once
// The about window " A propos": the program's name, who makes it, a line
// that fades through what the program does, and the site and mail links.
#include "windows/auxiliary_forms.h"

namespace kel {

class Desktop;
class TLinkLabel;
class TTextFader;

class TProposForm final : public TAuxiliaryForm {
    Q_OBJECT
public:
    TProposForm(QWidget* parent, Desktop& desktop);

    static const char* siteAddress();
    static const char* mailAddress();

    TTextFader* TextFader1 = nullptr;
    TLinkLabel* siteLink = nullptr;
    TLinkLabel* mailLink = nullptr;
};

} // namespace kel
