#include "shell/review/sketch_export_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "review/sketch_model.h"

namespace zendro {

SketchExportDialog::SketchExportDialog(SavePathChooser chooser, TargetCheck mayWrite,
                                       const QString& suggestedPath, QWidget* parent)
    : QDialog(parent), chooseSavePath_(std::move(chooser)), mayWrite_(std::move(mayWrite)) {
    setWindowTitle(tr("Export Sketch"));
    auto* form = new QFormLayout(this);

    file_ = new QLineEdit(suggestedPath, this);
    file_->setObjectName(QStringLiteral("SketchExportFile"));
    file_->setToolTip(tr("The sketch's file: .svg, .pdf or .png"));
    auto* browse = new QPushButton(tr("Browse..."), this);
    browse->setObjectName(QStringLiteral("SketchExportBrowse"));
    browse->setAutoDefault(false);  // Enter after choosing exports
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(file_);
    fileRow->addWidget(browse);
    form->addRow(tr("File"), fileRow);

    paper_ = new QComboBox(this);
    paper_->setObjectName(QStringLiteral("SketchExportPaper"));
    paper_->addItem(tr("Letter"), QVariant::fromValue(static_cast<int>(review::SheetPaper::Letter)));
    paper_->addItem(tr("Tabloid"), QVariant::fromValue(static_cast<int>(review::SheetPaper::Tabloid)));
    paper_->addItem(tr("A4"), QVariant::fromValue(static_cast<int>(review::SheetPaper::A4)));
    paper_->addItem(tr("A3"), QVariant::fromValue(static_cast<int>(review::SheetPaper::A3)));
    paper_->setCurrentIndex(2);
    paper_->setToolTip(tr("The paper of a PDF sketch; its orientation follows the job's shape"));
    form->addRow(tr("Paper"), paper_);

    fit_ = new QRadioButton(tr("Fit the job"), this);
    fit_->setObjectName(QStringLiteral("SketchExportFit"));
    fit_->setChecked(true);
    atScale_ = new QRadioButton(tr("Scale 1:"), this);
    atScale_->setObjectName(QStringLiteral("SketchExportAtScale"));
    scale_ = new QSpinBox(this);
    scale_->setObjectName(QStringLiteral("SketchExportScale"));
    scale_->setRange(1, 10'000'000);
    scale_->setValue(1000);
    scale_->setToolTip(tr("A distance on the ground is drawn 1/N of it long on paper"));
    auto* scaleRow = new QHBoxLayout;
    scaleRow->addWidget(fit_);
    scaleRow->addWidget(atScale_);
    scaleRow->addWidget(scale_);
    form->addRow(tr("Scale"), scaleRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    write_ = buttons->addButton(tr("Export"), QDialogButtonBox::AcceptRole);
    write_->setObjectName(QStringLiteral("SketchExportWrite"));
    write_->setDefault(true);
    form->addRow(buttons);

    connect(browse, &QPushButton::clicked, this, [this] { chooseFile(); });
    connect(file_, &QLineEdit::textChanged, this, [this] { fileChanged(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fileChanged();
}

QString SketchExportDialog::path() const { return file_->text().trimmed(); }

review::SketchExportOptions SketchExportDialog::options() const {
    review::SketchExportOptions options;
    options.paper = static_cast<review::SheetPaper>(paper_->currentData().toInt());
    if (atScale_->isChecked()) options.scaleDenominator = scale_->value();
    return options;
}

void SketchExportDialog::chooseFile() {
    const QString chosen =
        chooseSavePath_(tr("Export Sketch"), tr("Sketch (*.svg *.pdf *.png)"), path());
    if (chosen.isEmpty()) return;
    file_->setText(chosen);
    write_->setFocus();
}

void SketchExportDialog::accept() {
    if (mayWrite_ && !mayWrite_(path())) return;  // the user stays to choose again
    QDialog::accept();
}

void SketchExportDialog::fileChanged() {
    const std::string name = path().toStdString();
    write_->setEnabled(review::isSketchFileName(name));
    // Only a PDF has paper; the pictures are of a fixed size.
    paper_->setEnabled(review::sketchFileExtension(name) == "pdf");
}

}  // namespace zendro
