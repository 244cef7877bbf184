#include "windows/propos_form.h"

#include "platform/desktop.h"
#include "widgets/link_label.h"
#include "widgets/text_fader.h"
#include "windows/form_parts.h"

#include <QLabel>
#include <QUrl>

namespace kel {

namespace {

constexpr Colour kNavy = rgb(0, 0, 128);
constexpr Colour kMaroon = rgb(128, 0, 0);

QLabel* addPicture(QWidget& parent, const QPixmap& pixmap, QPoint at)
{
    auto* picture = new QLabel(&parent);
    picture->setPixmap(pixmap);
    picture->setGeometry(QRect(at, pixmap.size()));
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    return picture;
}

QLabel* addCentredLine(QWidget& parent, const QString& text, int top, const QFont& font)
{
    QLabel* line = addLabel(parent, text, QRect(56, top, 289, 22));
    line->setAlignment(Qt::AlignCenter);
    line->setFont(font);
    return line;
}

TLinkLabel* addLink(QWidget& parent, const QString& text, QRect place, Colour hoverColour)
{
    auto* link = new TLinkLabel(text, &parent);
    link->setGeometry(place);
    const QFont resting = arial(13);
    QFont hover = resting;
    hover.setUnderline(true);
    link->setRestingLook(resting, clBlack);
    link->setHoverLook(hover, hoverColour, std::nullopt);
    return link;
}

} // namespace

const char* TProposForm::siteAddress() { return "https://kelvary.example/"; }

const char* TProposForm::mailAddress() { return "contact@kelvary.example"; }

TProposForm::TProposForm(QWidget* parent, Desktop& desktop)
    : TAuxiliaryForm("ProposForm", QStringLiteral(" A propos"), parent)
{
    setFixedDialogFrame(*this, QSize(401, 235));
    addPicture(*this, aboutLogo(), QPoint(69, -14));
    addPicture(*this, aboutEmblem(), QPoint(120, -24));
    addCentredLine(*this, QStringLiteral("Logiciel développé par le"), 70, arial(16, true));
    addCentredLine(*this, QStringLiteral("collectif Kelvary"), 92, arial(21));
    addCentredLine(*this, QStringLiteral("Développeurs en imagerie numérique"), 116, arial(16));

    TextFader1 = new TTextFader(this);
    TextFader1->setObjectName(QStringLiteral("TextFader1"));
    TextFader1->setGeometry(26, 136, 349, 25);
    TextFader1->setFont(arial(13));
    QPalette ink = TextFader1->palette();
    ink.setColor(QPalette::WindowText, Qt::black);
    TextFader1->setPalette(ink);
    TextFader1->setTransparent(true);
    TextFader1->setLineDelay(1250);
    TextFader1->setLines({
        QStringLiteral("Visionneuse et retouche d' images"),
        QStringLiteral("Plus de vingt formats d' image lus"),
        QStringLiteral("Réglages de tons et de couleurs en direct"),
        QStringLiteral("Vingt-six effets spéciaux"),
        QStringLiteral("Redimensionner, recadrer, encadrer, écrire"),
        QStringLiteral("Fusionner, remplir et incliner"),
        QStringLiteral("Enregistrer en BMP, GIF, JPEG, PNG, Targa et TIFF"),
        QStringLiteral("Exporter en PDF, en icône ou en métafichier"),
        QStringLiteral("Imprimer et acquérir par un scanner"),
    });
    TextFader1->setActive(true);

    addLabel(*this, QStringLiteral("Site Web :"), QRect(60, 164, 80, 18))->setFont(arial(16, true));
    siteLink = addLink(*this, QString::fromLatin1(siteAddress()), QRect(143, 164, 206, 18), kNavy);
    siteLink->OnClick = [&desktop] { desktop.openUrl(QUrl(QString::fromLatin1(siteAddress()))); };
    addLabel(*this, QStringLiteral("E mail :"), QRect(74, 184, 60, 18))->setFont(arial(16, true));
    mailLink = addLink(*this, QString::fromLatin1(mailAddress()), QRect(135, 184, 200, 18), kMaroon);
    mailLink->OnClick = [&desktop] { desktop.openUrl(QUrl(QStringLiteral("mailto:") + QString::fromLatin1(mailAddress()))); };
}

} // namespace kel
