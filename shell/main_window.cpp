#include "shell/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <optional>
#include <vector>

#include "common/errors.h"
#include "common/file_io.h"
#include "conversion/conversion_options.h"
#include "features/feature_grid.h"
#include "features/point_name_pass.h"
#include "shell/bundled_files.h"
#include "shell/conversion_handler.h"
#include "shell/conversion_page.h"
#include "shell/failure_text.h"
#include "shell/feature_editor.h"
#include "shell/feature_editor_page.h"
#include "shell/file_selection.h"
#include "shell/help_page.h"
#include "shell/installation_settings.h"
#include "shell/levels/levels_page.h"
#include "shell/page_load.h"
#include "shell/recent_jobs_menu.h"
#include "shell/review/adjustment_tab.h"
#include "shell/review/report_tab.h"
#include "shell/review/review_page.h"
#include "shell/review/sketch_widget.h"
#include "shell/session_memory.h"
#include "shell/text_codec.h"
#include "shell/twips_page.h"
#include "shell/window_status.h"

namespace zendro {
namespace {

// The tab strip's width in the design.
constexpr int kTabStripTwips = 4935;

// The tab strip counts its tabs from 0, left to right, in the order of Page.
int tabIndex(Page page) { return static_cast<int>(page); }
Page pageAtTab(int index) { return static_cast<Page>(index); }

}  // namespace

Form1::Form1(ShellDialogs& dialogs, ShellOptions options, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      options_(std::move(options)),
      kermit_(options_.shippedKermitFolder, options_.kermitTerminal) {
    buildControls();
    connectPages();
    buildMenus();

    Form_Load();
    restoreSession();
}

Form1::~Form1() { pageLoad_->cancelAndWait(); }

bool Form1::conversionRunning() const { return conversionPage_->running(); }

bool Form1::reviewBusy() const { return reviewPage_->busy(); }

bool Form1::pageLoading() const { return pageLoad_->running(); }

void Form1::buildControls() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kWindowCaption));
    QFont windowFont = font();
    windowFont.setPointSizeF(8.25);
    setFont(windowFont);
    setAcceptDrops(true);

    // The pages keep their design places inside their own area; the menu bar
    // above and the status bar below take their own heights.
    pageArea_ = new QWidget(this);
    pageArea_->setObjectName(QStringLiteral("PageArea"));

    TabStrip1 = new QTabBar(pageArea_);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->addTab(QStringLiteral("Download && Conversion"));
    TabStrip1->addTab(QStringLiteral("Edit Features"));
    TabStrip1->addTab(QStringLiteral("Help"));
    TabStrip1->addTab(QStringLiteral("Review"));
    TabStrip1->addTab(QStringLiteral("Levels"));
    TabStrip1->setDrawBase(false);
    TabStrip1->setToolTip(QStringLiteral(
        "The pages: conversion, feature editor, help, the job's review and level runs"));
    buildPages();

    const auto px = [this](int design) { return TwipsLayout::toPixels(design, layoutScale_); };
    // The design size is the pages' default and least size; they take any more.
    designSize_ = QSize(px(5205), px(5160));
    pageArea_->setMinimumSize(designSize_);
    TabStrip1->setGeometry(px(120), px(120), px(kTabStripTwips), TabStrip1->sizeHint().height());
    // The tabs stay clickable where a page frame reaches up to them.
    TabStrip1->raise();

    status_ = new WindowStatus(this);
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName(QStringLiteral("MenuBar"));
    // In the window on every desktop, so the design's layout is the same everywhere.
    menuBar_->setNativeMenuBar(false);
    auto* windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->setSpacing(0);
    windowLayout->setMenuBar(menuBar_);
    windowLayout->addWidget(pageArea_, 1);
    windowLayout->addWidget(status_);
    // Once every page is there: its resizes lay them out.
    pageArea_->installEventFilter(this);
    resize(windowLayout->minimumSize());
    pageLoad_ = new PageLoad(*this, *status_);
    orderTabStops();
    addTabShortcuts();
}

