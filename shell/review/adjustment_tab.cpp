#include "shell/review/adjustment_tab.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <exception>

#include "adjustment/adjustment_report.h"
#include "shell/background_run.h"
#include "shell/review/residual_model.h"
#include "shell/review/review_widgets.h"

namespace zendro {
namespace {

QString numberList(const std::vector<std::int64_t>& numbers) {
    QStringList texts;
    for (const std::int64_t number : numbers) texts << QString::number(number);
    return texts.join(QStringLiteral(", "));
}

}  // namespace

AdjustmentTab::AdjustmentTab(QWidget* parent)
    : QWidget(parent),
      sigmas_{adjustment::defaultSigmas(kDefaultFootUnit),
              adjustment::defaultSigmas(LengthUnit::Metre)},
      run_(std::make_unique<BackgroundRun>([](const QString&) {}, [](int) {})) {
    setObjectName(QStringLiteral("AdjustmentTab"));
    direction_ = sigmaField("SigmaDirection", 3600, 1);
    zenith_ = sigmaField("SigmaZenith", 3600, 1);
    distanceConstant_ = sigmaField("SigmaDistanceConstant", 10, 4);
    distancePpm_ = sigmaField("SigmaDistancePpm", 1000, 1);
    instrumentCentring_ = sigmaField("SigmaInstrumentCentring", 10, 4);
    targetCentring_ = sigmaField("SigmaTargetCentring", 10, 4);
    direction_->setToolTip(tr("Standard deviation of one horizontal direction reading"));
    zenith_->setToolTip(tr("Standard deviation of one zenith angle reading"));
    distanceConstant_->setToolTip(tr("The distance's constant part of its standard deviation"));
    distancePpm_->setToolTip(
        tr("The distance's part of its standard deviation that grows "
           "with the length, in parts per million"));
    instrumentCentring_->setToolTip(tr("How well the instrument is set over its mark"));
    targetCentring_->setToolTip(tr("How well the target is set over its mark"));
    for (QLabel*& label : unitLabels_) label = new QLabel(this);
    const auto withUnit = [](QWidget* field, QLabel* unit) {
        auto* row = new QHBoxLayout;
        row->addWidget(field, 1);
        row->addWidget(unit);
        return row;
    };
    auto* distanceRow = withUnit(distanceConstant_, unitLabels_[0]);
    distanceRow->addWidget(new QLabel(tr("+"), this));
    distanceRow->addWidget(distancePpm_, 1);
    distanceRow->addWidget(new QLabel(tr("ppm"), this));
    // The deviations in two columns above the results, which take the width.
    auto* angles = new QFormLayout;
    angles->addRow(tr("Direction (\")"), direction_);
    angles->addRow(tr("Zenith (\")"), zenith_);
    angles->addRow(tr("Distance"), distanceRow);
    auto* centring = new QFormLayout;
    centring->addRow(tr("Instrument centring"), withUnit(instrumentCentring_, unitLabels_[1]));
    centring->addRow(tr("Target centring"), withUnit(targetCentring_, unitLabels_[2]));
    auto* adjust = new QPushButton(tr("Adjust"), this);
    adjust->setObjectName(QStringLiteral("ReviewAdjust"));
    adjust->setToolTip(
        tr("Adjust the job's network by least squares with these standard "
           "deviations"));
    centring->addRow(QString(), adjust);

    const auto resultLabel = [this](const char* name, bool wraps) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromLatin1(name));
        label->setWordWrap(wraps);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    // One line, whatever the width: the tooltip has it whole where the tab is narrow.
    statistics_ = resultLabel("AdjustmentStatistics", false);
    statistics_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    advice_ = resultLabel("AdjustmentAdvice", true);
    note_ = resultLabel("AdjustmentNote", true);
    blunder_ = resultLabel("AdjustmentBlunder", true);
    notDetermined_ = resultLabel("AdjustmentNotDetermined", true);
    observedOnce_ = resultLabel("AdjustmentObservedOnce", true);
    observedOnce_->setStyleSheet(QStringLiteral("color: #b05000"));

