#include "windows/internet_form.h"

#include "platform/desktop.h"
#include "widgets/link_label.h"
#include "windows/form_parts.h"

#include <QLabel>

namespace kel {

const std::array<const char*, 4>& TInternetForm::addresses()
{
    // The toolkit the program is built with, then the formats it reads and writes.
    static const std::array<const char*, 4> list = {
        "https://www.qt.io/",
        "https://www.w3.org/TR/png/",
        "https://jpeg.org/jpeg/",
        "https://libtiff.gitlab.io/libtiff/",
    };
    return list;
}

TInternetForm::TInternetForm(QWidget* parent, Desktop& desktop)
    : TAuxiliaryForm("InternetForm", QStringLiteral(" Internet"), parent)
{
    setFixedDialogFrame(*this, QSize(572, 396));
    addBackgroundPicture(*this, QPoint(158, 70));
    Image1 = addClosingIcon(*this, QPoint(16, 16));

    constexpr int tops[] = {24, 48, 72, 96};
    constexpr int widths[] = {177, 209, 161, 273};
    QFont hoverFont = arial(13);
    hoverFont.setUnderline(true);
    for (std::size_t i = 0; i < links.size(); ++i) {
        const QString address = QString::fromLatin1(addresses()[i]);
        auto* link = new TLinkLabel(address, this);
        link->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        link->setGeometry(64, tops[i], widths[i], 18);
        link->setRestingLook(font(), clBlack);
        link->setHoverLook(hoverFont, clBlue, clBtnFace);
        link->OnClick = [&desktop, address] { desktop.openUrl(QUrl(address)); };
        links[i] = link;
    }

    // The picture column, a box without border or scroll bars.
    auto* column = new QWidget(this);
    column->setObjectName(QStringLiteral("ScrollBox1"));
    column->setGeometry(424, 8, 145, 378);
    for (int i = 0; i < 4; ++i) {
        auto* picture = new QLabel(column);
        picture->setPixmap(formatPicture(i));
        picture->setGeometry(12, 2 + 94 * i, 120, 90);
    }
}

} // namespace kel
