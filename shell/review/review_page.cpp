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
#include <QSignalBlocker>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "common/errors.h"
#include "common/file_io.h"
#include "common/run_observer.h"
#include "conversion/header_clock.h"
#include "conversion/job_model_reading.h"
#include "coordinates/local_positions.h"
#include "coordinates/sketch_positions.h"
#include "exports/csv_layout.h"
#include "exports/export_target.h"
#include "review/limit_table.h"
#include "review/sketch_model.h"
#include "review_view/job_report.h"
#include "review_view/sketch_export.h"
#include "shell/background_run.h"
#include "shell/review/adjustment_tab.h"
#include "shell/review/findings_view.h"
#include "shell/review/sketch_export_dialog.h"
#include "shell/review/sketch_widget.h"
#include "shell/shell_dialogs.h"

namespace zendro {
namespace {

constexpr int kRecheckDelayMs = 250;  // a pause in typing long enough to check again

// The limit fields' object names, which tests and the session know them by.
struct LimitFieldName {
    double review::ReviewLimits::*field;
    const char* name;
};
constexpr LimitFieldName kLimitFieldNames[] = {
    {&review::ReviewLimits::closureRatio, "LimitClosureRatio"},
    {&review::ReviewLimits::closureElevation, "LimitClosureElevation"},
    {&review::ReviewLimits::backsightDistance, "LimitBacksightDistance"},
    {&review::ReviewLimits::backsightElevation, "LimitBacksightElevation"},
    {&review::ReviewLimits::faceHorizontalSeconds, "LimitFaceHorizontal"},
    {&review::ReviewLimits::faceIndexSeconds, "LimitFaceIndex"},
    {&review::ReviewLimits::faceDistance, "LimitFaceDistance"},
    {&review::ReviewLimits::checkShotDistance, "LimitCheckShot"},
    {&review::ReviewLimits::checkShotElevation, "LimitCheckShotElevation"},
    {&review::ReviewLimits::controlHorizontal, "LimitControlHorizontal"},
    {&review::ReviewLimits::controlElevation, "LimitControlElevation"},
    {&review::ReviewLimits::controlBacksightSeconds, "LimitControlBacksight"},
    {&review::ReviewLimits::angularMisclosureK, "LimitAngularK"},
    {&review::ReviewLimits::blunderResidual, "LimitBlunder"},
};

QString limitFieldName(const review::LimitDefinition& limit) {
    for (const LimitFieldName& known : kLimitFieldNames)
        if (known.field == limit.field) return QString::fromLatin1(known.name);
    return QStringLiteral("Limit");
}

QString qtText(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
std::string fileText(const QString& text) { return text.toLatin1().toStdString(); }

QString defaultSaveChooser(const QString& caption, const QString& filter,
                           const QString& suggested) {
    return QFileDialog::getSaveFileName(nullptr, caption, suggested, filter);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                    const QString& tip) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(QString::fromLatin1(name));
    made->setToolTip(tip);
    return made;
}

QLineEdit* textField(QWidget* parent, const char* name, const QString& placeholder,
                     const QString& tip) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setPlaceholderText(placeholder);
    field->setToolTip(tip);
    return field;
}

// What a limit field does, from the limit's own row: its defaults and its flag.
QString limitTip(const review::LimitDefinition& limit) {
    return QStringLiteral("%1: beyond it a finding is over limit. Default %2 in feet, %3 in "
                          "meters; %4 on the command line")
        .arg(qtText(std::string(limit.label)),
             qtText(review::limitText(limit, limit.feetDefault, kDefaultFootUnit)),
             qtText(review::limitText(limit, limit.meterDefault, LengthUnit::Metre)),
             qtText(std::string(limit.flag)));
}

// What a review gives back to the window's thread.
struct ReviewedJob {
    review::JobReview review;
    std::optional<coordinates::ControlTie> tie;
};

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
    limitsByUnit_ = {review::defaultLimits(kDefaultFootUnit), review::defaultLimits(LengthUnit::Metre)};
    buildControls();
    fillLimitFields();
}

ReviewPage::~ReviewPage() = default;

bool ReviewPage::busy() const {
    return run_->running() || reviewWanted_ || placementWanted_ || adjustment_->busy();
}

