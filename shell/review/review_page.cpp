#include "shell/review/review_page.h"

#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

#include "common/file_io.h"
#include "review/sketch_model.h"
#include "review_view/sketch_export.h"
#include "shell/review/sketch_widget.h"
#include "shell/shell_dialogs.h"

namespace zendro {
namespace {

constexpr int kPointRole = Qt::UserRole;  // the finding's point number, when it has one

QString qtText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
std::string fileText(const QString& text) { return text.toLatin1().toStdString(); }

QString defaultSaveChooser(const QString& caption, const QString& filter,
                           const QString& suggested) {
    return QFileDialog::getSaveFileName(nullptr, caption, suggested, filter);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(QString::fromLatin1(name));
    return made;
}

}  // namespace

ReviewPage::ReviewPage(ShellDialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), chooseSavePath_(defaultSaveChooser) {
    buildControls();
    setLimits(review::defaultLimits(false));
}

QDoubleSpinBox* ReviewPage::limitField(const char* name, double maximum, int decimals) {
    auto* field = new QDoubleSpinBox(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setRange(0, maximum);
    field->setDecimals(decimals);
    return field;
}

void ReviewPage::buildControls() {
    setObjectName(QStringLiteral("ReviewPage"));
    sketch_ = new SketchWidget(this);
    sketch_->setObjectName(QStringLiteral("ReviewSketch"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("ReviewSummary"));
    summary_->setWordWrap(true);
    findings_ = new QListWidget(this);
    findings_->setObjectName(QStringLiteral("ReviewFindings"));
    findings_->setWordWrap(true);

    closureRatio_ = limitField("LimitClosureRatio", 1e9, 0);
    closureElevation_ = limitField("LimitClosureElevation", 1000, 3);
    backsightDistance_ = limitField("LimitBacksightDistance", 1000, 3);
    backsightElevation_ = limitField("LimitBacksightElevation", 1000, 3);
    faceHorizontal_ = limitField("LimitFaceHorizontal", 3600, 1);
    faceIndex_ = limitField("LimitFaceIndex", 3600, 1);
    faceDistance_ = limitField("LimitFaceDistance", 1000, 3);
    checkShotDistance_ = limitField("LimitCheckShot", 1000, 3);
    checkShotElevation_ = limitField("LimitCheckShotElevation", 1000, 3);
    auto* limitsForm = new QFormLayout;
    limitsForm->addRow(tr("Closure 1:"), closureRatio_);
    limitsForm->addRow(tr("Closure elevation"), closureElevation_);
    limitsForm->addRow(tr("Backsight distance"), backsightDistance_);
    limitsForm->addRow(tr("Backsight elevation"), backsightElevation_);
    limitsForm->addRow(tr("Face horizontal (\")"), faceHorizontal_);
    limitsForm->addRow(tr("Face index (\")"), faceIndex_);
    limitsForm->addRow(tr("Face distance"), faceDistance_);
    limitsForm->addRow(tr("Check shot"), checkShotDistance_);
    limitsForm->addRow(tr("Check shot elevation"), checkShotElevation_);

    QPushButton* check = button(this, "ReviewCheck", tr("Check"));
    QPushButton* fit = button(this, "ReviewFit", tr("Fit"));
    QPushButton* sketchExport = button(this, "ReviewExportSketch", tr("Export Sketch..."));
    QPushButton* reportExport = button(this, "ReviewExportReport", tr("Export Report..."));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {fit, sketchExport, reportExport}) buttons->addWidget(b);

    // The window is small: the findings and the limits share one place below
    // the sketch.
    auto* limitsPage = new QWidget(this);
    auto* limitsLayout = new QVBoxLayout(limitsPage);
    limitsLayout->addLayout(limitsForm);
    limitsLayout->addWidget(check);
    auto* limitsScroll = new QScrollArea(this);
    limitsScroll->setWidget(limitsPage);
    limitsScroll->setWidgetResizable(true);
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("ReviewTabs"));
    tabs->addTab(findings_, tr("Findings"));
    tabs->addTab(limitsScroll, tr("Limits"));

    auto* below = new QWidget(this);
    auto* belowLayout = new QVBoxLayout(below);
    belowLayout->setContentsMargins(0, 0, 0, 0);
    belowLayout->addWidget(summary_);
    belowLayout->addWidget(tabs, 1);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->addWidget(sketch_);
    splitter->addWidget(below);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({300, 200});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    connect(check, &QPushButton::clicked, this, [this] { refresh(); });
    connect(fit, &QPushButton::clicked, sketch_, &SketchWidget::fitToWindow);
    connect(sketchExport, &QPushButton::clicked, this, [this] { exportSketch(); });
    connect(reportExport, &QPushButton::clicked, this, [this] { exportReport(); });
    connect(findings_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { findingClicked(item); });
    connect(sketch_, &SketchWidget::pointDoubleClicked, this,
            [this](std::size_t index) { pointDoubleClicked(index); });
}

void ReviewPage::setLimits(const review::ReviewLimits& limits) {
    closureRatio_->setValue(limits.closureRatio);
    closureElevation_->setValue(limits.closureElevation);
    backsightDistance_->setValue(limits.backsightDistance);
    backsightElevation_->setValue(limits.backsightElevation);
    faceHorizontal_->setValue(limits.faceHorizontalSeconds);
    faceIndex_->setValue(limits.faceIndexSeconds);
    faceDistance_->setValue(limits.faceDistance);
    checkShotDistance_->setValue(limits.checkShotDistance);
    checkShotElevation_->setValue(limits.checkShotElevation);
}

review::ReviewLimits ReviewPage::limits() const {
    review::ReviewLimits limits;
    limits.closureRatio = closureRatio_->value();
    limits.closureElevation = closureElevation_->value();
    limits.backsightDistance = backsightDistance_->value();
    limits.backsightElevation = backsightElevation_->value();
    limits.faceHorizontalSeconds = faceHorizontal_->value();
    limits.faceIndexSeconds = faceIndex_->value();
    limits.faceDistance = faceDistance_->value();
    limits.checkShotDistance = checkShotDistance_->value();
    limits.checkShotElevation = checkShotElevation_->value();
    return limits;
}

void ReviewPage::showJob(const JobPaths& job, const ConversionOptions& options) {
    const bool otherJob = job.basePath != job_.basePath;
    job_ = job;
    options_ = options;
    if (shownMetric_ != options.metric) setLimits(review::defaultLimits(options.metric));
    shownMetric_ = options.metric;
    refresh();
    // The same job keeps where the crew was looking; another starts whole.
    if (otherJob) sketch_->fitToWindow();
}

void ReviewPage::refresh() {
    findings_->clear();
    try {
        review_ = review::reviewJob(job_, options_, limits());
    } catch (const std::exception& error) {
        review_.reset();
        sketch_->setModel({});
        summary_->setText(QString::fromLocal8Bit(error.what()));
        return;
    }
    sketch_->setModel(review::buildSketch(*review_, options_.pointPrefix));
    for (const review::Finding& finding : review_->report.findings) {
        auto* item = new QListWidgetItem(qtText(finding.text), findings_);
        if (finding.point)
            item->setData(kPointRole, QVariant::fromValue<qlonglong>(*finding.point));
        if (finding.overLimit) item->setForeground(Qt::red);
    }
    summary_->setText(qtText(review_->report.summaryLine()));
}

void ReviewPage::findingClicked(QListWidgetItem* item) {
    const QVariant point = item->data(kPointRole);
    if (!point.isValid()) return;
    const std::ptrdiff_t index = sketch_->model().indexOf(point.toLongLong());
    if (index >= 0) sketch_->centreOn(static_cast<std::size_t>(index));
}

void ReviewPage::pointDoubleClicked(std::size_t pointIndex) {
    const std::size_t entry = sketch_->model().points.at(pointIndex).firstEntry;
    if (entry > 0) emit editEntryRequested(entry);
}

void ReviewPage::exportSketch() {
    if (!review_) return;
    const QString path = chooseSavePath_(tr("Export Sketch"), tr("Sketch (*.svg *.pdf *.png)"),
                                         qtText(job_.basePath + ".svg"));
    if (path.isEmpty()) return;
    try {
        review::exportSketch(sketch_->model(), fileText(path));
    } catch (const std::exception& error) {
        dialogs_.showMessage(this, QString::fromLocal8Bit(error.what()), MessageKind::Error);
    }
}

void ReviewPage::exportReport() {
    if (!review_) return;
    const QString path = chooseSavePath_(tr("Export Report"), tr("Text (*.txt)"),
                                         qtText(job_.basePath + "-review.txt"));
    if (path.isEmpty()) return;
    try {
        writeFileAtomically(fileText(path), review_->report.text("\r\n"));
    } catch (const std::exception& error) {
        dialogs_.showMessage(this, QString::fromLocal8Bit(error.what()), MessageKind::Error);
    }
}

}  // namespace zendro
