#include "shell/levels/level_findings_model.h"

#include <QBrush>
#include <QFileInfo>

#include "shell/review/review_widgets.h"

namespace zendro {
namespace {

// The file by its name, as the lines table shows it; the row's tooltip and
// the detail below the table give the whole path.
QString placeText(const levels::LevelFinding& finding) {
    if (finding.file.empty()) return LevelFindingsModel::tr("level network");
    const QString file = QFileInfo(qtText(finding.file)).fileName();
    const std::string place = finding.place();
    return place.empty() ? file : file + QLatin1Char(' ') + qtText(place);
}

}  // namespace

void LevelFindingsModel::setFindings(std::vector<levels::LevelFinding> findings) {
    beginResetModel();
    findings_ = std::move(findings);
    endResetModel();
}

int LevelFindingsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(findings_.size());
}

int LevelFindingsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LevelFindingsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const levels::LevelFinding& f = finding(index.row());
    if (role == Qt::ToolTipRole) return qtText(f.text());
    if (role == Qt::ForegroundRole && f.over) return QBrush(Qt::darkRed);
    if (role == kSortRole) {
        switch (index.column()) {
            case Measured:
                return f.value ? QVariant(f.value->number) : QVariant();
            case Limit:
                return f.limit ? QVariant(f.limit->number) : QVariant();
            case Place:
                return QVariant::fromValue(static_cast<qulonglong>(f.fileLine));
            default:
                return {};
        }
    }
    if (role != Qt::DisplayRole) return {};
    switch (index.column()) {
        case Check:
            return qtText(std::string(levels::levelCheckName(f.check)));
        case Place:
            return placeText(f);
        case Point:
            return qtText(f.point);
        case Measured:
            return f.value ? qtText(f.value->text) : QString();
        case Limit:
            return f.limit ? qtText(f.limit->text) : QString();
        case Verdict:
            return f.measured ? (f.over ? tr("OVER LIMIT") : tr("within limit"))
                              : (f.over ? tr("fault") : QString());
        case Advice:
            return qtText(f.advice.empty() ? f.what : f.advice);
        default:
            return {};
    }
}

QVariant LevelFindingsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case Check:
            return tr("Check");
        case Place:
            return tr("File, line, address");
        case Point:
            return tr("Point");
        case Measured:
            return tr("Measured");
        case Limit:
            return tr("Limit");
        case Verdict:
            return tr("Verdict");
        case Advice:
            return tr("What to do");
        default:
            return {};
    }
}

bool LevelFindingsSorter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(LevelFindingsModel::kSortRole);
    const QVariant b = right.data(LevelFindingsModel::kSortRole);
    if (left.column() == LevelFindingsModel::Place) {
        const int files = QString::localeAwareCompare(left.data().toString().section(' ', 0, 0),
                                                      right.data().toString().section(' ', 0, 0));
        if (files != 0) return files < 0;
        return a.toULongLong() < b.toULongLong();
    }
    if (a.isValid() || b.isValid()) {
        // A finding without a value goes last in either order.
        if (!a.isValid() || !b.isValid())
            return sortOrder() == Qt::AscendingOrder ? a.isValid() : b.isValid();
        return a.toDouble() < b.toDouble();
    }
    return QString::localeAwareCompare(left.data().toString(), right.data().toString()) < 0;
}

void LevelFindingsSorter::setCheck(std::optional<levels::LevelCheck> check) {
    check_ = check;
    invalidateFilter();
}

void LevelFindingsSorter::setOverLimitOnly(bool only) {
    overLimitOnly_ = only;
    invalidateFilter();
}

bool LevelFindingsSorter::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    const auto* findings = static_cast<const LevelFindingsModel*>(sourceModel());
    const levels::LevelFinding& finding = findings->finding(sourceRow);
    return (!check_ || finding.check == *check_) && (!overLimitOnly_ || finding.over);
}

}  // namespace zendro