QWidget* ReviewPage::buildLimitsTab(QPushButton* check) {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout;
    for (const review::LimitDefinition& limit : review::limitTable()) {
        auto* field = new QDoubleSpinBox(page);
        field->setObjectName(limitFieldName(limit));
        field->setToolTip(limitTip(limit));
        field->setRange(limit.minimum, limit.maximum);
        field->setDecimals(limit.decimals);
        form->addRow(qtText(std::string(limit.label)), field);
        limitFields_.push_back(field);
        connect(field, &QDoubleSpinBox::valueChanged, this, [this] { limitFieldEdited(); });
    }
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(check);
    layout->addStretch(1);
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    return scroll;
}

void ReviewPage::buildControls() {
    setObjectName(QStringLiteral("ReviewPage"));
    sketch_ = new SketchWidget(this);
    sketch_->setObjectName(QStringLiteral("ReviewSketch"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("ReviewSummary"));
    summary_->setWordWrap(true);
    findings_ = new FindingsView(this);
    recheck_ = new QTimer(this);
    recheck_->setSingleShot(true);
    recheck_->setInterval(kRecheckDelayMs);
    connect(recheck_, &QTimer::timeout, this, [this] { refresh(); });

    QPushButton* check = button(this, "ReviewCheck", tr("Check"),
        tr("Review the job again with these limits"));
    QPushButton* fit = button(this, "ReviewFit", tr("Fit"),
        tr("Show the whole job in the sketch (key 0)"));
    QPushButton* sketchExport = button(this, "ReviewExportSketch", tr("Export Sketch..."),
        tr("Save the plan sheet as SVG, PDF or PNG"));
    QPushButton* reportExport = button(this, "ReviewExportReport", tr("Export Report..."),
        tr("Save the job report as PDF or text"));
    QPushButton* pointsExport = button(this, "ReviewExport", tr("Export..."),
        tr("Export the points and chains: CSV, LandXML, DXF, GeoPackage, KML or GeoJSON"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {fit, sketchExport, reportExport, pointsExport}) buttons->addWidget(b);
    buttons->addStretch(1);

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("ReviewTabs"));
    tabs->addTab(findings_, tr("Findings"));
    tabs->addTab(buildLimitsTab(check), tr("Limits"));
    tabs->addTab(buildPlacementTab(), tr("Control"));
    tabs->addTab(buildPositionsTab(), tr("Positions"));
    tabs->addTab(buildAdjustmentTab(), tr("Adjustment"));

    auto* beside = new QWidget(this);
    auto* besideLayout = new QVBoxLayout(beside);
    besideLayout->setContentsMargins(0, 0, 0, 0);
    besideLayout->addWidget(summary_);
    besideLayout->addWidget(tabs, 1);

    // The sketch takes what the window grows by; the report keeps its width.
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("ReviewSplitter"));
    splitter->addWidget(sketch_);
    splitter->addWidget(beside);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setCollapsible(0, false);
    splitter->setCollapsible(1, false);
    splitter->setSizes({500, 380});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    connect(check, &QPushButton::clicked, this, [this] { refresh(); });
    connect(fit, &QPushButton::clicked, sketch_, &SketchWidget::fitToWindow);
    connect(sketchExport, &QPushButton::clicked, this, [this] { exportSketch(); });
    connect(reportExport, &QPushButton::clicked, this, [this] { exportReport(); });
    connect(pointsExport, &QPushButton::clicked, this, [this] { openExportDialog(); });
    connect(findings_, &FindingsView::pointChosen, this,
            [this](qlonglong point) { centreOnPoint(point); });
    connect(sketch_, &SketchWidget::pointDoubleClicked, this,
            [this](std::size_t index) { pointDoubleClicked(index); });
}

