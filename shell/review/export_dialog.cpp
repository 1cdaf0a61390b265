#include "shell/review/export_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace zendro {
namespace {

using exports::ExportFormat;

constexpr std::array kFormats{ExportFormat::Csv, ExportFormat::LandXml,
                              ExportFormat::Dxf, ExportFormat::GeoPackage,
                              ExportFormat::Kml, ExportFormat::GeoJson};

struct Delimiter {
    const char* caption;
    char byte;
};
constexpr std::array kDelimiters{Delimiter{"Comma", ','}, Delimiter{"Semicolon", ';'},
                                 Delimiter{"Tab", '\t'}, Delimiter{"Space", ' '}};

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString extensionOf(ExportFormat format) { return latin1(exports::formatExtension(format)); }

// `path` with the extension of `format`: an export format's extension is
// replaced, any other name gets the extension added.
QString withExtension(const QString& path, ExportFormat format) {
    const QFileInfo file(path);
    const QString suffix = file.suffix().toLower();
    const bool anExportsOwn = std::ranges::any_of(
        kFormats, [&suffix](ExportFormat each) { return extensionOf(each) == suffix; });
    const QString base = anExportsOwn ? path.left(path.size() - suffix.size() - 1) : path;
    return base + QLatin1Char('.') + extensionOf(format);
}

}  // namespace

ExportDialog::ExportDialog(const ExportChoices& initial, SavePathChooser chooser,
                           TargetCheck mayWrite, QString jobBase, QWidget* parent)
    : QDialog(parent),
      chooseSavePath_(std::move(chooser)),
      mayWrite_(std::move(mayWrite)),
      jobBase_(std::move(jobBase)) {
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(tr("Export"));
    format_ = new QComboBox(this);
    format_->setObjectName(QStringLiteral("ExportFormat"));
    for (ExportFormat format : kFormats)
        format_->addItem(latin1(exports::formatName(format)), static_cast<int>(format));
    columns_ = new QLineEdit(initial.csvColumns, this);
    columns_->setObjectName(QStringLiteral("ExportColumns"));
    columns_->setToolTip(tr("P point, N northing, E easting, Z elevation, D description"));
    delimiter_ = new QComboBox(this);
    delimiter_->setObjectName(QStringLiteral("ExportDelimiter"));
    for (const Delimiter& d : kDelimiters) {
        delimiter_->addItem(tr(d.caption), QChar::fromLatin1(d.byte));
        if (d.byte == initial.csvDelimiter) delimiter_->setCurrentIndex(delimiter_->count() - 1);
    }
    header_ = new QCheckBox(tr("Header lines"), this);
    header_->setObjectName(QStringLiteral("ExportHeader"));
    header_->setChecked(initial.csvHeader);
    // The job's own name until another is chosen: Enter exports at once.
    file_ = new QLineEdit(
        initial.path.isEmpty() ? withExtension(jobBase_, initial.format) : initial.path, this);
    file_->setObjectName(QStringLiteral("ExportFile"));
    file_->setToolTip(tr("The file to write; its extension follows the format"));
    auto* chooseButton = new QPushButton(tr("Choose..."), this);
    chooseButton->setObjectName(QStringLiteral("ExportChooseFile"));
    // Enter after choosing the file exports rather than choosing again.
    chooseButton->setAutoDefault(false);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_, 1);
    fileRow->addWidget(chooseButton);

    auto* form = new QFormLayout;
    form->addRow(tr("Format"), format_);
    form->addRow(tr("CSV columns"), columns_);
    form->addRow(tr("CSV delimiter"), delimiter_);
    form->addRow(QString(), header_);
    form->addRow(tr("File"), fileRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    write_ = buttons->addButton(tr("Export"), QDialogButtonBox::AcceptRole);
    write_->setObjectName(QStringLiteral("ExportWrite"));
    write_->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    format_->setCurrentIndex(format_->findData(static_cast<int>(initial.format)));
    formatChanged();
    connect(format_, &QComboBox::currentIndexChanged, this, [this] { formatChanged(); });
    connect(chooseButton, &QPushButton::clicked, this, [this] { chooseFile(); });
    connect(file_, &QLineEdit::textChanged, this,
            [this](const QString& text) { write_->setEnabled(!text.isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void ExportDialog::formatChanged() {
    const ExportFormat format = choices().format;
    // A LandXML file named .csv would be taken for the CSV it replaced.
    if (!file_->text().isEmpty()) file_->setText(withExtension(file_->text(), format));
    const bool csv = format == ExportFormat::Csv;
    for (QWidget* option : std::initializer_list<QWidget*>{columns_, delimiter_, header_})
        option->setEnabled(csv);
    write_->setEnabled(!file_->text().isEmpty());
}

void ExportDialog::chooseFile() {
    const ExportFormat format = choices().format;
    const QString extension = latin1(exports::formatExtension(format));
    const QString chosen =
        chooseSavePath_(tr("Export"), tr("%1 (*.%2)").arg(format_->currentText(), extension),
                        jobBase_ + QLatin1Char('.') + extension);
    if (chosen.isEmpty()) return;
    file_->setText(withExtension(chosen, format));
    write_->setFocus();
}

void ExportDialog::accept() {
    if (mayWrite_ && !mayWrite_(file_->text())) return;  // the user stays to choose again
    QDialog::accept();
}

ExportChoices ExportDialog::choices() const {
    ExportChoices chosen;
    chosen.format = static_cast<ExportFormat>(format_->currentData().toInt());
    chosen.path = file_->text();
    chosen.csvColumns = columns_->text();
    chosen.csvDelimiter = delimiter_->currentData().toChar().toLatin1();
    chosen.csvHeader = header_->isChecked();
    return chosen;
}

}  // namespace zendro
