#include "app/program_form.h"

#include "app/application.h"
#include "app/artwork.h"
#include "app/command_table.h"
#include "app/commands/colour_commands.h"
#include "app/commands/document_commands.h"
#include "app/commands/view_commands.h"
#include "codecs/codec.h"
#include "operations/special/catalogue.h"
#include "pages/operation_pages.h"
#include "view/wheel_notches.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/border_label.h"
#include "widgets/gradient_panel.h"
#include "widgets/icon_list_box.h"
#include "widgets/picture_button.h"
#include "widgets/status_bar.h"
#include "widgets/track_bar.h"
#include "windows/view_form.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QStackedWidget>
#include <QWheelEvent>

namespace kel {

namespace {

QString captionOf(const CommandItem& item)
{
    return QString::fromUtf8(item.caption) + QString(item.trailingBlanks, u' ');
}

// Key names as the menus show them: "Maj+" for Shift.
QString shownShortcut(const char* portable)
{
    QString text = QKeySequence(QString::fromLatin1(portable), QKeySequence::PortableText)
                       .toString(QKeySequence::PortableText);
    return text.replace(QStringLiteral("Shift+"), QStringLiteral("Maj+"));
}

QLabel* label(QWidget* parent, int left, int top, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->move(left, top);
    l->adjustSize();
    return l;
}

QLabel* valueLabel(QWidget* parent, int left, int top)
{
    auto* l = new QLabel(QStringLiteral("0"), parent);
    l->setGeometry(left, top, 45, 13);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

TTrackBar* trackBar(QWidget* parent, int top, int minimum, int maximum, int position)
{
    auto* bar = new TTrackBar(parent);
    bar->setGeometry(838, top, 153, 41);
    bar->setRange(minimum, maximum);
    bar->setPosition(position);
    bar->setFrequency(51);
    bar->setLineSize(10);
    bar->setLabelInterval(255);
    return bar;
}

TLabelBorder* frame(QWidget* parent, const QRect& place)
{
    auto* border = new TLabelBorder(parent);
    border->setGeometry(place);
    return border;
}

// The local file a drop carries, when it is one file whose extension a
// reader claims; empty otherwise.
QString droppedPictureFile(const QMimeData& data)
{
    const QList<QUrl> urls = data.urls();
    if (urls.size() != 1 || !urls.first().isLocalFile()) return {};
    const QFileInfo file(urls.first().toLocalFile());
    if (!file.isFile() || !codecs::readerFor(file.suffix())) return {};
    return file.absoluteFilePath();
}

} // namespace

TProgramForm::TProgramForm(Services& services, QWidget* parent)
    : QMainWindow(parent), services_(services), runner_(services.dialogs)
{
    setObjectName(QStringLiteral("ProgramForm"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QFont formFont(QStringLiteral("Liberation Sans"));
    formFont.setPixelSize(11);
    setFont(formFont);

    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);
    buildLayout(client);
    controls_ = MainControls{this, Image1, ImageCIBLE, ListBox1, Notebook1, EStatusBar1, LabelCURSOR, nullptr,
                             ImageCOLOR, TrackBarROUGE, TrackBarVERT, TrackBarBLEU, TrackBarLUMINOSITE,
                             TrackBarCONTRASTE, TrackBarSATURATION, LabelROUGE, LabelVERT, LabelBLEU,
                             LabelLUMINOSITE, LabelCONTRASTE, LabelSATURATION,
                             [this]() -> TViewForm& { return ViewForm(); }};
    document_ = std::make_unique<ImageDocument>(*Image1, ImageCIBLE->Picture(),
                                                [this](const QString& text) { EStatusBar1->setCaption(text); });
    pages_ = std::make_unique<OperationPages>(
        PageHost{*document_, services_, picked_, openDialog_,
                 PageNavigation{[this](int index) { Notebook1->setCurrentIndex(index); },
                                [this] { controls_.focusStatusBar(); }}},
        Notebook1);
    picked_.publish = [this](const PickedColour& colour) { pages_->publish(colour); };
    context_ = std::make_unique<CommandContext>(
        CommandContext{*document_, services_, controls_, openDialog_, picked_, *pages_});
    buildMenus();
    controls_.imageMenu = PopupMenu2;
    wireEvents();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setAcceptDrops(true);
    qApp->installEventFilter(this);
}

TProgramForm::~TProgramForm() = default;

void TProgramForm::openFile(const QString& fileName)
{
    runEvent([this, fileName] { commands::openPictureFile(*context_, fileName); });
}

void TProgramForm::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

// Refused drops leave the pointer showing that nothing would happen.
void TProgramForm::dragMoveEvent(QDragMoveEvent* event)
{
    if (droppedPictureFile(*event->mimeData()).isEmpty()) event->ignore();
    else event->acceptProposedAction();
}

void TProgramForm::dropEvent(QDropEvent* event)
{
    const QString file = droppedPictureFile(*event->mimeData());
    if (file.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    openFile(file);
}

void TProgramForm::buildLayout(QWidget* client)
{
    GPanel1 = new TGPanel(client);
    GPanel1->setGeometry(0, 0, kClientWidth, 32);
    GPanel1->setColor_1(clWhite);
    GPanel1->setColor_2(clBtnFace);
    GPanel1->setBevelInner(Bevel::Raised);
    GPanel1->setBevelOuter(Bevel::Lowered);
    buildToolbar();
    buildLeftColumn(client);
    buildPages(client);
    buildRightColumn(client);

    EStatusBar1 = new TEStatusBar(client);
    EStatusBar1->setGeometry(0, 686, kClientWidth, 20);
    EStatusBar1->setFocusPolicy(Qt::ClickFocus);
    EStatusBar1->setSectMainBevel(SectionBevel::sbNone);
    EStatusBar1->setSectDateBevel(SectionBevel::sbNone);
    EStatusBar1->setSectTimeBevel(SectionBevel::sbNone);
    EStatusBar1->setAlignDate(Qt::LeftEdge);
    EStatusBar1->setAlignTime(Qt::RightEdge);
    EStatusBar1->setWidthDate(105);
    EStatusBar1->setWidthTime(100);
    EStatusBar1->setCaption(QStringLiteral(" "));
    EStatusBar1->setEnabled(true);
}

void TProgramForm::buildToolbar()
{
    for (const ToolbarButtonDefinition& definition : toolbarButtons()) {
        const QString name = QString::fromLatin1(definition.name);
        auto* button = new TPictureButton(toolbarPicture(name), GPanel1);
        button->setObjectName(name);
        button->setGeometry(definition.left, 4, 22, 22);
        button->setCursor(definition.handCursor ? Qt::PointingHandCursor : Qt::ArrowCursor);
        button->setTransparent(name != QLatin1String("Image9"));
        const Handler handler = definition.handler;
        button->OnClick = [this, handler] { runCommand(handler); };
    }
}

void TProgramForm::buildLeftColumn(QWidget* client)
{
    LabelBorder3 = frame(client, QRect(10, 40, 169, 169));
    ImageCIBLE = new TImageAdapter(client);
    ImageCIBLE->setGeometry(16, 46, 157, 157);

    ListBox1 = new TIconListBox(client);
    ListBox1->setGeometry(10, 216, 169, 465);
    ListBox1->setItemHeight(16);
    QPalette white = ListBox1->palette();
    white.setColor(QPalette::Base, Qt::white);
    ListBox1->setPalette(white);
    int index = 0;
    for (const SpecialEffect& effect : specialEffects())
        ListBox1->addEntry(QString::fromLatin1(effect.caption), specialEffectIcon(index++));
}

void TProgramForm::buildPages(QWidget* client)
{
    LabelBorder1 = frame(client, QRect(184, 40, 641, 641));
    Notebook1 = new QStackedWidget(client);
    Notebook1->setGeometry(190, 46, 629, 629);
    const char* captions[] = {"Images", "Dimensions", "Selections", "Cadres",
                              "Fusions", "Remplissage", "Textes", "Inclinaison"};
    for (const char* caption : captions) {
        auto* page = new QWidget(Notebook1);
        page->setObjectName(QString::fromLatin1(caption));
        Notebook1->addWidget(page);
    }

    ScrollBox2 = new QScrollArea(Notebook1->widget(0));
    ScrollBox2->setGeometry(0, 0, 629, 629);
    ScrollBox2->setFrameShape(QFrame::NoFrame);
    ScrollBox2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* imageArea = new QWidget;
    imageArea->setFixedSize(629, 629);
    ScrollBox2->setWidget(imageArea);
    Image1 = new TImageColorizer(imageArea);
    Image1->setGeometry(6, 6, 617, 617);
    Image1->setCenter(true);
    Image1->setProportional(true);

    Notebook1->setCurrentIndex(0);
}

void TProgramForm::buildRightColumn(QWidget* client)
{
    LabelBorder2 = frame(client, QRect(830, 40, 169, 641));

    Label19 = label(client, 846, 52, QStringLiteral("Rouge"));
    LabelROUGE = valueLabel(client, 936, 52);
    TrackBarROUGE = trackBar(client, 71, 0, 255, 255);
    Label20 = label(client, 846, 124, QStringLiteral("Vert"));
    LabelVERT = valueLabel(client, 936, 124);
    TrackBarVERT = trackBar(client, 143, 0, 255, 255);
    Label21 = label(client, 846, 196, QStringLiteral("Bleu"));
    LabelBLEU = valueLabel(client, 936, 196);
    TrackBarBLEU = trackBar(client, 215, 0, 255, 255);

    ImageCOLOR = new TImageAdapter(client);
    ImageCOLOR->setGeometry(836, 272, 157, 157);
    ImageCOLOR->setAutoSize(true);
    const Bitmap swatch = colourSwatch();
    ImageCOLOR->Picture().assign(&swatch);
    PopupMenuColor = new QMenu(this);
    PopupMenuColor->setObjectName(QStringLiteral("PopupMenuColor"));

    Label2 = label(client, 846, 444, QString::fromUtf8("Luminosité"));
    LabelLUMINOSITE = valueLabel(client, 936, 444);
    TrackBarLUMINOSITE = trackBar(client, 463, -255, 255, 0);
    Label3 = label(client, 846, 516, QStringLiteral("Contraste"));
    LabelCONTRASTE = valueLabel(client, 936, 516);
    TrackBarCONTRASTE = trackBar(client, 535, -255, 255, 0);
    Label5 = label(client, 846, 588, QStringLiteral("Saturation"));
    LabelSATURATION = valueLabel(client, 936, 588);
    TrackBarSATURATION = trackBar(client, 607, -255, 255, 0);

    LabelCURSOR = new QLabel(client);
    LabelCURSOR->setGeometry(838, 656, 153, 13);
    LabelCURSOR->setAlignment(Qt::AlignCenter);

    ImageICO = new TImageAdapter(client);
    ImageICO->setGeometry(1122, 160, 32, 32);
    ImageICO->setVisible(false);
}

void TProgramForm::buildMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    auto addItems = [this](QMenu* menu, std::span<const CommandItem> items, bool keysActive) {
        for (const CommandItem& item : items) {
            if (!item.name) {
                menu->addSeparator();
                continue;
            }
            // The text after the tab is what the menu shows as the shortcut.
            QString text = captionOf(item);
            if (item.shortcut) text += u'\t' + shownShortcut(item.shortcut);
            QAction* action = menu->addAction(text);
            action->setObjectName(QString::fromLatin1(item.name));
            if (keysActive && item.shortcut)
                action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut), QKeySequence::PortableText));
            const Handler handler = item.handler;
            connect(action, &QAction::triggered, this, [this, handler] { runCommand(handler); });
        }
    };
    for (const MenuDefinition& definition : mainMenus()) {
        QMenu* menu = bar->addMenu(QString::fromUtf8(definition.title));
        menu->setObjectName(QString::fromLatin1(definition.name));
        addItems(menu, definition.items, true);
    }
    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    addItems(PopupMenu2, imageContextMenu(), false);
}