QWidget* ReviewPage::buildPlacementTab() {
    auto* page = new QWidget(this);
    controlFile_ = textField(page, "ControlFile", tr("no control file"),
        tr("The control file the job is tied to"));
    controlFile_->setReadOnly(true);
    QPushButton* chooseControl = button(page, "ReviewControl", tr("Control..."),
        tr("Choose a control file: name,N,E,Z[,fixed|free[,sigma_NE[,sigma_Z]]]"));
    auto* controlRow = new QHBoxLayout;
    controlRow->addWidget(controlFile_, 1);
    controlRow->addWidget(chooseControl);

    start_ = new QGroupBox(tr("Start by hand"), page);
    start_->setObjectName(QStringLiteral("StartByHand"));
    start_->setCheckable(true);
    start_->setChecked(false);
    startNorth_ = textField(start_, "StartNorth", tr("north"),
        tr("The first station's north"));
    startEast_ = textField(start_, "StartEast", tr("east"),
        tr("The first station's east"));
    startElevation_ = textField(start_, "StartElevation", tr("elevation"),
        tr("The first station's elevation"));
    startAzimuth_ = textField(start_, "StartAzimuth", tr("DDD.MMSS"),
        tr("The first backsight's azimuth, as DDD.MMSS"));
    auto* startForm = new QFormLayout(start_);
    startForm->addRow(tr("N"), startNorth_);
    startForm->addRow(tr("E"), startEast_);
    startForm->addRow(tr("Z"), startElevation_);
    startForm->addRow(tr("Azimuth to first backsight"), startAzimuth_);

    system_ = textField(page, "CoordinateSystem", tr("EPSG:2227"),
        tr("The coordinate reference system, as EPSG:NNNN; its unit must be the job's"));
    QPushButton* apply = button(page, "ReviewApplyPlacement", tr("Apply"),
        tr("Tie the job to the control, the start or the system given here"));
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
    positionsFrame_->setToolTip(tr("Which positions are listed, drawn and exported"));
    positionsFrame_->addItem(tr("Local"), static_cast<int>(coordinates::PositionFrame::Local));
    positionsFrame_->addItem(tr("Tied to control"),
                             static_cast<int>(coordinates::PositionFrame::TiedToControl));
    positionsFrame_->addItem(tr("Adjusted"), static_cast<int>(coordinates::PositionFrame::Adjusted));
    positions_ = new QListWidget(page);
    positions_->setObjectName(QStringLiteral("ReviewPositions"));
    positions_->setToolTip(tr("Every point's position in the frame chosen above"));
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
        request.setup.limits = shownLimits();
        request.setup.unit = options_.unit;
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
    // Asked for while a review or an export runs, it follows them.
    if (run_->running()) {
        placementWanted_ = true;
        return;
    }
    placementWanted_ = false;
    if (adjustment_->busy()) return;
    PlacementChoices choices = choicesInFields();
    auto placed = std::make_shared<std::optional<PlacedReview>>();
    const review::ReviewLimits limits = shownLimits();
    auto work = [placed, choices, job = job_, options = options_, limits](RunObserver&) {
        PlacedReview made{loadPlacement(choices, options.unit),
                          review::reviewModel(readJobModel(job, options), options, limits), std::nullopt};
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
            if (reviewed == job_.basePath && !reviewWanted_)
                showReview();
            else
                refresh();
        }
        workEnded();
    });
}

void ReviewPage::reportFailure(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        dialogs_.showMessage(this, QString::fromLocal8Bit(error.what()), MessageKind::Error);
    }
}

review::ReviewLimits ReviewPage::limits(bool metric) const { return limitsByUnit_[metric]; }

void ReviewPage::setLimits(bool metric, const review::ReviewLimits& limits) {
    limitsByUnit_[metric] = limits;
    if (metric != shownMetric_.value_or(false)) return;
    fillLimitFields();
    if (shownMetric_) refresh();
}

review::ReviewLimits ReviewPage::shownLimits() const {
    return limitsByUnit_[shownMetric_.value_or(false)];
}

void ReviewPage::fillLimitFields() {
    const bool metric = shownMetric_.value_or(false);
    const review::ReviewLimits& shown = limitsByUnit_[metric];
    const auto table = review::limitTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        QDoubleSpinBox* field = limitFields_[i];
        const QSignalBlocker quiet(field);  // filling is not an edit
        const std::string symbol(review::unitSymbol(table[i].unit, options_.unit));
        // A precision reads "1:10000"; lengths and seconds carry their unit after.
        if (table[i].unit == review::LimitUnit::Ratio) {
            field->setPrefix(QStringLiteral("1:"));
        } else if (!symbol.empty()) {
            field->setSuffix(table[i].unit == review::LimitUnit::Length
                                 ? QStringLiteral(" ") + qtText(symbol)
                                 : qtText(symbol));
        }
        field->setValue(shown.*table[i].field);
    }
}

void ReviewPage::limitFieldEdited() {
    const bool metric = shownMetric_.value_or(false);
    review::ReviewLimits& edited = limitsByUnit_[metric];
    const auto table = review::limitTable();
    for (std::size_t i = 0; i < table.size(); ++i) edited.*table[i].field = limitFields_[i]->value();
    emit limitsEdited(metric);
    if (shownMetric_) recheck_->start();
}

