#pragma once
// A holder of at most one graphic, with one change handler.
#include "graphics/bitmap.h"

#include <functional>
#include <memory>

namespace kel {

class Picture {
public:
    Picture() = default;
    Picture(const Picture&) = delete;
    // Assigning copies the other holder's graphic and notifies.
    Picture& operator=(const Picture& other);
    ~Picture();

    Graphic* graphic() const { return graphic_.get(); }
    bool hasGraphic() const { return graphic_ != nullptr; }
    int width() const { return graphic_ ? graphic_->width() : 0; }
    int height() const { return graphic_ ? graphic_->height() : 0; }

    // Takes the graphic (nullptr empties the holder). Notifies.
    void setGraphic(std::unique_ptr<Graphic> graphic);
    // Copies the graphic (nullptr empties the holder). Notifies.
    void assign(const Graphic* graphic);
    void clear() { setGraphic(nullptr); }

    // The held bitmap; anything else is first replaced by a new empty 24-bit
    // bitmap (which notifies).
    Bitmap& bitmap();
    // The held bitmap, or nullptr when the graphic is not a bitmap.
    Bitmap* bitmapIfAny() const { return dynamic_cast<Bitmap*>(graphic_.get()); }

    void setChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }
    void changed() const;

private:
    void adopt(std::unique_ptr<Graphic> graphic);

    std::unique_ptr<Graphic> graphic_;
    std::function<void()> onChange_;
};

} // namespace kel
