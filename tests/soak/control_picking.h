#pragma once
// Finding the controls the soak may use, and naming them in the step log.
#include "soak/soak_random.h"

#include <QObject>
#include <QString>
#include <QWidget>

#include <vector>

namespace kel::soak {

inline bool usable(QWidget* widget) { return widget->isVisible() && widget->isEnabled(); }

template <typename W>
std::vector<W*> usableChildren(QWidget* parent)
{
    std::vector<W*> found;
    for (W* child : parent->findChildren<W*>())
        if (usable(child)) found.push_back(child);
    return found;
}

template <typename T>
T* pickFrom(Random& random, const std::vector<T*>& items)
{
    return items.empty() ? nullptr : items[std::size_t(random.below(int(items.size())))];
}

inline QString nameOf(const QObject* object)
{
    const QString name = object->objectName();
    return QLatin1String(object->metaObject()->className()) + (name.isEmpty() ? QString() : u' ' + name);
}

inline Qt::MouseButton anyButton(Random& random)
{
    constexpr Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
    return random.pick(std::span<const Qt::MouseButton>(buttons));
}

} // namespace kel::soak
