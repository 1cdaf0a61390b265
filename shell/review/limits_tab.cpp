#include "shell/review/limits_tab.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "review/limit_table.h"

namespace zendro {
namespace {

constexpr int kRecheckDelayMs = 250;  // a pause in typing long enough to check again

// The fields' object names, which tests and the session memory know them by.
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

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// What a limit field does, from the limit's own row: its defaults.
QString limitTip(const review::LimitDefinition& limit) {
    return QStringLiteral("%1: beyond it a finding is over limit. Default %2 in feet, %3 in meters")
        .arg(latin1(limit.label),
             latin1(review::limitText(limit, limit.feetDefault, kDefaultFootUnit)),
             latin1(review::limitText(limit, limit.meterDefault, LengthUnit::Metre)));
}

}  // namespace

LimitsTab::LimitsTab(QPushButton* check, QWidget* parent) : QScrollArea(parent) {
    limitsBySystem_ = {review::defaultLimits(kDefaultFootUnit),
                       review::defaultLimits(LengthUnit::Metre)};
    recheck_ = new QTimer(this);
    recheck_->setSingleShot(true);
    recheck_->setInterval(kRecheckDelayMs);
    connect(recheck_, &QTimer::timeout, this, &LimitsTab::recheckWanted);
    connect(check, &QPushButton::clicked, this, [this] { recheck_->stop(); });

    auto* page = new QWidget(this);
    auto* form = new QFormLayout;
    for (const review::LimitDefinition& limit : review::limitTable()) {
        auto* field = new QDoubleSpinBox(page);
        field->setObjectName(limitFieldName(limit));
        field->setToolTip(limitTip(limit));
        field->setRange(limit.minimum, limit.maximum);
        field->setDecimals(limit.decimals);
        form->addRow(latin1(limit.label), field);
        fields_.push_back(field);
        connect(field, &QDoubleSpinBox::valueChanged, this, [this] { fieldEdited(); });
    }
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(form);
    layout->addWidget(check);
    layout->addStretch(1);
    setWidget(page);
    setWidgetResizable(true);
    fillFields();
}

void LimitsTab::setLimits(bool metric, const review::ReviewLimits& limits) {
    limitsBySystem_[metric ? 1 : 0] = limits;
    if (metric == isMetric(shownUnit_)) fillFields();
}

void LimitsTab::showUnit(LengthUnit unit) {
    shownUnit_ = unit;
    fillFields();
}

void LimitsTab::fillFields() {
    const review::ReviewLimits& shown = shownLimits();
    const auto table = review::limitTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        QDoubleSpinBox* field = fields_[i];
        const QSignalBlocker quiet(field);  // filling is not an edit
        const QString symbol = latin1(review::unitSymbol(table[i].unit, shownUnit_));
        // A precision reads "1:10000"; lengths and seconds carry their unit after.
        if (table[i].unit == review::LimitUnit::Ratio) {
            field->setPrefix(QStringLiteral("1:"));
        } else if (!symbol.isEmpty()) {
            field->setSuffix(table[i].unit == review::LimitUnit::Length ? QStringLiteral(" ") + symbol
                                                                        : symbol);
        }
        field->setValue(shown.*table[i].field);
    }
}

void LimitsTab::fieldEdited() {
    const bool metric = isMetric(shownUnit_);
    review::ReviewLimits& edited = limitsBySystem_[metric ? 1 : 0];
    const auto table = review::limitTable();
    for (std::size_t i = 0; i < table.size(); ++i) edited.*table[i].field = fields_[i]->value();
    emit this->edited(metric);
    recheck_->start();
}

}  // namespace zendro