void Form1::buildPages() {
    conversionPage_ = new ConversionPage(dialogs_, *this, pageArea_);
    editorPage_ = new FeatureEditorPage(dialogs_, *this, pageArea_);
    helpPage_ = new HelpPage(pageArea_);
    reviewPage_ = new ReviewPage(dialogs_, pageArea_);
    reviewPage_->setObjectName(QStringLiteral("ReviewPage"));
    layout_.add(reviewPage_, twips(120, 600, 4815, 4440), false, TwipsLayout::Stretch::Both);
    levelsPage_ = new LevelsPage(dialogs_, pageArea_);
    layout_.add(levelsPage_, twips(120, 600, 4815, 4440), false, TwipsLayout::Stretch::Both);

    // One scale for all pages, the one at which every caption of every page
    // fits, and every page's tab with its caption whole.
    layoutScale_ =
        std::max(layout_.fittingScale(), TwipsLayout::scaleToFit(*TabStrip1, kTabStripTwips));
    for (const TwipsPage* page :
         std::initializer_list<const TwipsPage*>{conversionPage_, editorPage_, helpPage_}) {
        layoutScale_ = std::max(layoutScale_, page->fittingScale());
    }
    for (TwipsPage* page :
         std::initializer_list<TwipsPage*>{conversionPage_, editorPage_, helpPage_}) {
        page->settle(layoutScale_);
    }
    layout_.apply(layoutScale_);
}

void Form1::connectPages() {
    connect(conversionPage_, &ConversionPage::chooseFileRequested, this,
            [this] { GetFile_Click(); });
    connect(conversionPage_, &ConversionPage::pathEntered, this, [this] { file1_Enter(); });
    connect(conversionPage_, &ConversionPage::downloadRequested, this,
            [this] { DownLoad_Click(); });
    connect(conversionPage_, &ConversionPage::convertRequested, this, [this] { Convert_Click(); });
    connect(conversionPage_, &ConversionPage::runningChanged, this,
            [this](bool running) { lockForRun(running); });
    connect(pageLoad_, &PageLoad::runningChanged, this,
            [this](bool running) { lockForRun(running); });
    connect(TabStrip1, &QTabBar::currentChanged, this,
            [this](int index) { TabStrip1_Click(pageAtTab(index)); });
    connect(editorPage_, &FeatureEditorPage::saved, this,
            [this](bool edited) { featuresSaved(edited); });
    connect(reviewPage_, &ReviewPage::editEntryRequested, this,
            [this](std::size_t entry) { editEntry(entry); });
    // The level runs opened on the Levels page join the job's review.
    connect(levelsPage_, &LevelsPage::filesChosen, this,
            [this](const std::vector<std::string>& files) { reviewPage_->setLevelFiles(files); });
}

void Form1::buildMenus() {
    std::array<QString, 5> pageNames;
    for (int tab = 0; tab < TabStrip1->count(); ++tab) {
        pageNames[static_cast<std::size_t>(tab)] = TabStrip1->tabText(tab);
    }
    menus_ = buildWindowMenus(*menuBar_, editorPage_->editor().actions(), pageNames);
    // Also on the window itself, so their keys work while a menu is closed.
    addActions(menuBar_->actions());
    connect(menus_.openJob, &QAction::triggered, this, [this] {
        showFirstTab();
        GetFile_Click();
    });
    connect(menus_.convert, &QAction::triggered, this, [this] {
        showFirstTab();
        Convert_Click();
    });
    connect(menus_.download, &QAction::triggered, this, [this] { DownLoad_Click(); });
    connect(menus_.exportPoints, &QAction::triggered, this, [this] {
        if (openReviewPage()) reviewPage_->openExportDialog();
    });
    connect(menus_.exportSketch, &QAction::triggered, this, [this] {
        if (openReviewPage()) reviewPage_->exportSketch();
    });
    connect(menus_.exportReport, &QAction::triggered, this, [this] {
        if (openReviewPage()) reviewPage_->exportReport();
    });
    connect(menus_.quit, &QAction::triggered, this, &QWidget::close);
    for (std::size_t tab = 0; tab < menus_.pages.size(); ++tab) {
        const Page page = pageAtTab(static_cast<int>(tab));
        connect(menus_.pages[tab], &QAction::triggered, this, [this, page] { goToPage(page); });
    }
    connect(menus_.fitSketch, &QAction::triggered, this, [this] {
        if (openReviewPage()) reviewPage_->sketch().fitToWindow();
    });
    connect(menus_.helpPage, &QAction::triggered, this, [this] { goToPage(Page::Help); });
    connect(menus_.userGuide, &QAction::triggered, this, [this] { openUserGuide(); });
    // After the editor's own save: Ctrl+S says it saved, as Done's return does.
    connect(editorPage_->editor().actions().save, &QAction::triggered, this, [this] {
        const FeatureEditor& editor = editorPage_->editor();
        if (!editor.sourcePath().empty() && !editor.hasUnsavedEdits()) {
            status_->showMessage(
                savedStatusText(QFileInfo(fromPath(editor.sourcePath())).fileName(),
                                QDateTime::currentDateTime()),
                kSavedNoteMs);
        }
    });
    connect(menus_.about, &QAction::triggered, this,
            [this] { dialogs_.showMessage(this, aboutText(), MessageKind::Notice); });
}

