#include "windows/form_parts.h"

#include "widgets/picture_button.h"

#include <QDialog>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace kel {

void setFixedDialogFrame(QDialog& form, QSize client)
{
    form.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                        Qt::MSWindowsFixedSizeDialogHint);
    form.setFixedSize(client);
    // The narrow sans serif of the desktop when MS Sans Serif is missing, as it is on Linux.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(11);
    form.setFont(font);
    QPalette colours = form.palette();
    colours.setColor(QPalette::Window, QColor(redOf(clBtnFace), greenOf(clBtnFace), blueOf(clBtnFace)));
    colours.setColor(QPalette::WindowText, Qt::black);
    form.setPalette(colours);
}

TPictureButton* addClosingIcon(QDialog& form, QPoint at)
{
    auto* icon = new TPictureButton(formIcon(), &form);
    icon->setObjectName(QStringLiteral("Image1"));
    icon->setGeometry(QRect(at, QSize(32, 32)));
    icon->OnClick = [&form] { form.close(); };
    return icon;
}

QLabel* addBackgroundPicture(QDialog& form, QPoint at)
{
    auto* picture = new QLabel(&form);
    picture->setObjectName(QStringLiteral("Image2"));
    picture->setPixmap(backgroundPicture());
    picture->setGeometry(QRect(at, QSize(256, 256)));
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    return picture;
}

QLabel* addLabel(QWidget& parent, const QString& text, QRect place, Colour colour)
{
    auto* label = new QLabel(text, &parent);
    label->setGeometry(place);
    label->setTextFormat(Qt::PlainText);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, QColor(redOf(colour), greenOf(colour), blueOf(colour)));
    label->setPalette(colours);
    return label;
}

QFont arial(int pixels, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

namespace {

const QColor kKelvaryRose(204, 72, 148);

QPixmap transparentPixmap(int width, int height)
{
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap formIcon()
{
    QPixmap icon = transparentPixmap(32, 32);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient shade(0, 0, 32, 32);
    shade.setColorAt(0, QColor(240, 160, 205));
    shade.setColorAt(1, kKelvaryRose.darker(140));
    painter.setBrush(shade);
    painter.setPen(QPen(kKelvaryRose.darker(180), 1));
    painter.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    painter.setPen(Qt::white);
    painter.setFont(arial(22, true));
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("K"));
    return icon;
}

QPixmap backgroundPicture()
{
    QPixmap picture = transparentPixmap(256, 256);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 6; ++ring) {
        painter.setPen(QPen(QColor(204, 72, 148, 22 - ring * 3), 10));
        const double inset = 12 + ring * 20;
        painter.drawEllipse(QRectF(inset, inset, 256 - 2 * inset, 256 - 2 * inset));
    }
    return picture;
}

QPixmap formatPicture(int index)
{
    static const char* const names[] = {"Qt", "PNG", "JPEG", "TIFF"};
    static const QColor tops[] = {QColor(65, 205, 82), QColor(70, 130, 200), QColor(230, 150, 40), QColor(150, 90, 190)};
    const int which = std::clamp(index, 0, 3);
    QPixmap picture(120, 90);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, 90);
    sky.setColorAt(0, tops[which]);
    sky.setColorAt(1, tops[which].lighter(170));
    painter.fillRect(picture.rect(), sky);
    painter.setRenderHint(QPainter::Antialiasing);
    // A hill and a sun, the usual sign for a picture.
    QPainterPath hill;
    hill.moveTo(0, 90);
    hill.cubicTo(30, 48, 70, 80, 120, 52);
    hill.lineTo(120, 90);
    painter.fillPath(hill, tops[which].darker(160));
    painter.setBrush(QColor(255, 240, 170));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(92, 22), 11, 11);
    painter.setPen(Qt::white);
    painter.setFont(arial(20, true));
    painter.drawText(QRect(8, 6, 80, 30), Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(names[which]));
    painter.setPen(QColor(90, 90, 90));
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawRect(0, 0, 119, 89);
    return picture;
}

QPixmap aboutLogo()
{
    QPixmap logo = transparentPixmap(262, 101);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = arial(44, true);
    font.setLetterSpacing(QFont::PercentageSpacing, 108);
    QPainterPath name;
    name.addText(0, 0, font, QStringLiteral("KELVARY"));
    const QRectF box = name.boundingRect();
    name.translate((262 - box.width()) / 2 - box.left(), 16 + 40 - box.bottom());
    QLinearGradient shade(0, 14, 0, 58);
    shade.setColorAt(0, QColor(240, 150, 200));
    shade.setColorAt(1, kKelvaryRose.darker(130));
    painter.setPen(QPen(kKelvaryRose.darker(200), 1));
    painter.setBrush(shade);
    painter.drawPath(name);
    return logo;
}

QPixmap aboutEmblem()
{
    QPixmap emblem = transparentPixmap(160, 160);
    QPainter painter(&emblem);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(204, 72, 148, 30), 6));
    painter.drawEllipse(QRectF(8, 8, 144, 144));
    return emblem;
}

} // namespace kel