void ReviewPage::showJob(const JobPaths& job, const ConversionOptions& options,
                         const std::optional<ConversionResult>& lastConversion) {
    const bool otherJob = job.basePath != job_.basePath;
    job_ = job;
    written_.reset();
    if (lastConversion && lastConversion->obsPath == job.obsPath) {
        written_ = review::writtenFilesOf(*lastConversion, job.pfPath);
    }
    options_ = options;
    if (shownMetric_ != options.metric()) adjustment_->clear();
    const bool unitChanged = shownMetric_ != options.metric();
    adjustment_->setUnit(options.unit);
    shownMetric_ = options.metric();
    if (unitChanged) fillLimitFields();
    refresh();
    // The same job keeps where the crew was looking; another starts whole.
    if (otherJob) fitOnNextReview_ = true;
}

void ReviewPage::refresh() {
    recheck_->stop();
    requestReview();
}

void ReviewPage::requestReview() {
    ++reviewRequest_;
    reviewWanted_ = true;
    startWantedReview();
}

void ReviewPage::startWantedReview() {
    if (!reviewWanted_ || run_->running()) return;
    reviewWanted_ = false;
    const std::uint64_t request = reviewRequest_;
    auto reviewed = std::make_shared<std::optional<ReviewedJob>>();
    // The work owns copies: the fields may change while it runs.
    // The coordinate system holds a PROJ context of the window's thread: the
    // work takes its code only.
    std::optional<std::string> systemCode;
    if (placement_.system) systemCode = placement_.system->code();
    auto work = [reviewed, job = job_, options = options_, limits = shownLimits(),
                 control = placement_.control, start = placement_.start,
                 systemCode](RunObserver&) {
        ReviewedJob made{review::reviewModel(readJobModel(job, options), options, limits), std::nullopt};
        const coordinates::PlacementInput placement{control, start, std::nullopt};
        if (placement.wanted()) {
            made.tie = coordinates::placeReviewedJob(made.review, placement, limits);
            if (systemCode) made.tie->positions.crsCode = *systemCode;
        }
        reviewed->emplace(std::move(made));
    };
    run_->start(std::move(work), [this, request, reviewed](BackgroundOutcome outcome) {
        // A newer request is waiting: this result would show what it replaces.
        if (request != reviewRequest_) {
            workEnded();
            return;
        }
        if (outcome.failure) {
            review_.reset();
            tie_.reset();
            findings_->clear();
            positions_->clear();
            sketch_->setModel({});
            try {
                std::rethrow_exception(outcome.failure);
            } catch (const std::exception& error) {
                summary_->setText(QString::fromLocal8Bit(error.what()));
            }
        } else {
            review_ = std::move((*reviewed)->review);
            tie_ = std::move((*reviewed)->tie);
            showReview();
        }
        workEnded();
    });
}

void ReviewPage::workEnded() {
    if (placementWanted_) {
        applyPlacement();  // reviews too, with the limits in use now
        return;
    }
    if (reviewWanted_) {
        startWantedReview();
        return;
    }
    emit backgroundWorkEnded();
}

void ReviewPage::showReview() {
    findings_->setFindings(review_->report.findings);
    summary_->setText(qtText(review_->report.summaryLine()));
    showPositions();
    if (fitOnNextReview_) sketch_->fitToWindow();
    fitOnNextReview_ = false;
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
        workEnded();
    });
}

void ReviewPage::centreOnPoint(qlonglong point) {
    const std::ptrdiff_t index = sketch_->model().indexOf(point);
    if (index >= 0) sketch_->centreOn(static_cast<std::size_t>(index));
}

void ReviewPage::pointDoubleClicked(std::size_t pointIndex) {
    const std::size_t entry = sketch_->model().points.at(pointIndex).entry;
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
                    options_.unit,
                    shownLimits(),
                    input.sketch.title.date,
                    headerDate(defaultHeaderClock(quiet)()),
                    input.sketch.title.frame.empty() ? std::string("local") : input.sketch.title.frame};
    input.report = review_->report;
    input.conversion = written_;
    auto work = [input = std::move(input), path](RunObserver&) {
        review::writeJobReport(input, path);
    };
    run_->start(std::move(work), [this](BackgroundOutcome outcome) {
        if (outcome.failure) reportFailure(outcome.failure);
        workEnded();
    });
}

}  // namespace zendro
