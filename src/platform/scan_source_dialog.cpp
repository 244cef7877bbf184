#include "platform/scan_source_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kel {

namespace {

// The kinds of device SANE names, in French; others are shown as the source gives them.
QString frenchKind(const QString& kind)
{
    static const std::pair<const char*, const char*> kinds[] = {
        {"flatbed scanner", "scanner à plat"},
        {"sheetfed scanner", "scanner à défilement"},
        {"handheld scanner", "scanner à main"},
        {"film scanner", "scanner de films"},
        {"multi-function peripheral", "périphérique multifonction"},
        {"still camera", "appareil photo"},
        {"video camera", "caméra vidéo"},
        {"virtual device", "périphérique virtuel"},
    };
    for (const auto& [english, french] : kinds)
        if (kind.compare(QLatin1String(english), Qt::CaseInsensitive) == 0) return QString::fromUtf8(french);
    return kind;
}

} // namespace

QString sourceCaption(const ScanSource& source)
{
    QString caption = source.model.isEmpty() ? source.name : source.model;
    if (!source.vendor.isEmpty()) caption += QStringLiteral(" — ") + source.vendor;
    if (!source.type.isEmpty()) caption += QStringLiteral(" (") + frenchKind(source.type) + u')';
    return caption;
}

ScanSourceDialog::ScanSourceDialog(std::vector<ScanSource> sources, QWidget* parent)
    : QDialog(parent), sources_(std::move(sources))
{
    setWindowTitle(QStringLiteral("Sélectionner la source"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(sources_.empty() ? QStringLiteral("Aucune source n' a été trouvée.")
                                                  : QStringLiteral("Sources :"),
                                 this));
    list_ = new QListWidget(this);
    QStringList captions;
    for (const ScanSource& source : sources_) captions << sourceCaption(source);
    for (std::size_t i = 0; i < sources_.size(); ++i) {
        // Two devices of the same model are told apart by their names.
        QString caption = captions[qsizetype(i)];
        if (captions.count(caption) > 1) caption += QStringLiteral(" — ") + sources_[i].name;
        new QListWidgetItem(caption, list_);
    }
    list_->setCurrentRow(0);
    list_->setMinimumWidth(380);
    layout->addWidget(list_);

    auto* buttons = new QDialogButtonBox(this);
    select_ = buttons->addButton(QStringLiteral("Sélectionner"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    select_->setDefault(true);
    select_->setEnabled(!sources_.empty());
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

std::optional<QString> ScanSourceDialog::chosen() const
{
    const int row = list_->currentRow();
    if (row < 0 || row >= int(sources_.size())) return std::nullopt;
    return sources_[std::size_t(row)].name;
}

std::optional<QString> chooseScanSource(const std::vector<ScanSource>& sources, QWidget* parent)
{
    ScanSourceDialog dialog(sources, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosen();
}

} // namespace kel
