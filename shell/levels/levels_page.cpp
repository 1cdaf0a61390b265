#include "shell/levels/levels_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <map>

#include "levels/level_profile.h"
#include "levels/level_report.h"
#include "shell/background_run.h"
#include "shell/levels/level_findings_model.h"
#include "shell/levels/level_profile_widget.h"
#include "shell/review/counted_choices.h"
#include "shell/review/review_widgets.h"
#include "shell/shell_dialogs.h"

namespace zendro {
namespace {

QStringList defaultFilesChooser(const QString& caption, const QString& filter,
                                const QString& folder) {
    return QFileDialog::getOpenFileNames(nullptr, caption, folder, filter);
}

QString namesText(const std::vector<std::string>& paths) {
    QStringList names;
    for (const std::string& path : paths) names << QFileInfo(qtText(path)).fileName();
    return names.join(QStringLiteral(", "));
}

enum LineColumn {
    LineNumber,
    LineFile,
    LineMethod,
    LineFrom,
    LineTo,
    LineSetups,
    LineLength,
    LineMisclosure,
    LineAllowance,
    LineVerdict,
    LineColumnCount
};

}  // namespace

LevelsPage::LevelsPage(ShellDialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      chooseFiles_(defaultFilesChooser),
      background_(std::make_unique<BackgroundRun>([](const QString&) {}, [](int) {})) {
    buildControls();
}

LevelsPage::~LevelsPage() = default;

bool LevelsPage::busy() const { return background_->running() || runWanted_; }

void LevelsPage::buildControls() {
    setObjectName(QStringLiteral("LevelsPage"));
    QPushButton* open = button(this, "LevelsOpen", tr("Open M5 Files..."),
                               tr("Choose the M5 files a DiNi digital level downloaded"));
    QPushButton* control = button(this, "LevelsControl", tr("Control..."),
                                  tr("Choose the control file of the benchmarks (name,,,Z lines)"));
    filesLabel_ = new QLabel(tr("No M5 file"), this);
    filesLabel_->setObjectName(QStringLiteral("LevelsFiles"));
    controlLabel_ = new QLabel(tr("No control file"), this);
    controlLabel_->setObjectName(QStringLiteral("LevelsControlPath"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("LevelsSummary"));
    summary_->setWordWrap(true);

    lines_ = new QTableWidget(0, LineColumnCount, this);
    lines_->setObjectName(QStringLiteral("LevelsLines"));
    lines_->setHorizontalHeaderLabels({tr("Line"), tr("File"), tr("Method"), tr("From"), tr("To"),
                                       tr("Setups"), tr("Length"), tr("Misclosure"),
                                       tr("Allowance"), tr("Closure")});
    lines_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lines_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lines_->setSelectionMode(QAbstractItemView::SingleSelection);
    lines_->verticalHeader()->hide();
    lines_->setToolTip(tr("The levelling lines: choose one to see its profile"));
    profile_ = new LevelProfileWidget(this);

    findings_ = new LevelFindingsModel(this);
    sorter_ = new LevelFindingsSorter(this);
    sorter_->setSourceModel(findings_);
    findingsView_ = new QTableView(this);
    findingsView_->setObjectName(QStringLiteral("LevelsFindings"));
    findingsView_->setModel(sorter_);
    findingsView_->setSortingEnabled(true);
    findingsView_->sortByColumn(-1, Qt::AscendingOrder);  // the run's own order first
    findingsView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    findingsView_->setSelectionMode(QAbstractItemView::SingleSelection);
    findingsView_->verticalHeader()->hide();
    findingsView_->horizontalHeader()->setStretchLastSection(true);
    findingsView_->setToolTip(
        tr("The findings: click a heading to sort; double-click a finding "
           "to see its line"));
    checks_ = new QComboBox(this);
    checks_->setObjectName(QStringLiteral("LevelsFindingCheck"));
    checks_->setToolTip(tr("Show the findings of one check; each check shows its count"));
    checks_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    overLimitOnly_ = new QCheckBox(tr("over limit only"), this);
    overLimitOnly_->setObjectName(QStringLiteral("LevelsOverLimitOnly"));
    overLimitOnly_->setToolTip(tr("Show only the findings over their limit"));
    detail_ = new QLabel(this);
    detail_->setObjectName(QStringLiteral("LevelsFindingDetail"));
    detail_->setWordWrap(true);
    detail_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* top = new QHBoxLayout;
    top->addWidget(open);
    top->addWidget(filesLabel_, 1);
    top->addWidget(control);
    top->addWidget(controlLabel_, 1);

    auto* left = new QSplitter(Qt::Vertical, this);
    left->addWidget(lines_);
    left->addWidget(profile_);
    auto* right = new QWidget(this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto* filters = new QHBoxLayout;
    filters->addWidget(checks_);
    filters->addWidget(overLimitOnly_);
    filters->addStretch(1);
    rightLayout->addLayout(filters);
    rightLayout->addWidget(findingsView_, 1);
    rightLayout->addWidget(detail_);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->setObjectName(QStringLiteral("LevelsSplitter"));
    split->addWidget(left);
    split->addWidget(right);
    // The findings' advice needs the room more than the lines do.
    split->setStretchFactor(0, 2);
    split->setStretchFactor(1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(top);
    layout->addWidget(summary_);
    layout->addWidget(split, 1);

    connect(open, &QPushButton::clicked, this, [this] { openFiles(); });
    connect(control, &QPushButton::clicked, this, [this] { chooseControl(); });
    connect(lines_, &QTableWidget::currentCellChanged, this, [this](int row) { showLine(row); });
    connect(checks_, &QComboBox::currentIndexChanged, this, [this] { checkChosen(); });
    connect(overLimitOnly_, &QCheckBox::toggled, sorter_, &LevelFindingsSorter::setOverLimitOnly);
    connect(findingsView_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { findingActivated(index); });
    connect(findingsView_, &QTableView::activated, this,
            [this](const QModelIndex& index) { findingActivated(index); });
    connect(findingsView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                detail_->setText(current.isValid()
                                     ? current.siblingAtColumn(0).data(Qt::ToolTipRole).toString()
                                     : QString());
            });
}

void LevelsPage::openFiles() {
    const QString folder =
        files_.empty() ? QString() : QFileInfo(qtText(files_.front())).absolutePath();
    const QStringList chosen = chooseFiles_(
        tr("Open M5 Files"), tr("M5 files (*.dat *.DAT *.m5 *.M5);;All files (*)"), folder);
    if (!chosen.isEmpty()) setFiles(chosen);
}

void LevelsPage::chooseControl() {
    const QString chosen =
        dialogs_.chooseFieldFile(this, {tr("Control (*.csv *.txt)"), tr("All files (*)")},
                                 tr("Control (*.csv *.txt)"), qtText(controlPath_));
    if (!chosen.isEmpty()) setControlPath(chosen);
}

void LevelsPage::setFiles(const QStringList& files) {
    files_.clear();
    for (const QString& file : files) files_.push_back(fileText(file));
    filesLabel_->setText(files_.empty() ? tr("No M5 file") : namesText(files_));
    filesLabel_->setToolTip(files.join(QLatin1Char('\n')));
    emit filesChosen(files_);
    run();
}

void LevelsPage::setControlPath(const QString& path) {
    controlPath_ = fileText(path);
    controlLabel_->setText(path.isEmpty() ? tr("No control file") : QFileInfo(path).fileName());
    controlLabel_->setToolTip(path);
    run();
}

void LevelsPage::setUnit(LengthUnit unit) {
    if (unit == unit_) return;
    unit_ = unit;
    if (!files_.empty()) run();
}

void LevelsPage::run() {
    if (background_->running()) {
        runWanted_ = true;
        return;
    }
    runWanted_ = false;
    if (files_.empty()) {
        result_.reset();
        showResult();
        emit runEnded();
        return;
    }
    levels::LevelRunOptions options;
    options.files = files_;
    options.controlPath = controlPath_;
    options.unit = unit_;
    options.foot = isMetric(unit_) ? kDefaultFootUnit : unit_;
    auto made = std::make_shared<std::shared_ptr<const levels::LevelRunResult>>();
    background_->start(
        [options, made](RunObserver&) {
            *made = std::make_shared<const levels::LevelRunResult>(levels::LevelRun(options).run());
        },
        [this, made](BackgroundOutcome outcome) {
            if (runWanted_) {
                run();
                return;
            }
            result_ = *made;
            showResult();
            if (outcome.failure) {
                try {
                    std::rethrow_exception(outcome.failure);
                } catch (const std::exception& error) {
                    dialogs_.showMessage(this, QString::fromLocal8Bit(error.what()),
                                         MessageKind::Error);
                }
            }
            emit runEnded();
        });
}

void LevelsPage::showResult() {
    lines_->setRowCount(0);
    findings_->setFindings({});
    detail_->clear();
    profile_->setProfile({});
    if (!result_) {
        summary_->setText(files_.empty() ? tr("Open the M5 files of a level run.")
                                         : tr("The level run could not be read."));
        return;
    }
    const levels::LevelRunResult& run = *result_;
    // The run is in the job's unit whatever the level wrote: said first, since
    // the control file's heights are read in it too.
    summary_->setText(tr("Heights and lengths in %1, the job's unit. ")
                          .arg(qtText(std::string(unitName(run.forms.unit)))) +
                      qtText(levels::levelSummaryText(run, "", "Adjustment: ")).trimmed());
    lines_->setRowCount(static_cast<int>(run.lines.size()));
    for (std::size_t i = 0; i < run.lines.size(); ++i) {
        const levels::ReducedLine& line = run.lines[i];
        const levels::LevelLine& level = *line.line;
        const levels::LineClosure& closure = line.closure;
        const bool closes = closure.kind != levels::ClosureKind::Open;
        const QStringList cells{QString::number(level.number),
                                QFileInfo(qtText(level.file)).fileName(),
                                qtText(std::string(levels::m5::methodName(level.method))),
                                qtText(level.startPoint),
                                qtText(level.endPoint()),
                                QString::number(line.rows.size()),
                                qtText(run.forms.distance(line.length())),
                                closes ? qtText(run.forms.height(closure.misclosure)) : QString(),
                                closes ? qtText(run.forms.height(closure.allowance)) : QString(),
                                !closes        ? tr("open")
                                : closure.over ? tr("OVER LIMIT")
                                               : tr("within")};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (closure.over) item->setForeground(Qt::darkRed);
            lines_->setItem(static_cast<int>(i), c, item);
        }
    }
    lines_->resizeColumnsToContents();
    findings_->setFindings(run.findings);
    fillChecks();
    findingsView_->resizeColumnsToContents();
    if (!run.lines.empty()) lines_->setCurrentCell(0, 0);
}

// "All (N)", then each check found with its count.
void LevelsPage::fillChecks() {
    std::map<int, int> counts;  // in the checks' order
    for (int row = 0; row < findings_->rowCount(); ++row)
        ++counts[static_cast<int>(findings_->finding(row).check)];
    fillCountedChoices(*checks_, findings_->rowCount(), counts, [](int check) {
        return qtText(std::string(levels::levelCheckName(static_cast<levels::LevelCheck>(check))));
    });
    checkChosen();
}

void LevelsPage::checkChosen() {
    const int check = checks_->currentData().toInt();
    sorter_->setCheck(check == kAllChoices ? std::nullopt
                                           : std::optional(static_cast<levels::LevelCheck>(check)));
}

void LevelsPage::showLine(int line) {
    if (!result_ || line < 0 || static_cast<std::size_t>(line) >= result_->lines.size()) return;
    profile_->setProfile(levels::lineProfile(*result_, static_cast<std::size_t>(line)));
}

void LevelsPage::findingActivated(const QModelIndex& index) {
    if (!result_ || !index.isValid()) return;
    const levels::LevelFinding& finding = findings_->finding(sorter_->mapToSource(index).row());
    for (std::size_t i = 0; i < result_->lines.size(); ++i) {
        const levels::LevelLine& level = *result_->lines[i].line;
        if (level.file == finding.file && level.number == finding.line) {
            lines_->setCurrentCell(static_cast<int>(i), 0);
            return;
        }
    }
}

}  // namespace zendro