    residuals_ = new ResidualModel(this);
    sorted_ = new QSortFilterProxyModel(this);
    sorted_->setSourceModel(residuals_);
    sorted_->setSortRole(ResidualModel::kSortRole);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("ResidualTable"));
    table_->setToolTip(
        tr("Every observation's residual; the largest standardized one first. "
           "Click a row to see its point in the sketch"));
    table_->setModel(sorted_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(ResidualModel::Standardized, Qt::DescendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);

    auto* fields = new QHBoxLayout;
    fields->addLayout(angles, 1);
    fields->addSpacing(12);
    fields->addLayout(centring, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    for (QLabel* label : {note_, statistics_, advice_, blunder_, notDetermined_, observedOnce_})
        layout->addWidget(label);
    layout->addWidget(table_, 1);

    showSigmas();
    for (QDoubleSpinBox* field : {direction_, zenith_, distanceConstant_, distancePpm_,
                                  instrumentCentring_, targetCentring_})
        connect(field, &QDoubleSpinBox::valueChanged, this, [this] { readSigmas(); });
    connect(adjust, &QPushButton::clicked, this, [this] { startAdjustment(); });
    connect(table_, &QTableView::clicked, this,
            [this](const QModelIndex& index) { residualClicked(index); });
}

AdjustmentTab::~AdjustmentTab() = default;

QDoubleSpinBox* AdjustmentTab::sigmaField(const char* name, double maximum, int decimals) {
    auto* field = new QDoubleSpinBox(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setRange(0, maximum);
    field->setDecimals(decimals);
    return field;
}

void AdjustmentTab::setUnit(LengthUnit unit) {
    unit_ = unit;
    showSigmas();
}

void AdjustmentTab::setSigmas(bool metric, const adjustment::AprioriSigmas& sigmas) {
    sigmas_[metric ? 1 : 0] = sigmas;
    if (metric == isMetric(unit_)) showSigmas();
}

void AdjustmentTab::showSigmas() {
    // Filling the fields is not an edit: nothing is told.
    showingSigmas_ = true;
    const adjustment::AprioriSigmas& s = sigmas_[isMetric(unit_) ? 1 : 0];
    direction_->setValue(s.directionSeconds);
    zenith_->setValue(s.zenithSeconds);
    distanceConstant_->setValue(s.distanceConstant);
    distancePpm_->setValue(s.distancePpm);
    instrumentCentring_->setValue(s.instrumentCentring);
    targetCentring_->setValue(s.targetCentring);
    for (QLabel* unit : unitLabels_) unit->setText(QString::fromLatin1(unitSymbol(unit_)));
    showingSigmas_ = false;
}

void AdjustmentTab::readSigmas() {
    if (showingSigmas_) return;
    adjustment::AprioriSigmas& s = sigmas_[isMetric(unit_) ? 1 : 0];
    s.directionSeconds = direction_->value();
    s.zenithSeconds = zenith_->value();
    s.distanceConstant = distanceConstant_->value();
    s.distancePpm = distancePpm_->value();
    s.instrumentCentring = instrumentCentring_->value();
    s.targetCentring = targetCentring_->value();
    emit sigmasEdited(isMetric(unit_), s);
}

bool AdjustmentTab::busy() const { return run_->running(); }

void AdjustmentTab::clear(const QString& note) {
    ++generation_;  // an adjustment still running is of what was shown before
    adjustment_.reset();
    note_->setText(note);
    observedOnce_->clear();
    showAdjustment();
}

void AdjustmentTab::setObservedOnceNote(const QString& note) { observedOnce_->setText(note); }

void AdjustmentTab::showAdjusted(adjustment::JobAdjustment adjusted, LengthUnit unit,
                                 const QString& note) {
    ++generation_;
    adjustment_ = std::move(adjusted);
    adjustedUnit_ = unit;
    note_->setText(note);
    showAdjustment();
}

void AdjustmentTab::startAdjustment() {
    if (busy() || !requestSource_) return;
    const std::optional<AdjustmentRequest> request = requestSource_();
    if (!request) return;
    const std::shared_ptr<JobSession> session = request->session;
    const LengthUnit unit = session->config().options.unit;
    session->config().adjustment = sigmas(isMetric(unit));
    auto made = std::make_shared<std::optional<adjustment::JobAdjustment>>();
    auto work = [made, session](RunObserver&) { made->emplace(session->adjust()); };
    statistics_->setText(tr("Adjusting..."));
    note_->clear();
    const std::uint64_t generation = ++generation_;
    run_->start(std::move(work), [this, made, unit, generation](BackgroundOutcome outcome) {
        if (generation != generation_) {
            // Another job, or another placement, is shown now.
        } else if (outcome.failure) {
            adjustment_.reset();
            showAdjustment();
            try {
                std::rethrow_exception(outcome.failure);
            } catch (const std::exception& error) {
                statistics_->setText(QString::fromLocal8Bit(error.what()));
            }
        } else {
            adjustment_ = std::move(**made);
            adjustedUnit_ = unit;
            showAdjustment();
        }
        emit adjustmentEnded();
    });
}

void AdjustmentTab::showAdjustment() {
    if (!adjustment_) {
        statistics_->clear();
        statistics_->setToolTip({});
        advice_->clear();
        blunder_->clear();
        notDetermined_->clear();
        residuals_->setResiduals({}, std::nullopt, unit_);
        return;
    }
    const adjustment::AdjustmentResult& result = adjustment_->result;
    const QString statistics = qtText(adjustment::overallTestText(result));
    statistics_->setText(statistics);
    statistics_->setToolTip(statistics);
    advice_->setText(qtText(adjustment::overallTestAdvice(result)));
    advice_->setStyleSheet(result.chiSquarePassed ? QString() : QStringLiteral("color: #b05000"));
    blunder_->setText(result.blunder ? qtText(adjustment::blunderText(result, adjustedUnit_))
                                     : tr("No blunder found"));
    blunder_->setStyleSheet(result.blunder ? QStringLiteral("color: red") : QString());
    notDetermined_->setText(result.notDetermined.empty()
                                ? QString()
                                : tr("Not determined: %1").arg(numberList(result.notDetermined)));
    std::optional<std::size_t> blunder;
    if (result.blunder) blunder = result.blunder->residualIndex;
    residuals_->setResiduals(result.residuals, blunder, adjustedUnit_);
}

void AdjustmentTab::residualClicked(const QModelIndex& index) {
    const QModelIndex source = sorted_->mapToSource(index);
    if (!source.isValid()) return;
    emit pointChosen(residuals_->residualAt(source.row()).to);
}

}  // namespace zendro
