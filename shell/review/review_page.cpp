#include "shell/review/review_page.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/run_observer.h"
#include "conversion/header_clock.h"
#include "coordinates/local_positions.h"
#include "coordinates/sketch_positions.h"
#include "exports/csv_layout.h"
#include "exports/export_target.h"
#include "review/sketch_model.h"
#include "review_view/job_report.h"
#include "review_view/sketch_export.h"
#include "shell/background_run.h"
#include "shell/review/adjustment_tab.h"
#include "shell/review/sketch_export_dialog.h"
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

QLineEdit* textField(QWidget* parent, const char* name, const QString& placeholder) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setPlaceholderText(placeholder);
    return field;
}

// What an applied placement gives back to the window's thread.
struct PlacedReview {
    coordinates::PlacementInput input;
    review::JobReview review;
    std::optional<coordinates::ControlTie> tie;
};

bool isGeographic(exports::ExportFormat format) {
    return format == exports::ExportFormat::Kml || format == exports::ExportFormat::GeoJson;
}

}  // namespace

ReviewPage::ReviewPage(ShellDialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      chooseSavePath_(defaultSaveChooser),
      run_(std::make_unique<BackgroundRun>([](const QString&) {}, [](int) {})) {
    buildControls();
    setLimits(review::defaultLimits(false));
}

ReviewPage::~ReviewPage() = default;

bool ReviewPage::busy() const { return run_->running() || adjustment_->busy(); }

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
    controlHorizontal_ = limitField("LimitControlHorizontal", 1000, 3);
    controlElevation_ = limitField("LimitControlElevation", 1000, 3);
    controlBacksight_ = limitField("LimitControlBacksight", 3600, 1);
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
    limitsForm->addRow(tr("Control point"), controlHorizontal_);
    limitsForm->addRow(tr("Control point elevation"), controlElevation_);
    limitsForm->addRow(tr("Backsight on control (\")"), controlBacksight_);

    QPushButton* check = button(this, "ReviewCheck", tr("Check"));
    QPushButton* fit = button(this, "ReviewFit", tr("Fit"));
    QPushButton* sketchExport = button(this, "ReviewExportSketch", tr("Export Sketch..."));
    QPushButton* reportExport = button(this, "ReviewExportReport", tr("Export Report..."));
    QPushButton* pointsExport = button(this, "ReviewExport", tr("Export..."));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {fit, sketchExport, reportExport, pointsExport}) buttons->addWidget(b);

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
    tabs->addTab(buildPlacementTab(), tr("Control"));
    tabs->addTab(buildPositionsTab(), tr("Positions"));
    tabs->addTab(buildAdjustmentTab(), tr("Adjustment"));

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
    connect(pointsExport, &QPushButton::clicked, this, [this] { openExportDialog(); });
    connect(findings_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { findingClicked(item); });
    connect(sketch_, &SketchWidget::pointDoubleClicked, this,
            [this](std::size_t index) { pointDoubleClicked(index); });
}

QWidget* ReviewPage::buildPlacementTab() {
    auto* page = new QWidget(this);
    controlFile_ = textField(page, "ControlFile", tr("no control file"));
    controlFile_->setReadOnly(true);
    QPushButton* chooseControl = button(page, "ReviewControl", tr("Control..."));
    auto* controlRow = new QHBoxLayout;
    controlRow->addWidget(controlFile_, 1);
    controlRow->addWidget(chooseControl);

    start_ = new QGroupBox(tr("Start by hand"), page);
    start_->setObjectName(QStringLiteral("StartByHand"));
    start_->setCheckable(true);
    start_->setChecked(false);
    startNorth_ = textField(start_, "StartNorth", tr("north"));
    startEast_ = textField(start_, "StartEast", tr("east"));
    startElevation_ = textField(start_, "StartElevation", tr("elevation"));
    startAzimuth_ = textField(start_, "StartAzimuth", tr("DDD.MMSS"));
    auto* startForm = new QFormLayout(start_);
    startForm->addRow(tr("N"), startNorth_);
    startForm->addRow(tr("E"), startEast_);
    startForm->addRow(tr("Z"), startElevation_);
    startForm->addRow(tr("Azimuth to first backsight"), startAzimuth_);

    system_ = textField(page, "CoordinateSystem", tr("EPSG:2227"));
    QPushButton* apply = button(page, "ReviewApplyPlacement", tr("Apply"));
    auto* form = new QFormLayout;
    form->addRow(tr("Control file"), controlRow);
    form->addRow(tr("Coordinate system"), system_);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(start_);
    layout->addWidget(apply);
    layout->addStretch(1);

    connect(chooseControl, &QPushButton::clicked, this, [this] { chooseControlFile(); });
    connect(apply, &QPushButton::clicked, this, [this] { applyPlacement(); });
    return page;
}

