#pragma once
// The random walk over the main window: every command of the command table
// (menus, context menu, toolbar, events) and their keys, the F keys, the
// special-effects list, the six track bars, whatever controls the current
// operation page holds, the view, the palette, the wheel and the zoom
// window, over pictures of random sizes and pixel formats. Modal windows a
// step opens are played with and closed by a timer.
#include "soak/picture_pool.h"
#include "soak/random_dialogs.h"
#include "soak/soak_random.h"
#include "support/fake_services.h"

#include <QPoint>
#include <QString>
#include <QTimer>

#include <functional>
#include <vector>

class QWidget;

namespace kel {

class TProgramForm;

namespace soak {

// The platform stand-ins with the random dialogs in front.
struct SoakServices {
    explicit SoakServices(RandomDialogs& dialogs)
        : dialogs(dialogs), services{dialogs, fakes.clipboard, fakes.desktop, fakes.printing, fakes.scanner, fakes.system}
    {
    }
    RandomDialogs& dialogs;
    test::FakeServices fakes; // all but its dialogs
    Services services;
};

class Monkey {
public:
    Monkey(TProgramForm& form, SoakServices& services, Random& random, int maxSide);

    // Runs one random action; answers what it did.
    QString step();
    // Leaves a small known state for measuring memory: a 1 x 1 picture as
    // opened, the picture page, nothing held by the stand-ins.
    QString settleSmall();
    int commandCount() const { return int(commands_.size()); }

private:
    struct Action {
        QString name;
        std::function<void()> run;
    };

    void buildCommands();
    QString runCommand();
    QString pressKey();
    QString clickEffect();
    QString moveTrackBar();
    QString usePage();
    QString useView();
    QString usePalette();
    QString turnWheel(QWidget* target);
    QString newPicture();
    QString openFromPool();
    QString answerPopup();
    QString typeInto(QWidget* edit);
    QString drag(QWidget* target);
    void openAsFile(const Bitmap& picture);
    void playWithModal();
    void feedScanner();
    QPoint anywhere(QWidget* widget);

    TProgramForm& form_;
    SoakServices& services_;
    Random& random_;
    int maxSide_;
    std::vector<Action> commands_;
    QTimer modalCloser_;
    int scansQueued_ = 0;
};

} // namespace soak
} // namespace kel