bool Form1::openReviewPage() {
    if (!reviewPage_->isVisible()) goToPage(Page::Review);
    return TabStrip1->isEnabled() && reviewPage_->isVisible();
}

void Form1::goToPage(Page page) {
    if (TabStrip1->isEnabled()) TabStrip1->setCurrentIndex(tabIndex(page));
}

void Form1::orderTabStops() {
    // Row by row as the pages show them; a hidden page's controls are passed over.
    std::vector<QWidget*> order{TabStrip1};
    for (const std::vector<QWidget*>& stops :
         {conversionPage_->tabStops(), editorPage_->tabStops(), helpPage_->tabStops()}) {
        order.insert(order.end(), stops.begin(), stops.end());
    }
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void Form1::addTabShortcuts() {
    const auto add = [this](QKeyCombination keys, int step) {
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, this,
                [this, step] { switchTab(step); });
    };
    add(Qt::CTRL | Qt::Key_Tab, 1);
    add(Qt::CTRL | Qt::Key_PageDown, 1);
    add(Qt::CTRL | Qt::Key_PageUp, -1);
}

void Form1::switchTab(int step) {
    // Locked while a conversion runs, as the tabs are.
    if (!TabStrip1->isEnabled()) return;
    const int count = TabStrip1->count();
    TabStrip1->setCurrentIndex((TabStrip1->currentIndex() + step + count) % count);
}

void Form1::layOutPages() {
    const QSize extra = (pageArea_->size() - designSize_).expandedTo(QSize(0, 0));
    for (const TwipsPage* page :
         std::initializer_list<const TwipsPage*>{conversionPage_, editorPage_, helpPage_}) {
        page->layOut(layoutScale_, extra);
    }
    layout_.apply(layoutScale_, extra);
    TabStrip1->resize(TwipsLayout::toPixels(4935, layoutScale_) + extra.width(),
                      TabStrip1->height());
}

void Form1::lockForRun(bool running) {
    TabStrip1->setEnabled(!running);
    for (QAction* action :
         {menus_.openJob, menus_.convert, menus_.download, menus_.recentJobs->menuAction()}) {
        action->setEnabled(!running);
    }
}

void Form1::Form_Load() {
    installation_ = std::make_unique<InstallationSettings>(
        [this](const QString& text, MessageKind kind) { showMessage(text, kind); });
    session_.installFolder = installation_->folder();
    const Settings& saved = installation_->atStartup();
    savedFolder_ = fromPath(saved.lastFolder);
    session_.kermitFolder = saved.kermitFolder;
    session_.kermitSettingsName = saved.kermitSettingsName;
    conversionPage_->showPath(savedFolder_);

    showPage(Page::Conversion);
}

