#include "app/document/status_line.h"

#include "app/document/colour_count.h"

namespace kel {

QString shortStatusLine(int width, int height)
{
    return QString::number(width) + QStringLiteral(" x ") + QString::number(height) + QStringLiteral(" pixels");
}

QString fullStatusLine(const QString& fileName, const Picture& shown)
{
    return fullStatusLine(fileName, shown, countShownColours(shown));
}

QString fullStatusLine(const QString& fileName, const Picture& shown, int colours)
{
    return fileName + QStringLiteral(" | ") + shortStatusLine(shown.width(), shown.height()) + QStringLiteral(" | ")
           + QString::number(colours) + QStringLiteral(" couleurs");
}

int countShownColours(const Picture& shown)
{
    if (const Bitmap* bitmap = shown.bitmapIfAny()) return CountColors(*bitmap);
    if (!shown.hasGraphic()) return 0;
    Bitmap rendered;
    rendered.assign(*shown.graphic());
    return CountColors(rendered);
}

} // namespace kel