void TProgramForm::wireEvents()
{
    auto on = [this](const char* name) { return [this, handler = handlerNamed(name)] { runCommand(handler); }; };
    Image1->OnContextPopup = [this](const QPoint&) { runCommand("Image1ContextPopup"); };
    Image1->OnDblClick = on("Image1DblClick");
    Image1->OnMouseMove = [this](const MouseArgs& args) { runEvent([&] { showPointerPosition(args); }); };
    Image1->OnMouseExit = [this] { LabelCURSOR->clear(); };
    ImageCIBLE->OnClick = on("ImageCIBLEClick");
    ImageCOLOR->OnClick = on("ImageCOLORClick");
    ImageCOLOR->OnMouseMove = [this](const MouseArgs& args) {
        runEvent([&] { commands::pickPaletteColour(*context_, args.x, args.y); });
    };
    ImageCOLOR->OnMouseExit = [this] { LabelCURSOR->clear(); };
    ImageCOLOR->OnContextPopup = [this](const QPoint& point) {
        runCommand("PopupMenuColorPopup");
        if (!PopupMenuColor->isEmpty()) PopupMenuColor->popup(ImageCOLOR->mapToGlobal(point));
    };
    ListBox1->OnClick = on("ListBox1Click");

    // Each track bar hands the focus to the status bar as soon as it gets it.
    for (TTrackBar* bar : {TrackBarROUGE, TrackBarVERT, TrackBarBLEU, TrackBarLUMINOSITE, TrackBarCONTRASTE,
                           TrackBarSATURATION})
        bar->OnEnter = [this] { controls_.focusStatusBar(); };
    for (TTrackBar* bar : {TrackBarROUGE, TrackBarVERT, TrackBarBLEU}) bar->OnChange = on("TrackBarROUGEChange");
    TrackBarLUMINOSITE->OnChange = on("TrackBarLUMINOSITEChange");
    TrackBarCONTRASTE->OnChange = on("TrackBarCONTRASTEChange");
    TrackBarSATURATION->OnChange = on("TrackBarSATURATIONChange");
}

