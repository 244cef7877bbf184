#pragma once
// The links window " Internet": four web addresses that open in the user's
// browser, beside a column of pictures.
#include "windows/auxiliary_forms.h"

#include <array>

namespace kel {

class Desktop;
class TLinkLabel;
class TPictureButton;

class TInternetForm final : public TAuxiliaryForm {
    Q_OBJECT
public:
    TInternetForm(QWidget* parent, Desktop& desktop);

    // The addresses, top to bottom.
    static const std::array<const char*, 4>& addresses();

    std::array<TLinkLabel*, 4> links{};
    TPictureButton* Image1 = nullptr;
};

} // namespace kel