QWidget* ReviewPage::buildPositionsTab() {
    auto* page = new QWidget(this);
    positionsFrame_ = new QComboBox(page);
    positionsFrame_->setObjectName(QStringLiteral("PositionsFrame"));
    positionsFrame_->addItem(tr("Local"), static_cast<int>(coordinates::PositionFrame::Local));
    positionsFrame_->addItem(tr("Tied to control"),
                             static_cast<int>(coordinates::PositionFrame::TiedToControl));
    positionsFrame_->addItem(tr("Adjusted"), static_cast<int>(coordinates::PositionFrame::Adjusted));
    positions_ = new QListWidget(page);
    positions_->setObjectName(QStringLiteral("ReviewPositions"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(positionsFrame_);
    layout->addWidget(positions_, 1);
    connect(positionsFrame_, &QComboBox::currentIndexChanged, this, [this] { showPositions(); });
    return page;
}

QWidget* ReviewPage::buildAdjustmentTab() {
    adjustment_ = new AdjustmentTab(this);
    adjustment_->setRequestSource([this]() -> std::optional<AdjustmentRequest> {
        if (!review_) return std::nullopt;
        AdjustmentRequest request{job_.basePath, *review_, {}};
        request.setup.control = placement_.control;
        if (placement_.system) request.setup.crsCode = placement_.system->code();
        request.setup.limits = limits();
        request.setup.metric = options_.metric;
        request.setup.hvdPath = job_.hvdPath;
        request.setup.controlPath = placementChoices_.controlPath;
        return request;
    });
    connect(adjustment_, &AdjustmentTab::adjustmentEnded, this, [this] {
        if (review_) showPositions();
        emit backgroundWorkEnded();
    });
    connect(adjustment_, &AdjustmentTab::pointChosen, this, [this](qlonglong number) {
        const std::ptrdiff_t index = sketch_->model().indexOf(number);
        if (index >= 0) sketch_->centreOn(static_cast<std::size_t>(index));
    });
    return adjustment_;
}

PlacementChoices ReviewPage::choicesInFields() const {
    PlacementChoices choices;
    choices.controlPath = fileText(controlFile_->text());
    choices.startByHand = start_->isChecked();
    choices.startNorth = fileText(startNorth_->text().trimmed());
    choices.startEast = fileText(startEast_->text().trimmed());
    choices.startElevation = fileText(startElevation_->text().trimmed());
    choices.startAzimuth = fileText(startAzimuth_->text().trimmed());
    choices.systemCode = fileText(system_->text().trimmed());
    return choices;
}

void ReviewPage::showChoices(const PlacementChoices& choices) {
    controlFile_->setText(qtText(choices.controlPath));
    start_->setChecked(choices.startByHand);
    startNorth_->setText(qtText(choices.startNorth));
    startEast_->setText(qtText(choices.startEast));
    startElevation_->setText(qtText(choices.startElevation));
    startAzimuth_->setText(qtText(choices.startAzimuth));
    system_->setText(qtText(choices.systemCode));
}

void ReviewPage::chooseControlFile() {
    const QString initial = controlFile_->text().isEmpty() ? qtText(job_.folderPath)
                                                           : controlFile_->text();
    const QString path = dialogs_.chooseFieldFile(
        this, {tr("Control (*.csv *.txt)"), tr("All files (*)")}, tr("Control (*.csv *.txt)"),
        initial);
    if (path.isEmpty()) return;
    controlFile_->setText(path);
    applyPlacement();
}

void ReviewPage::applyPlacement() {
    if (busy()) return;
    PlacementChoices choices = choicesInFields();
    auto placed = std::make_shared<std::optional<PlacedReview>>();
    const review::ReviewLimits limits = this->limits();
    auto work = [placed, choices, job = job_, options = options_, limits](RunObserver&) {
        PlacedReview made{loadPlacement(choices, options.metric),
                          review::reviewJob(job, options, limits), std::nullopt};
        if (made.input.wanted())
            made.tie = coordinates::placeReviewedJob(made.review, made.input, limits);
        placed->emplace(std::move(made));
    };
    run_->start(std::move(work), [this, placed, choices,
                                  reviewed = job_.basePath](BackgroundOutcome outcome) {
        if (outcome.failure) {
            // Nothing half-applied: the fields show the placement still in use.
            showChoices(placementChoices_);
            reportFailure(outcome.failure);
        } else {
            placementChoices_ = choices;
            adjustment_->clear();  // adjusted on the placement before
            placement_ = std::move((*placed)->input);
            review_ = std::move((*placed)->review);
            tie_ = std::move((*placed)->tie);
            // Another job shown meanwhile is reviewed again, with this placement.
            if (reviewed == job_.basePath)
                showReview();
            else
                refresh();
        }
        emit backgroundWorkEnded();
    });
}

void ReviewPage::reportFailure(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        dialogs_.showMessage(this, QString::fromLocal8Bit(error.what()), MessageKind::Error);
    }
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
    controlHorizontal_->setValue(limits.controlHorizontal);
    controlElevation_->setValue(limits.controlElevation);
    controlBacksight_->setValue(limits.controlBacksightSeconds);
}

review::ReviewLimits ReviewPage::limits() const {
    // Limits without a field keep the unit's defaults.
    review::ReviewLimits limits = review::defaultLimits(shownMetric_.value_or(false));
    limits.closureRatio = closureRatio_->value();
    limits.closureElevation = closureElevation_->value();
    limits.backsightDistance = backsightDistance_->value();
    limits.backsightElevation = backsightElevation_->value();
    limits.faceHorizontalSeconds = faceHorizontal_->value();
    limits.faceIndexSeconds = faceIndex_->value();
    limits.faceDistance = faceDistance_->value();
    limits.checkShotDistance = checkShotDistance_->value();
    limits.checkShotElevation = checkShotElevation_->value();
    limits.controlHorizontal = controlHorizontal_->value();
    limits.controlElevation = controlElevation_->value();
    limits.controlBacksightSeconds = controlBacksight_->value();
    return limits;
}

void ReviewPage::showJob(const JobPaths& job, const ConversionOptions& options) {
    const bool otherJob = job.basePath != job_.basePath;
    job_ = job;
    options_ = options;
    if (shownMetric_ != options.metric) {
        setLimits(review::defaultLimits(options.metric));
        adjustment_->clear();
    }
    adjustment_->setMetric(options.metric);
    shownMetric_ = options.metric;
    refresh();
    // The same job keeps where the crew was looking; another starts whole.
    if (otherJob) sketch_->fitToWindow();
}

void ReviewPage::refresh() {
    findings_->clear();
    positions_->clear();
    tie_.reset();
    try {
        review_ = review::reviewJob(job_, options_, limits());
        if (placement_.wanted())
            tie_ = coordinates::placeReviewedJob(*review_, placement_, limits());
    } catch (const std::exception& error) {
        review_.reset();
        sketch_->setModel({});
        summary_->setText(QString::fromLocal8Bit(error.what()));
        return;
    }
    showReview();
}

void ReviewPage::showReview() {
    findings_->clear();
    for (const review::Finding& finding : review_->report.findings) {
        auto* item = new QListWidgetItem(qtText(finding.text), findings_);
        if (finding.point)
            item->setData(kPointRole, QVariant::fromValue<qlonglong>(*finding.point));
        if (finding.overLimit) item->setForeground(Qt::red);
    }
    summary_->setText(qtText(review_->report.summaryLine()));
    showPositions();
}

coordinates::JobPositions ReviewPage::shownPositions() const {
    const int frame = positionsFrame_->currentData().toInt();
    const bool tied = frame == static_cast<int>(coordinates::PositionFrame::TiedToControl);
    if (tied && tie_) return tie_->positions;
    const coordinates::JobPositions* adjusted = adjustment_->adjustedPositions(job_.basePath);
    if (frame == static_cast<int>(coordinates::PositionFrame::Adjusted) && adjusted)
        return *adjusted;
    return coordinates::localPositions(review_->plan);
}

void ReviewPage::showPositions() {
    positions_->clear();
    // Tied positions are offered only when the job is tied.
    auto* frames = qobject_cast<QStandardItemModel*>(positionsFrame_->model());
    frames->item(1)->setEnabled(tie_.has_value());
    // Adjusted ones once an adjustment of this job ran.
    const bool adjusted = adjustment_->adjustedPositions(job_.basePath) != nullptr;
    frames->item(2)->setEnabled(adjusted);
    if ((!tie_ && positionsFrame_->currentIndex() == 1) ||
        (!adjusted && positionsFrame_->currentIndex() == 2)) {
        positionsFrame_->setCurrentIndex(0);  // shows them again
        return;
    }
    if (!review_) return;
    const coordinates::JobPositions shown = shownPositions();
    review::SketchModel sketch = review::buildSketch(*review_, options_, job_.jobName);
    if (shown.frame != coordinates::PositionFrame::Local) coordinates::placeSketch(sketch, shown);
    // Another frame moves every point: look at the whole of it.
    const bool otherFrame = sketch.title.frame != sketch_->model().title.frame;
    sketch_->setModel(std::move(sketch));
    if (otherFrame) sketch_->fitToWindow();
    for (const coordinates::PointPosition& p : shown.points) {
        QString line = QStringLiteral("%1  N %2  E %3  Z %4")
                           .arg(p.number)
                           .arg(p.north, 0, 'f', 3)
                           .arg(p.east, 0, 'f', 3)
                           .arg(p.elevation, 0, 'f', 3);
        if (p.precision)
            line += QStringLiteral("  sN %1  sE %2  sZ %3")
                        .arg(p.precision->sigmaNorth, 0, 'f', 3)
                        .arg(p.precision->sigmaEast, 0, 'f', 3)
                        .arg(p.precision->sigmaElevation, 0, 'f', 3);
        positions_->addItem(line);
    }
}

void ReviewPage::openExportDialog() {
    if (!review_ || busy()) return;
    // Through the page's chooser as it is when the file is chosen.
    const auto choose = [this](const QString& caption, const QString& filter,
                               const QString& suggested) {
        return chooseSavePath_(caption, filter, suggested);
    };
    auto* dialog = new ExportDialog(exportChoices_, choose, qtText(job_.basePath), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        exportChoices_ = dialog->choices();
        startExport();
    });
    dialog->open();
}

