#include "widgets/icon_list_box.h"

#include <QKeyEvent>

namespace kel {

TIconListBox::TIconListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
    setIconSize(QSize(16, 16));
    setSortingEnabled(true);
    connect(this, &QListWidget::itemClicked, this, [this] {
        if (OnClick) OnClick();
    });
}

void TIconListBox::setItemHeight(int height)
{
    itemHeight_ = height;
    for (int i = 0; i < count(); ++i) item(i)->setSizeHint(QSize(0, height));
}

void TIconListBox::addEntry(const QString& text, const QIcon& icon)
{
    auto* entry = new QListWidgetItem(icon, text);
    entry->setSizeHint(QSize(0, itemHeight_));
    addItem(entry);
}

void TIconListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && OnClick) OnClick();
}

} // namespace kel