bool Form1::Form_Unload() {
    // Without a choice this session, the folder it started with stays remembered.
    const std::string& lastFolder =
        session_.jobSelected() ? session_.job.folderPath : installation_->atStartup().lastFolder;
    return installation_->writeAtExit(
        lastFolder, [this](const QString& text, MessageKind kind) { showMessage(text, kind); });
}

std::string Form1::settingsPath() const { return installation_->filePath(); }

void Form1::closeEvent(QCloseEvent* event) {
    // The window closes only once a running conversion has stopped.
    if (conversionPage_->running()) {
        if (!dialogs_.confirm(this, QString::fromLatin1(kCancelRunQuestion))) {
            event->ignore();
            return;
        }
        // Stops at its next record, so the wait is short.
        conversionPage_->cancelAndWait();
    }
    // A Kermit receiving the job would be cut off mid-file.
    if (kermit_.running() &&
        !dialogs_.confirm(this, QString::fromLatin1(kKermitRunningCloseQuestion))) {
        event->ignore();
        return;
    }
    if (!editorPage_->editor().settleUnsavedEdits()) {
        event->ignore();
        return;
    }
    // A page still waiting holds nothing of the user's: it stops at once.
    pageLoad_->cancelAndWait();
    kermit_.stop();
    rememberSession();
    Form_Unload();
    event->accept();
}

void Form1::GetFile_Click() {
    const QString chosen = dialogs_.chooseFieldFile(
        this, fieldFileFilters(), QString::fromLatin1(kSaFilesFilter), conversionPage_->path());
    // A cancelled dialog changes nothing.
    if (chosen.isEmpty()) return;
    selectJob(chosen);
}

void Form1::file1_Enter() {
    const QString typed = conversionPage_->path();
    if (!typed.isEmpty()) selectJob(typed);
}

bool Form1::selectJob(const QString& typedPath) {
    if (typedPath.isEmpty()) return false;
    // Resolved once, so Kermit's folder and argument and the saved folder do
    // not depend on the working folder later.
    const QString chosenPath = QDir::isRelativePath(typedPath)
                                   ? QDir::cleanPath(QDir::current().absoluteFilePath(typedPath))
                                   : typedPath;
    JobPaths job;
    try {
        job = jobForChosenPath(chosenPath);
    } catch (const std::exception& error) {
        showMessage(failureText(error, toPath(chosenPath)));
        return false;
    }
    if (!editorPage_->editor().settleUnsavedEdits()) return false;
    // Another job starts afresh: nothing of the last one's review, control,
    // level runs, adjustment or conversion is shown, kept or exported. Level
    // runs join a job by point number, and numbers are each job's own.
    if (job.basePath != session_.job.basePath) {
        reviewPage_->closeJob();
        levelsPage_->setFiles({});
        status_->clearConversion();
    }
    session_.job = std::move(job);
    chosenPath_ = chosenPath;
    conversionPage_->showPath(chosenPath);
    conversionPage_->showRunSuffix(fromPath(session_.job.runSuffix));
    status_->showJob(chosenPath);
    showEditsState();
    if (memory_) memory_->recordJob(chosenPath);
    return true;
}

bool Form1::openJob(const QString& path) {
    // Cleaned first: "x/../JOB.HVD" names the job even when x is gone.
    const QString named = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (!path.isEmpty() && !QFileInfo::exists(named)) {
        // Any field file left, in any case of its extension, still makes the job.
        const JobPaths job = deriveJobPaths(toPath(named));
        if (findFieldFile(job.hvdPath).empty() && findFieldFile(job.ctxPath).empty() &&
            findFieldFile(job.rtxPath).empty()) {
            showMessage(named +
                        QStringLiteral(": the file does not exist, nor does another field file "
                                       "of this job"));
            return false;
        }
    }
    return selectJob(path);
}

void Form1::attachRecentJobs(QMenu& menu) {
    if (memory_) {
        // As Open Job... does, the job opens on the first page.
        zendro::attachRecentJobs(menu, *memory_, [this](const QString& path) {
            if (!openJob(path)) return false;
            showFirstTab();
            return true;
        });
    }
}

