#include "windows/configure_form.h"

#include "platform/system_facts.h"
#include "widgets/picture_button.h"
#include "widgets/q_progress_bar.h"
#include "windows/form_parts.h"
#include "windows/system_texts.h"

#include <QDir>
#include <QLabel>

namespace kel {

namespace {

constexpr int kCaptionLeft = 64;
constexpr int kValueLeft = 206;

QLabel* valueField(QWidget& parent, QRect place, const char* name)
{
    auto* field = new QLabel(&parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(place);
    field->setTextFormat(Qt::PlainText);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    field->setStyleSheet(QStringLiteral("QLabel { background: white; color: black; border: 1px solid #808080; "
                                        "padding-right: 1px; }"));
    return field;
}

} // namespace

TConfigureForm::TConfigureForm(QWidget* parent, SystemFacts& facts)
    : TAuxiliaryForm("ConfigureForm", QStringLiteral(" Windows"), parent), facts_(facts), folder_(QDir::currentPath())
{
    setFixedDialogFrame(*this, QSize(572, 396));
    addBackgroundPicture(*this, QPoint(158, 70));
    Image1 = addClosingIcon(*this, QPoint(12, 12));

    Panel2 = addRow(20, QStringLiteral("Nom de l' utilisateur"), "Panel2");
    Panel3 = addRow(38, QStringLiteral("Nom de l' ordinateur"), "Panel3");
    Panel4 = addRow(56, QStringLiteral("Plateforme"), "Panel4");
    Panel10 = addRow(74, QStringLiteral("Version de Windows"), "Panel10");
    Panel9 = addRow(92, QStringLiteral("Répertoire de Windows"), "Panel9");
    Panel11 = addRow(110, QStringLiteral("Répertoire Système"), "Panel11");
    LabelBorder1 = addRow(134, QStringLiteral("Résolution horizontale"), "LabelBorder1");
    LabelBorder2 = addRow(152, QStringLiteral("Résolution verticale"), "LabelBorder2");
    Panel5 = addRow(170, QStringLiteral("Couleurs"), "Panel5");
    Panel13 = addRow(194, QStringLiteral("Espace libre"), "Panel13");
    Panel12 = addRow(212, QStringLiteral("Espace disque total"), "Panel12");
    addLabel(*this, QStringLiteral("Processeur"), QRect(kCaptionLeft, 236, 89, 13));
    LabelBorder3 = valueField(*this, QRect(168, 236, 209, 13), "LabelBorder3");
    Panel16 = addRow(254, QStringLiteral("Vitesse du processeur"), "Panel16");
    LabelBorder4 = addRow(272, QStringLiteral("Support MMX"), "LabelBorder4");
    Panel14 = addRow(296, QStringLiteral("Mémoire virtuelle"), "Panel14");
    Panel6 = addRow(314, QStringLiteral("Mémoire physique totale"), "Panel6");
    Panel7 = addRow(332, QStringLiteral("Mémoire disponible"), "Panel7");
    Panel8 = addRow(350, QStringLiteral("Mémoire utilisée"), "Panel8");

    addLabel(*this, QStringLiteral("Espace disque"), QRect(410, 20, 145, 13))->setAlignment(Qt::AlignHCenter);
    QProgressBar2 = addGauge(410, clRed, "QProgressBar2");
    QProgressBar1 = addGauge(490, clLime, "QProgressBar1");
    addLabel(*this, QStringLiteral("Occupé"), QRect(410, 350, 63, 13))->setAlignment(Qt::AlignHCenter);
    addLabel(*this, QStringLiteral("Libre"), QRect(490, 350, 63, 13))->setAlignment(Qt::AlignHCenter);

    connect(&Timer1, &QTimer::timeout, this, &TConfigureForm::Timer1Timer);
    Timer1.start(1000);
}

QLabel* TConfigureForm::addRow(int top, const QString& caption, const char* name)
{
    addLabel(*this, caption, QRect(kCaptionLeft, top, 128, 13));
    return valueField(*this, QRect(kValueLeft, top, 171, 13), name);
}

TQProgressBar* TConfigureForm::addGauge(int left, Colour finalColour, const char* name)
{
    auto* gauge = new TQProgressBar(this);
    gauge->setObjectName(QString::fromLatin1(name));
    gauge->setGeometry(left, 48, 63, 297);
    gauge->setOrientation(gauge::Orientation::Vertical);
    gauge->setBarKind(gauge::BarKind::Cylinder);
    gauge->setBarLook(gauge::BarLook::Glass);
    gauge->setShapeColor(clBtnFace);
    gauge->setBackgroundColor(clBtnFace);
    gauge->setBarColor(clRed);
    gauge->setStartColor(clRed);
    gauge->setFinalColor(finalColour);
    gauge->setBlockSize(15);
    gauge->setSpaceSize(4);
    gauge->setShowFullBlock(true);
    gauge->setPosition(20);
    return gauge;
}

void TConfigureForm::showEvent(QShowEvent* event)
{
    TAuxiliaryForm::showEvent(event);
    FormActivate();
}

void TConfigureForm::FormActivate()
{
    Panel2->setText(u' ' + facts_.userName());
    Panel3->setText(u' ' + facts_.computerName());
    // The distribution stands for the platform, the kernel's version for the system's.
    const OsFacts os = facts_.operatingSystem();
    Panel4->setText(u' ' + (os.name.isEmpty() ? os.kernel : os.name));

    const ScreenFacts screen = facts_.screen();
    Panel5->setText(u' ' + QString::number(screen.bitsPerPixel) + QStringLiteral(" bits"));
    LabelBorder1->setText(QString::number(screen.width) + QStringLiteral(" pixels"));
    LabelBorder2->setText(QString::number(screen.height) + QStringLiteral(" pixels"));

    Panel9->setText(u' ' + facts_.systemFolder());
    Panel11->setText(u' ' + facts_.libraryFolder());
    Panel10->setText(QStringLiteral(" Version n° %1.%2").arg(os.majorVersion).arg(os.minorVersion));

    const system_text::DiskRows disk = system_text::diskRows(facts_.diskSpace(folder_));
    Panel13->setText(disk.free);
    Panel12->setText(disk.total);

    LabelBorder3->setText(facts_.processorName());
    Panel16->setText(system_text::speed(facts_.measureProcessorSpeedMHz(500)));
    LabelBorder4->setText(facts_.hasMmx() ? QStringLiteral("Oui") : QStringLiteral("Non"));

    QProgressBar1->setPosition(disk.freePercent);
    QProgressBar2->setPosition(disk.usedPercent);
}

void TConfigureForm::Timer1Timer()
{
    const MemoryStatus memory = facts_.memory();
    Panel6->setText(system_text::megabytes(memory.totalPhysical));
    Panel7->setText(system_text::kilobytesGrouped(memory.availablePhysical));
    Panel8->setText(system_text::load(memory.loadPercent));
    Panel14->setText(system_text::megabytes(memory.totalVirtual));
}

} // namespace kel
