#pragma once
// The shortcut list " Commandes": six groups, each a gradient heading over a
// column of keys and a column of what they do. Display text only.
#include "windows/auxiliary_forms.h"

#include <QStringList>

#include <vector>

class QLabel;

namespace kel {

class TGPanel;
class TPictureButton;

// Lines of text one under the other, 13 pixels apart.
class TLineList final : public QWidget {
    Q_OBJECT
public:
    TLineList(const QStringList& lines, QWidget* parent);
    const QStringList& lines() const { return lines_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList lines_;
};

class TCommandForm final : public TAuxiliaryForm {
    Q_OBJECT
public:
    explicit TCommandForm(QWidget* parent);

    struct Group {
        TGPanel* heading = nullptr;
        QLabel* title = nullptr;
        TLineList* keys = nullptr;
        TLineList* descriptions = nullptr;
    };
    // Fichier, Image, Effets, Edition, Echelle, Couleurs.
    const std::vector<Group>& groups() const { return groups_; }
    TPictureButton* Image1 = nullptr;

private:
    void addGroup(const QString& title, QPoint heading, QPoint keys, const QStringList& keyLines,
                  const QStringList& descriptionLines);

    std::vector<Group> groups_;
};

} // namespace kel