void Form1::restoreSession() {
    if (options_.sessionMemoryFile.isEmpty()) return;
    memory_ = std::make_unique<SessionMemory>(options_.sessionMemoryFile);
    attachRecentJobs(*menus_.recentJobs);
    // Only what the user set is kept: the defaults may improve later.
    for (const bool metric : {false, true}) reviewPage_->setLimits(metric, memory_->limits(metric));
    conversionPage_->setLimitsSource(
        [this](LengthUnit unit) { return reviewPage_->limits(isMetric(unit)); });
    connect(reviewPage_, &ReviewPage::limitsEdited, this,
            [this](bool metric) { memory_->setLimits(metric, reviewPage_->limits(metric)); });
    AdjustmentTab& adjustment = reviewPage_->adjustmentTab();
    for (const bool metric : {false, true}) adjustment.setSigmas(metric, memory_->sigmas(metric));
    connect(&adjustment, &AdjustmentTab::sigmasEdited, this,
            [this](bool metric, const adjustment::AprioriSigmas& sigmas) {
                memory_->setSigmas(metric, sigmas);
            });
    // Bytes that are not a geometry leave the design size.
    if (const QByteArray geometry = memory_->windowGeometry(); !geometry.isEmpty()) {
        restoreGeometry(geometry);
    }
    conversionPage_->restoreOptions(memory_->metric(), memory_->obsOnly(), memory_->footUnit());
    reviewPage_->restoreSplitterState(memory_->reviewSplitter());
    reviewPage_->reportTab().setFields(memory_->reportInstrument(), memory_->reportCrew());
}

void Form1::rememberSession() {
    if (!memory_) return;
    memory_->setWindowGeometry(saveGeometry());
    memory_->setMetric(conversionPage_->metric());
    memory_->setObsOnly(conversionPage_->obsOnly());
    memory_->setFootUnit(conversionPage_->footUnit());
    memory_->setReviewSplitter(reviewPage_->splitterState());
    memory_->setReportFields(reviewPage_->reportTab().instrument(),
                             reviewPage_->reportTab().crew());
    if (const std::optional<QString> problem = memory_->save()) {
        showMessage(*problem, MessageKind::Warning);
    }
}

void Form1::DownLoad_Click() {
    // One Kermit at a time: a second one would fight over the serial line.
    if (kermit_.running()) {
        showMessage(stillRunningMessage(kermit_.processId()), MessageKind::Warning);
        return;
    }
    // Without a job the files would land in whatever folder the program started from.
    if (!session_.jobSelected()) {
        showMessage(QString::fromLatin1(kDownloadNeedsJobMessage), MessageKind::Warning);
        return;
    }
    readKermitSettings();
    try {
        const ProgramStart started = kermit_.start(session_, [this](const KermitEnd& end) {
            const bool failed = end.crashed || end.exitCode != 0;
            showMessage(kermitEndedMessage(end),
                        failed ? MessageKind::Warning : MessageKind::Notice);
        });
        if (started.withoutWindow) {
            showMessage(withoutWindowMessage(kermit_.processId()), MessageKind::Warning);
        }
    } catch (const std::exception& error) {
        showMessage(failureText(error, session_.job.folderPath + kJobKermitSettings));
    }
}

void Form1::readKermitSettings() {
    installation_->readKermitLines(session_.kermitFolder, session_.kermitSettingsName);
}

void Form1::Convert_Click() {
    if (!editorPage_->editor().settleUnsavedEdits()) return;
    const std::string pfPath = session_.job.pfPath;
    conversionPage_->convert(session_.job, [this, pfPath](bool completed) {
        if (completed && editedSinceConversion_ == pfPath) editedSinceConversion_.clear();
        if (const std::optional<ConversionResult>& result = conversionPage_->lastResult();
            completed && result) {
            status_->showConversion(QDateTime::currentDateTime(), result->recordCount,
                                    result->warningCount);
        }
        showEditsState();
    });
}

