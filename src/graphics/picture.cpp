#include "graphics/picture.h"

namespace kel {

Picture::~Picture()
{
    if (auto* bitmap = bitmapIfAny()) bitmap->setChangeHandler(nullptr);
}

Picture& Picture::operator=(const Picture& other)
{
    if (this != &other) assign(other.graphic());
    return *this;
}

void Picture::adopt(std::unique_ptr<Graphic> graphic)
{
    if (auto* old = bitmapIfAny()) old->setChangeHandler(nullptr);
    graphic_ = std::move(graphic);
    if (auto* bitmap = bitmapIfAny()) bitmap->setChangeHandler([this] { changed(); });
}

void Picture::setGraphic(std::unique_ptr<Graphic> graphic)
{
    adopt(std::move(graphic));
    changed();
}

void Picture::assign(const Graphic* graphic)
{
    setGraphic(graphic ? graphic->clone() : nullptr);
}

Bitmap& Picture::bitmap()
{
    if (!bitmapIfAny()) setGraphic(std::make_unique<Bitmap>());
    return *bitmapIfAny();
}

void Picture::changed() const
{
    if (onChange_) onChange_();
}

} // namespace kel
