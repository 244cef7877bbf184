#pragma once
// The common ground of the operation pages: each owns the controls it builds
// on its page of the page area, knows its index there and reaches the
// document through its host. A page lives as long as its page widget.
#include "pages/page_host.h"

#include <QObject>

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

    PageHost& host_;
    QWidget* page_;
    const int index_;
};

} // namespace kel