void Form1::showEditsState() {
    if (!editedSinceConversion_.empty() && editedSinceConversion_ == session_.job.pfPath) {
        conversionPage_->showNote(editsNotConvertedNote());
        status_->showEditsNotConverted(QFileInfo(fromPath(session_.job.obsPath)).fileName());
        return;
    }
    status_->showEditsNotConverted({});
    conversionPage_->withdrawNote();
}

QString editsNotConvertedNote() {
    // Short enough for the page's status line whatever the job's name: the
    // status bar names the OBS file.
    return QStringLiteral("Edits not yet converted: Convert");
}

QString savedStatusText(const QString& fileName, const QDateTime& at) {
    return QStringLiteral("%1 saved at %2").arg(fileName, at.toString(QStringLiteral("HH:mm")));
}

// The pages that show a job's points say so and go back to page 1 when no job
// is selected.
bool Form1::refusedWithoutJob() {
    if (session_.jobSelected()) return false;
    showMessage(QString::fromLatin1(kCannotViewMessage), MessageKind::Warning);
    showFirstTab();
    return true;
}

void Form1::selectTab(Page page) {
    const QSignalBlocker block(TabStrip1);
    TabStrip1->setCurrentIndex(tabIndex(page));
}

void Form1::TabStrip1_Click(Page page) {
    // The tabs are locked while a page waits; a switch made without them waits too.
    if (pageLoad_->running()) {
        selectTab(shownPage_);
        return;
    }
    if (page != Page::FeatureEditor && editorPage_->isVisible() &&
        !editorPage_->editor().settleUnsavedEdits()) {
        selectTab(Page::FeatureEditor);  // the user stays with the edits
        return;
    }
    const Page from = shownPage_;
    switch (page) {
        case Page::Conversion:
            showPage(page);
            // The path box shows the job that Convert converts.
            conversionPage_->showPath(session_.jobSelected() ? chosenPath_ : savedFolder_);
            break;
        case Page::FeatureEditor:
            if (refusedWithoutJob()) return;
            showPage(page);
            loadFeatureGrid(from);
            break;
        case Page::Help:
            showPage(page);
            break;
        case Page::Review:
            if (refusedWithoutJob()) return;
            showPage(page);
            showReview(from);
            break;
        case Page::Levels:
            // A level run needs no job; it is in the unit the job is.
            levelsPage_->setUnit(conversionPage_->options().unit);
            showPage(page);
            break;
    }
}

void Form1::loadFeatureGrid(Page from) {
    // Every visit rebuilds the grid from the file; edits were settled on leaving.
    const JobPaths job = session_.job;
    if (!fileExists(job.pfPath) && findFieldFile(job.ctxPath).empty()) {
        // Saving an empty grid would hide the CTX file's descriptions for good.
        showMessage(fromPath(job.ctxPath) +
                        QStringLiteral(": the CTX file does not exist: there are no point features "
                                       "to edit yet"),
                    MessageKind::Warning);
        showFirstTab();
        return;
    }
    struct Loaded {
        std::vector<FeatureRow> rows;
        std::string sourcePath;
    };
    auto loaded = std::make_shared<Loaded>();
    const auto work = [job, commentCode = conversionPage_->options().commentCode,
                       loaded](RunObserver& observer) {
        runPointNamePass(job, commentCode, observer);
        if (observer.cancelRequested()) throw RunCancelled(job.pfPath);
        if (fileExists(job.pfPath)) {
            loaded->rows = loadFeatureRows(readFileBytes(job.pfPath));
            loaded->sourcePath = job.pfPath;
        }
    };
    pageLoad_->start(
        *editorPage_, work,
        [this, loaded, job](BackgroundOutcome outcome) {
            if (!outcome.warnings.isEmpty()) {
                showMessage(warningsMessage(outcome.warnings), MessageKind::Warning);
            }
            if (outcome.failure) {
                try {
                    std::rethrow_exception(outcome.failure);
                } catch (const std::exception& error) {
                    showMessage(failureText(error, job.pfPath));
                }
                entryToShow_.reset();
                showFirstTab();
                return;
            }
            editorPage_->load(loaded->rows, loaded->sourcePath);
            if (entryToShow_) editorPage_->showEntry(*entryToShow_);
            entryToShow_.reset();
        },
        [this, from] {
            entryToShow_.reset();
            returnToPage(from);
        });
}

