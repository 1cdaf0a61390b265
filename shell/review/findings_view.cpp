#include "shell/review/findings_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <map>

#include "shell/review/counted_choices.h"
#include "shell/review/findings_model.h"

namespace zendro {

FindingsView::FindingsView(QWidget* parent)
    : QWidget(parent), model_(new FindingsModel(this)), filter_(new FindingsFilter(*model_, this)) {
    kinds_ = new QComboBox(this);
    kinds_->setObjectName(QStringLiteral("ReviewFindingKind"));
    kinds_->setToolTip(tr("Show the findings of one kind; each kind shows its count"));
    kinds_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    overOnly_ = new QCheckBox(tr("over limit only"), this);
    overOnly_->setObjectName(QStringLiteral("ReviewOverLimitOnly"));
    overOnly_->setToolTip(tr("Show only the findings over their limit"));

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("ReviewFindings"));
    table_->setToolTip(
        tr("Click a heading to sort; double-click a finding or press Enter to see its point"));
    table_->setModel(filter_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(-1, Qt::AscendingOrder);  // the report's order until a header is clicked
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    // Tab goes on to the next control; the arrows move between the rows.
    table_->setTabKeyNavigation(false);
    // Fixed row heights and no measuring of contents: 50,000 rows stay quick.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // Widths by what a column holds, set once: measuring 50,000 rows would not be quick.
    const int digit = table_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const int widths[] = {18, 7, 8, 24, 24, 12};  // in digits; the advice takes the rest
    for (int column = 0; column < FindingsModel::Advice; ++column)
        table_->setColumnWidth(column, widths[column] * digit);

    // The finding chosen, whole: its advice may be longer than the column.
    detail_ = new QLabel(this);
    detail_->setObjectName(QStringLiteral("ReviewFindingDetail"));
    detail_->setToolTip(tr("The finding chosen in the table, with its whole advice"));
    detail_->setWordWrap(true);
    detail_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    detail_->setMinimumHeight(3 * detail_->fontMetrics().lineSpacing());
    detail_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* filters = new QHBoxLayout;
    filters->addWidget(kinds_);
    filters->addWidget(overOnly_);
    filters->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(filters);
    layout->addWidget(table_, 1);
    layout->addWidget(detail_);

    fillKinds();
    connect(kinds_, &QComboBox::currentIndexChanged, this, [this] { kindChosen(); });
    connect(overOnly_, &QCheckBox::toggled, filter_, &FindingsFilter::setOverLimitOnly);
    // A double-click, or Enter on the current row.
    connect(table_, &QTableView::activated, this,
            [this](const QModelIndex& index) { rowActivated(index); });
    connect(table_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { showDetail(current); });
    // A filter or a sort that hides or moves rows changes what is current.
    connect(filter_, &QAbstractItemModel::modelReset, this,
            [this] { showDetail(table_->currentIndex()); });
    connect(filter_, &QAbstractItemModel::layoutChanged, this,
            [this] { showDetail(table_->currentIndex()); });
}

void FindingsView::showDetail(const QModelIndex& current) {
    detail_->setText(current.isValid() ? current.data(Qt::ToolTipRole).toString() : QString());
}

FindingsView::~FindingsView() = default;

void FindingsView::setFindings(std::vector<review::Finding> findings) {
    model_->setFindings(std::move(findings));
    fillKinds();
    // The first finding is read whole at once; choosing it moves nothing in the sketch.
    if (!table_->currentIndex().isValid() && filter_->rowCount() > 0)
        table_->setCurrentIndex(filter_->index(0, 0));
    showDetail(table_->currentIndex());
}

void FindingsView::fillKinds() {
    std::map<int, int> counts;  // in the kinds' order
    for (const review::Finding& finding : model_->findings())
        ++counts[static_cast<int>(finding.kind)];
    fillCountedChoices(*kinds_, model_->rowCount(), counts, [](int kind) {
        return findingKindName(static_cast<review::FindingKind>(kind));
    });
    kindChosen();
}

void FindingsView::kindChosen() {
    const int kind = kinds_->currentData().toInt();
    filter_->setKind(kind == kAllChoices ? std::nullopt
                                         : std::optional(static_cast<review::FindingKind>(kind)));
}

void FindingsView::rowActivated(const QModelIndex& index) {
    const review::Finding& finding = model_->finding(filter_->mapToSource(index).row());
    if (finding.point) emit pointChosen(static_cast<qlonglong>(*finding.point));
}

}  // namespace zendro
