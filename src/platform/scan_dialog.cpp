#include "platform/scan_dialog.h"

#include "graphics/errors.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>


namespace kel {

namespace {

bool isAreaSetting(const QString& name)
{
    return name == u"tl-x" || name == u"tl-y" || name == u"br-x" || name == u"br-y";
}

QWidget* makeEditor(const ScanOption& option, QWidget* parent)
{
    if (!option.choices.isEmpty()) {
        auto* box = new QComboBox(parent);
        for (const QString& choice : option.choices) box->addItem(frenchScanText(choice), choice);
        return box;
    }
    auto* spin = new QDoubleSpinBox(parent);
    spin->setKeyboardTracking(false); // one change when the typing is done, not one per key
    spin->setDecimals(option.step >= 1 ? 0 : 1);
    if (option.unit == u"dpi") spin->setSuffix(QStringLiteral(" ppp"));
    if (option.unit == u"mm") spin->setSuffix(QStringLiteral(" mm"));
    return spin;
}

void showValue(QWidget* editor, const ScanOption& option)
{
    const QSignalBlocker quiet(editor);
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        box->setCurrentIndex(box->findData(option.value));
    } else if (auto* spin = qobject_cast<QDoubleSpinBox*>(editor)) {
        spin->setRange(option.minimum, option.maximum);
        spin->setSingleStep(option.step > 0 ? option.step : 1);
        spin->setValue(option.value.toDouble());
    }
}

} // namespace

QString frenchScanText(const QString& text)
{
    static const std::pair<const char*, const char*> texts[] = {
        {"source", "Source"},
        {"mode", "Mode"},
        {"resolution", "Résolution"},
        {"tl-x", "Gauche"},
        {"tl-y", "Haut"},
        {"br-x", "Droite"},
        {"br-y", "Bas"},
        {"Flatbed", "Vitre"},
        {"Automatic Document Feeder", "Chargeur de documents"},
        {"ADF", "Chargeur de documents"},
        {"Transparency Adapter", "Adaptateur de transparents"},
        {"Lineart", "Noir et blanc"},
        {"Halftone", "Tramé"},
        {"Gray", "Niveaux de gris"},
        {"Color", "Couleur"},
    };
    for (const auto& [english, french] : texts)
        if (text == QLatin1String(english)) return QString::fromUtf8(french);
    return text;
}

ScanDialog::ScanDialog(Scanner& scanner, QString source, QWidget* parent)
    : QDialog(parent), scanner_(scanner), source_(std::move(source))
{
    setWindowTitle(QStringLiteral("Numérisation — %1").arg(source_));
    auto* layout = new QVBoxLayout(this);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->setValue(0);
    layout->addWidget(progress_);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    layout->addWidget(status_);

    auto* buttons = new QDialogButtonBox(this);
    scanButton_ = buttons->addButton(QStringLiteral("Numériser"), QDialogButtonBox::ActionRole);
    scanButton_->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(scanButton_, &QPushButton::clicked, this, &ScanDialog::scan);
    connect(cancel, &QPushButton::clicked, this, &ScanDialog::reject);
    buildControls();
    setMinimumWidth(360);
}

QString ScanDialog::statusText() const { return status_->text(); }

void ScanDialog::buildControls()
{
    std::vector<ScanOption> options;
    try {
        options = scanner_.options(source_);
    } catch (const Error& error) {
        status_->setText(error.text());
    }
    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    QFormLayout* area = nullptr;
    shownNames_.clear();
    for (const ScanOption& option : options) {
        QWidget* editor = makeEditor(option, panel);
        editor->setObjectName(option.name);
        showValue(editor, option);
        const QString name = option.name;
        if (auto* box = qobject_cast<QComboBox*>(editor))
            connect(box, &QComboBox::currentIndexChanged, this,
                    [this, box, name] { change(name, box->currentData().toString()); });
        else if (auto* spin = qobject_cast<QDoubleSpinBox*>(editor))
            connect(spin, &QDoubleSpinBox::valueChanged, this,
                    [this, name](double value) { change(name, QString::number(value)); });
        const QString label = frenchScanText(option.name) + QStringLiteral(" :");
        if (isAreaSetting(option.name)) {
            if (!area) {
                auto* group = new QGroupBox(QStringLiteral("Zone de numérisation"), panel);
                area = new QFormLayout(group);
                form->addRow(group);
            }
            area->addRow(label, editor);
        } else {
            form->addRow(label, editor);
        }
        shownNames_.push_back(option.name);
    }
    if (options.empty()) form->addRow(new QLabel(QStringLiteral("Cette source n' offre aucun réglage."), panel));

    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    if (controls_) {
        // The old controls may be the sender of the change that rebuilds them.
        layout->replaceWidget(controls_, panel);
        controls_->hide();
        controls_->deleteLater();
    } else {
        layout->insertWidget(0, panel);
    }
    controls_ = panel;
}

void ScanDialog::showValues(const std::vector<ScanOption>& options)
{
    for (const ScanOption& option : options)
        if (QWidget* editor = controls_->findChild<QWidget*>(option.name)) showValue(editor, option);
}

void ScanDialog::change(const QString& name, const QString& value)
{
    status_->clear();
    std::vector<ScanOption> now;
    try {
        scanner_.setOption(source_, name, value);
    } catch (const Error& error) {
        status_->setText(error.text());
    }
    try {
        now = scanner_.options(source_);
    } catch (const Error& error) {
        status_->setText(error.text());
        return;
    }
    // A change may round the value or make other settings appear or go.
    std::vector<QString> names;
    for (const ScanOption& option : now) names.push_back(option.name);
    if (names == shownNames_)
        showValues(now);
    else
        buildControls();
}

bool ScanDialog::reportProgress(int percent)
{
    if (percent < 0) {
        progress_->setRange(0, 0); // length unknown: a busy bar
    } else {
        progress_->setRange(0, 100);
        progress_->setValue(percent);
    }
    QCoreApplication::processEvents();
    return !cancelRequested_;
}

void ScanDialog::scan()
{
    if (scanning_) return;
    scanning_ = true;
    cancelRequested_ = false;
    controls_->setEnabled(false);
    scanButton_->setEnabled(false);
    status_->setText(QStringLiteral("Numérisation en cours..."));
    progress_->setRange(0, 100);
    progress_->setValue(0);
    std::optional<Bitmap> scanned;
    QString failure;
    try {
        scanned = scanner_.acquire(source_, [this](int percent) { return reportProgress(percent); });
    } catch (const Error& error) {
        failure = error.text();
    }
    scanning_ = false;
    controls_->setEnabled(true);
    scanButton_->setEnabled(true);
    progress_->setRange(0, 100);
    if (scanned) {
        picture_ = std::move(scanned);
        progress_->setValue(100);
        status_->clear();
        accept();
        return;
    }
    progress_->setValue(0);
    status_->setText(!failure.isEmpty()    ? failure
                     : cancelRequested_ ? QStringLiteral("La numérisation a été annulée.")
                                        : QStringLiteral("La source n' a livré aucune image."));
}

void ScanDialog::reject()
{
    if (scanning_) {
        cancelRequested_ = true;
        return;
    }
    QDialog::reject();
}

std::optional<Bitmap> runScanDialog(Scanner& scanner, const QString& source, QWidget* parent)
{
    ScanDialog dialog(scanner, source, parent);
    dialog.exec();
    return dialog.takePicture();
}

} // namespace kel