void Form1::returnToPage(Page page) {
    selectTab(page);
    showPage(page);
}

void Form1::PointGrid1_Click(int row) { editorPage_->chooseRow(row); }

bool Form1::PointGrid1_MouseDown(const QMouseEvent& event) {
    return editorPage_->blankRowOnPress(event);
}

void Form1::GridText1_Change(const QString& text) { editorPage_->descriptionEdited(text); }

void Form1::ComText1_Change(const QString& text) { editorPage_->commentEdited(text); }

void Form1::Command1_Click() { editorPage_->done(); }

void Form1::featuresSaved(bool edited) {
    if (edited) editedSinceConversion_ = session_.job.pfPath;
    showFirstTab();
    showEditsState();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pageArea_ && event->type() == QEvent::Resize) layOutPages();
    return QWidget::eventFilter(watched, event);
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile() || conversionPage_->running() ||
        pageLoad_->running()) {
        return;
    }
    event->acceptProposedAction();
    if (selectJob(urls.first().toLocalFile())) showFirstTab();
}

QWidget& Form1::pageWidget(Page page) const {
    switch (page) {
        case Page::Conversion:
            return *conversionPage_;
        case Page::FeatureEditor:
            return *editorPage_;
        case Page::Help:
            return *helpPage_;
        case Page::Review:
            return *reviewPage_;
        case Page::Levels:
            return *levelsPage_;
    }
    return *conversionPage_;
}

void Form1::showPage(Page page) {
    shownPage_ = page;
    for (const Page each :
         {Page::Conversion, Page::FeatureEditor, Page::Help, Page::Review, Page::Levels}) {
        pageWidget(each).setVisible(each == page);
    }
}

void Form1::showReview(Page from) {
    // Like the feature editor, the review needs the point-feature file.
    const ConversionOptions options = conversionPage_->options();
    const JobPaths job = session_.job;
    pageLoad_->start(
        *reviewPage_,
        [job, commentCode = options.commentCode](RunObserver& observer) {
            runPointNamePass(job, commentCode, observer);
        },
        [this, job, options](BackgroundOutcome outcome) {
            if (outcome.failure) {
                try {
                    std::rethrow_exception(outcome.failure);
                } catch (const std::exception& error) {
                    showMessage(failureText(error, job.pfPath));
                }
            }
            reviewPage_->showJob(job, options, conversionPage_->lastResult());
        },
        [this, from] { returnToPage(from); });
}

// A point double-clicked in the sketch: its row in the feature editor.
void Form1::editEntry(std::size_t entry) {
    // Through the tab's click handler, which loads the grid and then shows it.
    entryToShow_ = entry;
    TabStrip1->setCurrentIndex(tabIndex(Page::FeatureEditor));
    if (!pageLoad_->running()) entryToShow_.reset();
}

void Form1::openUserGuide() {
    const std::string folder =
        findBundledFolder(QApplication::applicationDirPath(), QString::fromLatin1(kUserGuideFolder),
                          QString::fromLatin1(kUserGuideName));
    if (folder.empty()) {
        showMessage(QStringLiteral("The user guide (%1) is not installed with this program")
                        .arg(QString::fromLatin1(kUserGuideName)),
                    MessageKind::Warning);
        return;
    }
    const QString guide = fromPath(folder) + QString::fromLatin1(kUserGuideName);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(guide))) {
        showMessage(guide + QStringLiteral(": no program to show it was found"),
                    MessageKind::Warning);
    }
}

void Form1::showFirstTab() {
    selectTab(Page::Conversion);
    TabStrip1_Click(Page::Conversion);
}

void Form1::showMessage(const QString& text, MessageKind kind) {
    dialogs_.showMessage(isVisible() ? this : nullptr, text, kind);
}

}  // namespace zendro