void ReviewPage::startExport() {
    if (!review_ || busy() || exportChoices_.path.isEmpty()) return;
    const ExportChoices chosen = exportChoices_;
    const std::string path = fileText(chosen.path);
    std::optional<std::string> systemCode;
    if (placement_.system) systemCode = placement_.system->code();
    // The work owns copies: the page may review again while it writes.
    auto work = [chosen, path, systemCode, name = job_.jobName, options = options_,
                 review = *review_, positions = shownPositions()](RunObserver&) {
        const exports::CsvLayout csv = exports::csvLayout(
            fileText(chosen.csvColumns), chosen.csvDelimiter, chosen.csvHeader);
        // Local positions are not on the grid: the system would put them near its origin.
        const bool onGrid = positions.frame != coordinates::PositionFrame::Local;
        if (isGeographic(chosen.format) && systemCode && !onGrid)
            throw ZendroError(path, "the job's positions are local: tie them to control with "
                                    "a control file or a start by hand, and show them tied to "
                                    "control, to place them on " + *systemCode);
        std::optional<coordinates::CoordinateSystem> system;
        if (systemCode && onGrid) system = coordinates::CoordinateSystem::fromCode(*systemCode);
        const exports::ExportJob job{name, &options, &review, &positions,
                                     system ? &*system : nullptr};
        exports::writeExports(job, {exports::ExportTarget{chosen.format, path}}, csv);
    };
    run_->start(std::move(work), [this, path, name = job_.jobName](BackgroundOutcome outcome) {
        if (outcome.failure) {
            reportFailure(outcome.failure);
        } else {
            const exports::ExportTarget target{exportChoices_.format, path};
            dialogs_.showMessage(this, tr("Exported to %1").arg(qtText(target.pathFor(name))),
                                 MessageKind::Notice);
        }
        emit backgroundWorkEnded();
    });
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
    const auto choose = [this](const QString& caption, const QString& filter,
                               const QString& suggested) {
        return chooseSavePath_(caption, filter, suggested);
    };
    auto* dialog = new SketchExportDialog(choose, qtText(job_.basePath + ".svg"), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        try {
            review::exportSketch(sketch_->model(), fileText(dialog->path()), dialog->options());
        } catch (const std::exception& error) {
            dialogs_.showMessage(this, QString::fromLocal8Bit(error.what()), MessageKind::Error);
        }
    });
    dialog->open();
}

void ReviewPage::exportReport() {
    if (!review_ || busy()) return;
    const QString chosen = chooseSavePath_(tr("Export Report"), tr("PDF (*.pdf);;Text (*.txt)"),
                                           qtText(job_.basePath + "-report.pdf"));
    if (chosen.isEmpty()) return;
    const std::string path = fileText(chosen);
    // The drawing owns copies: the page may review again while it is made.
    review::JobReportInput input;
    input.sketch = sketch_->model();
    NullObserver quiet;  // a SOURCE_DATE_EPOCH that names no day gives today
    input.header = {job_.jobName,
                    options_.metric,
                    limits(),
                    input.sketch.title.date,
                    headerDate(defaultHeaderClock(quiet)()),
                    input.sketch.title.frame.empty() ? std::string("local") : input.sketch.title.frame};
    input.report = review_->report;
    auto work = [input = std::move(input), path](RunObserver&) {
        review::writeJobReport(input, path);
    };
    run_->start(std::move(work), [this](BackgroundOutcome outcome) {
        if (outcome.failure) reportFailure(outcome.failure);
        emit backgroundWorkEnded();
    });
}

}  // namespace zendro
