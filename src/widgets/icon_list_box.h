#pragma once
// A single-selection list with an icon before each entry, rows of a fixed
// height and entries kept sorted. A click on an entry and a change of the
// selection with the keyboard both run OnClick.
#include <QIcon>
#include <QListWidget>

#include <functional>

namespace kel {

class TIconListBox final : public QListWidget {
    Q_OBJECT
public:
    explicit TIconListBox(QWidget* parent = nullptr);

    void setItemHeight(int height);
    int itemHeight() const { return itemHeight_; }
    // Adds an entry at its sorted place.
    void addEntry(const QString& text, const QIcon& icon);

    std::function<void()> OnClick;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int itemHeight_ = 16;
};

} // namespace kel
