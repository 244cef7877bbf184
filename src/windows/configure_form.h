#pragma once
// The system window " Windows": facts about the machine with the free and
// used space of the start-up folder's disk as two gauges, filled at each
// showing, and four memory figures refreshed every second from creation.
#include "graphics/colour.h"
#include "windows/auxiliary_forms.h"

#include <QTimer>

class QLabel;

namespace kel {

class SystemFacts;
class TPictureButton;
class TQProgressBar;

class TConfigureForm final : public TAuxiliaryForm {
    Q_OBJECT
public:
    // Measures the disk of the current folder at creation.
    TConfigureForm(QWidget* parent, SystemFacts& facts);

    // Value fields, named after their role in the window.
    QLabel* Panel2 = nullptr;  // user
    QLabel* Panel3 = nullptr;  // computer
    QLabel* Panel4 = nullptr;  // operating system
    QLabel* Panel10 = nullptr; // version
    QLabel* Panel9 = nullptr;  // settings folder
    QLabel* Panel11 = nullptr; // library folder
    QLabel* LabelBorder1 = nullptr; // screen width
    QLabel* LabelBorder2 = nullptr; // screen height
    QLabel* Panel5 = nullptr;  // colour depth
    QLabel* Panel13 = nullptr; // free space
    QLabel* Panel12 = nullptr; // total space
    QLabel* LabelBorder3 = nullptr; // processor
    QLabel* Panel16 = nullptr; // speed
    QLabel* LabelBorder4 = nullptr; // MMX
    QLabel* Panel14 = nullptr; // address space
    QLabel* Panel6 = nullptr;  // physical memory
    QLabel* Panel7 = nullptr;  // available memory
    QLabel* Panel8 = nullptr;  // memory load
    TQProgressBar* QProgressBar1 = nullptr; // "Libre"
    TQProgressBar* QProgressBar2 = nullptr; // "Occupé"
    TPictureButton* Image1 = nullptr;
    QTimer Timer1;

    const QString& measuredFolder() const { return folder_; }

    // Fills every row but the memory ones, and the gauges; measures the
    // processor's speed for half a second.
    void FormActivate();
    // Fills the four memory rows.
    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* addRow(int top, const QString& caption, const char* name);
    TQProgressBar* addGauge(int left, Colour finalColour, const char* name);

    SystemFacts& facts_;
    QString folder_;
};

} // namespace kel