void TProgramForm::showPointerPosition(const MouseArgs& args)
{
    LabelCURSOR->setText(QString::number(args.x) + QStringLiteral(" x ") + QString::number(args.y));
}

void TProgramForm::runCommand(Handler handler)
{
    if (handler) runner_.run([this, handler] { handler(*context_); });
}

void TProgramForm::runCommand(std::string_view name) { runCommand(handlerNamed(name)); }

void TProgramForm::runEvent(const std::function<void()>& handler) { runner_.run(handler); }

TViewForm& TProgramForm::ViewForm()
{
    if (!viewForm_) viewForm_ = new TViewForm(this);
    return *viewForm_;
}

QAction* TProgramForm::menuItem(const QString& name) const { return findChild<QAction*>(name); }

TPictureButton* TProgramForm::toolbarButton(const QString& name) const
{
    return GPanel1->findChild<TPictureButton*>(name);
}

Answer TProgramForm::CenteredMessageDlg(const QString& text, MessageKind kind)
{
    return services_.dialogs.message(kind, text);
}

QPoint TProgramForm::contextMenuAnchor() const { return commands::imageMenuAnchor(*Image1); }

// Wheel turns over the window move the keyboard focus to the status bar and
// zoom the view, whichever control had the focus, so that the arrow keys
// never act on a control left focused. Only the special-effects list scrolls
// when the wheel turns over it.
bool TProgramForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Wheel) return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this) return false;
    if (widget == ListBox1 || ListBox1->isAncestorOf(widget)) return false;
    // Whole notches only: fine-grained wheels send many small steps per notch.
    const int notches = wheelNotches(wheelRemainder_, static_cast<QWheelEvent*>(event)->angleDelta().y());
    for (int i = 0; i < -notches; ++i) runCommand("FormMouseWheelDown");
    for (int i = 0; i < notches; ++i) runCommand("FormMouseWheelUp");
    return true;
}

} // namespace kel
