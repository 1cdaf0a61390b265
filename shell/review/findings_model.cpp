#include "shell/review/findings_model.h"

#include <QBrush>
#include <array>

#include "shell/review/review_widgets.h"

namespace zendro {
namespace {

using review::Finding;
using review::FindingKind;

// The number a column sorts by, when the finding has one there.
std::optional<double> sortNumber(const Finding& finding, int column) {
    switch (column) {
        case FindingsModel::Record:
            if (finding.record) return static_cast<double>(*finding.record);
            return std::nullopt;
        case FindingsModel::Point:
            if (finding.point) return static_cast<double>(*finding.point);
            return std::nullopt;
        case FindingsModel::Measured:
            if (finding.measured) return finding.measured->number;
            return std::nullopt;
        case FindingsModel::Limit:
            if (finding.limit) return finding.limit->number;
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

QString cellText(const Finding& finding, int column) {
    switch (column) {
        case FindingsModel::Kind:
            return findingKindName(finding.kind);
        case FindingsModel::Record:
            return finding.record ? QString::number(*finding.record) : qtText(finding.source);
        case FindingsModel::Point:
            return finding.point ? QString::number(*finding.point) : qtText(finding.pointName);
        case FindingsModel::Measured:
            return finding.measured ? qtText(finding.measured->text) : QString();
        case FindingsModel::Limit:
            return finding.limit ? qtText(finding.limit->text) : QString();
        case FindingsModel::Verdict:
            return qtText(finding.verdict);
        case FindingsModel::Advice:
            return qtText(finding.advice);
        default:
            return {};
    }
}

}  // namespace

QString findingKindName(FindingKind kind) {
    switch (kind) {
        case FindingKind::Closure: return FindingsModel::tr("Closure");
        case FindingKind::Backsight: return FindingsModel::tr("Backsight");
        case FindingKind::FacePair: return FindingsModel::tr("Face pair");
        case FindingKind::CheckShot: return FindingsModel::tr("Check shot");
        case FindingKind::SeparateFrame: return FindingsModel::tr("Separate frame");
        case FindingKind::FreeStation: return FindingsModel::tr("Free station");
        case FindingKind::AssumedOrientation: return FindingsModel::tr("Assumed orientation");
        case FindingKind::UnplacedTaped: return FindingsModel::tr("Unplaced taped point");
        case FindingKind::NotInFeatureFile: return FindingsModel::tr("Not in feature file");
        case FindingKind::NeverObserved: return FindingsModel::tr("Never observed");
        case FindingKind::ChainWithoutEnd: return FindingsModel::tr("Chain without end");
        case FindingKind::OnePointChain: return FindingsModel::tr("One-point chain");
        case FindingKind::TwoDescriptions: return FindingsModel::tr("Two descriptions");
        case FindingKind::UnreadableLine: return FindingsModel::tr("Unreadable line");
        case FindingKind::ObsWarning: return FindingsModel::tr("OBS warning");
        case FindingKind::ControlPoint: return FindingsModel::tr("Control point");
        case FindingKind::ControlBacksight: return FindingsModel::tr("Backsight on control");
        case FindingKind::ControlNotTied: return FindingsModel::tr("Not tied to control");
        case FindingKind::LevelRun: return FindingsModel::tr("Level run");
    }
    return {};
}

void FindingsModel::setFindings(std::vector<review::Finding> findings) {
    beginResetModel();
    findings_ = std::move(findings);
    endResetModel();
}

int FindingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(findings_.size());
}

int FindingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FindingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const Finding& shown = finding(index.row());
    switch (role) {
        case Qt::DisplayRole:
            return cellText(shown, index.column());
        case Qt::ToolTipRole:
            return qtText(shown.text);  // the whole line, as the report prints it
        case Qt::ForegroundRole:
            if (shown.overLimit) return QBrush(Qt::red);
            return {};
        case Qt::TextAlignmentRole:
            if (index.column() == Record || index.column() == Point)
                return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            return {};
        default:
            return {};
    }
}

QVariant FindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const std::array<const char*, ColumnCount> kTitles = {
        QT_TR_NOOP("Kind"),  QT_TR_NOOP("Record"),  QT_TR_NOOP("Point"),  QT_TR_NOOP("Measured"),
        QT_TR_NOOP("Limit"), QT_TR_NOOP("Verdict"), QT_TR_NOOP("Advice")};
    if (section < 0 || section >= ColumnCount) return {};
    return tr(kTitles[static_cast<std::size_t>(section)]);
}

FindingsFilter::FindingsFilter(FindingsModel& findings, QObject* parent)
    : QSortFilterProxyModel(parent), findings_(findings) {
    setSourceModel(&findings);
}

void FindingsFilter::setKind(std::optional<review::FindingKind> kind) {
    kind_ = kind;
    invalidateRowsFilter();
}

void FindingsFilter::setOverLimitOnly(bool overOnly) {
    overOnly_ = overOnly;
    invalidateRowsFilter();
}

bool FindingsFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const Finding& finding = findings_.finding(sourceRow);
    if (kind_ && finding.kind != *kind_) return false;
    return !overOnly_ || finding.overLimit;
}

bool FindingsFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const Finding& a = findings_.finding(left.row());
    const Finding& b = findings_.finding(right.row());
    const int column = left.column();
    if (column == FindingsModel::Kind) return a.kind < b.kind;
    if (column == FindingsModel::Verdict || column == FindingsModel::Advice)
        return cellText(a, column) < cellText(b, column);
    const std::optional<double> x = sortNumber(a, column);
    const std::optional<double> y = sortNumber(b, column);
    if (!x || !y) return x.has_value() && !y;
    return *x < *y;
}

}  // namespace zendro
