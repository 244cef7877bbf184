#include "windows/command_form.h"

#include "widgets/gradient_panel.h"
#include "windows/form_parts.h"

#include <QLabel>
#include <QPainter>

namespace kel {

namespace {

constexpr int kLineSpacing = 13;
constexpr int kKeysWidth = 46; // room for "Maj+F10" in the fonts Linux has
constexpr Colour kHeadingColour = 9717964; // red 204, green 72, blue 148

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts) list << QString::fromUtf8(text);
    return list;
}

} // namespace

TLineList::TLineList(const QStringList& lines, QWidget* parent) : QWidget(parent), lines_(lines)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TLineList::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < lines_.size(); ++i)
        painter.drawText(QRect(0, i * kLineSpacing, width(), kLineSpacing), Qt::AlignLeft | Qt::AlignVCenter,
                         lines_[i]);
}

TCommandForm::TCommandForm(QWidget* parent) : TAuxiliaryForm("CommandForm", QStringLiteral(" Commandes"), parent)
{
    setFixedDialogFrame(*this, QSize(572, 546));
    addBackgroundPicture(*this, QPoint(158, 145));
    Image1 = addClosingIcon(*this, QPoint(12, 12));

    addGroup(QStringLiteral(" Fichier"), {64, 12}, {64, 38},
             lines({"Ctrl+O ", "Ctrl+E", "Ctrl+R", "Ctrl+S", "Ctrl+F", "Ctrl+D", "Ctrl+P", "Ctrl+A ", "Alt+X"}),
             lines({"Ouvrir une image", "Enregistrer l' image", "Enregistrer l' image sous un autre nom",
                    "Supprimer l' image du répertoire", "Fermer l' image en cours",
                    "Sauvegarder l' image vers un dossier ", "Installer l' image comme papier peint ",
                    "Acquérir une image ", "Quitter le programme"}));
    addGroup(QStringLiteral(" Image"), {64, 164}, {64, 190},
             lines({"Ctrl+F1", "Ctrl+F2", "Ctrl+F3", "Ctrl+F4", "Ctrl+F5", "Ctrl+F6", "Ctrl+F7", "Ctrl+F8", "Ctrl+F9"}),
             lines({"Image 32 bits", "Image 24 bits", "Image 16 bits", "Image 8 bits", "Image 4 bits",
                    "Symétrie horizontale", "Symétrie verticale", "Rotation antihoraire", "Rotation horaire"}));
    addGroup(QStringLiteral(" Effets"), {64, 316}, {64, 342},
             lines({"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12"}),
             lines({"Effet antialiasing", "Effet color noise", "Effet darkness", "Effet gaussian blur",
                    "Effet lightness", "Effet mono noise", "Effet mosaic", "Effet posterize", "Effet solorize",
                    "Effet split blur", "Effet split light", "Effet tile"}));
    addGroup(QStringLiteral(" Edition"), {320, 16}, {320, 38}, lines({"Ctrl+X", "Ctrl+C", "Ctrl+V", "Ctrl+Z "}),
             lines({"Couper l' image vers le presse papier", "Copier l' image vers le presse papier",
                    "Coller l' image à partir du presse papier", "Revenir au dernier fichier ouvert", " "}));
    QStringList zoomKeys, zooms;
    for (int i = 0; i < 12; ++i) zoomKeys << QStringLiteral("Maj+F%1").arg(i + 1);
    zoomKeys[8] += u' ';
    for (const int percent : {10, 25, 33, 50, 66, 75, 200, 300, 400, 500, 750, 900})
        zooms << QStringLiteral("Zoom de %1 % sur l' image").arg(percent);
    addGroup(QStringLiteral(" Echelle"), {320, 100}, {320, 126}, zoomKeys, zooms);
    QStringList colourKeys, colours;
    for (char key = 'A'; key <= 'P'; ++key) colourKeys << QStringLiteral("Maj+") + QChar(key);
    for (const char* colour : {"en blanc", "en jaune", "en orange", "en rouge", "en marron", "en fushia", "enviolet",
                               "encyan", "en bleu pâle", "enbleu foncé", "envert olive", "en vert pâle",
                               "en vert foncé", "en gris pâle", "en gris foncé", "en noir"})
        colours << QStringLiteral("Coloriser l' image ") + QString::fromUtf8(colour);
    addGroup(QStringLiteral(" Couleurs"), {320, 292}, {320, 318}, colourKeys, colours);
}

void TCommandForm::addGroup(const QString& title, QPoint heading, QPoint keys, const QStringList& keyLines,
                            const QStringList& descriptionLines)
{
    Group group;
    group.heading = new TGPanel(this);
    group.heading->setGeometry(QRect(heading, QSize(169, 17)));
    group.heading->setBevelOuter(Bevel::None);
    group.heading->setColor_1(kHeadingColour);
    group.heading->setColor_2(clBtnFace);
    group.heading->setColor_3(clBtnFace);
    group.heading->setPercent(75);
    group.title = addLabel(*group.heading, title, QRect(0, 0, 169, 17), clWhite);
    group.title->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    const int rows = int(std::max(keyLines.size(), descriptionLines.size()));
    group.keys = new TLineList(keyLines, this);
    group.keys->setGeometry(keys.x(), keys.y(), kKeysWidth, rows * kLineSpacing);
    const int descriptionsLeft = keys.x() + 48;
    group.descriptions = new TLineList(descriptionLines, this);
    group.descriptions->setGeometry(descriptionsLeft, keys.y(), width() - descriptionsLeft, rows * kLineSpacing);
    groups_.push_back(group);
}

} // namespace kel
