#pragma once
// The common ground of the operation pages: each owns the controls it builds
// on its page of the page area, knows its index there and reaches the
// document through its host. A page lives as long as its page widget.
#include "pages/page_host.h"

#include <QObject>

#include <functional>

class QWidget;

namespace kel {

class OperationPage : public QObject {
    Q_OBJECT
public:
    OperationPage(PageHost& host, QWidget* page, int index);

    QWidget* widget() const { return page_; }

protected:
    void showThisPage() { host_.navigation.showPage(index_); }
    void showPicturePage() { host_.navigation.showPage(0); }
    void focusStatusBar() { host_.navigation.focusStatusBar(); }
    ImageDocument& document() { return host_.document; }
    // Runs a control's handler as a command: an escaping error is shown in
    // the default error box and the program goes on. Answers false then.
    bool runHandler(const std::function<void()>& handler);

    PageHost& host_;
    QWidget* page_;
    const int index_;
};

} // namespace kel
