#include "windows/view_form.h"

#include "view/wheel_notches.h"
#include "view/zoom_steps.h"
#include "view/image_adapter.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWheelEvent>

namespace kel {

namespace {

constexpr int kMargin = 10;

QRect screenRect(const QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 716, 472);
}

} // namespace

TViewForm::TViewForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("ViewForm"));
    setWindowTitle(QStringLiteral(" Zooms"));
    setModal(true);
    resize(716, 472);
    Image1 = new TImageAdapter(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->OnDblClick = [this] { Image1DblClick(); };
    Image1->installEventFilter(this);
}

void TViewForm::FormActivate()
{
    const QRect screen = screenRect(*this);
    if (geometry() != screen) setGeometry(screen);
    Image1->resize(screen.width() - 2 * kMargin, screen.height() - 2 * kMargin);
}

void TViewForm::centreImage()
{
    Image1->move((width() - Image1->width()) / 2, (height() - Image1->height()) / 2);
    FormActivate();
}

void TViewForm::FormMouseWheelDown() { Image1->setZoomX(zoom::wheelTowardsUser(Image1->ZoomX())); }

void TViewForm::FormMouseWheelUp() { Image1->setZoomX(zoom::zoomNegative(Image1->ZoomX())); }

void TViewForm::Image1DblClick() { Image1->setZoomX(zoom::kNormal); }

void TViewForm::PopupMenu1Popup() { close(); }

void TViewForm::FormClose() { Image1->Picture().clear(); }

void TViewForm::done(int result)
{
    FormClose();
    wheelRemainder_ = 0;
    QDialog::done(result);
}

void TViewForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
    centreImage();
}

void TViewForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void TViewForm::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    centreImage();
}

void TViewForm::wheelEvent(QWheelEvent* event) { turnWheel(event); }

bool TViewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Image1 || event->type() != QEvent::Wheel) return QDialog::eventFilter(watched, event);
    turnWheel(static_cast<QWheelEvent*>(event));
    return true;
}

void TViewForm::turnWheel(QWheelEvent* event)
{
    const int notches = wheelNotches(wheelRemainder_, event->angleDelta().y());
    for (int i = 0; i < -notches; ++i) FormMouseWheelDown();
    for (int i = 0; i < notches; ++i) FormMouseWheelUp();
    event->accept();
}

void TViewForm::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    PopupMenu1Popup();
}

} // namespace kel
