#include "shell/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <array>
#include <exception>
#include <optional>
#include <vector>

#include "common/file_io.h"
#include "conversion/conversion_options.h"
#include "features/feature_grid.h"
#include "features/point_name_pass.h"
#include "shell/conversion_handler.h"
#include "shell/failure_text.h"
#include "shell/feature_editor.h"
#include "shell/file_selection.h"
#include "shell/help_text.h"
#include "shell/installation_settings.h"
#include "shell/margin_keeper.h"
#include "shell/recent_jobs_menu.h"
#include "shell/review/adjustment_tab.h"
#include "shell/review/review_page.h"
#include "shell/review/sketch_widget.h"
#include "shell/session_memory.h"
#include "shell/text_codec.h"
#include "shell/window_status.h"

namespace zendro {
namespace {

// Positions and sizes below are the design layout in twips.
QRect twips(int left, int top, int width, int height) { return {left, top, width, height}; }

template <typename Widget>
Widget* place(TwipsLayout& layout, Widget* widget, const char* name, const QRect& design,
              bool captionMustFit = false,
              TwipsLayout::Stretch stretch = TwipsLayout::Stretch::None) {
    widget->setObjectName(QString::fromLatin1(name));
    layout.add(widget, design, captionMustFit, stretch);
    return widget;
}

QGroupBox* frame(TwipsLayout& layout, QWidget* parent, const char* name, const QString& caption,
                 const QRect& design, TwipsLayout::Stretch stretch) {
    auto* result = new QGroupBox(caption, parent);
    result->setObjectName(QString::fromLatin1(name));
    layout.add(result, design, false, stretch);
    return result;
}

QLabel* label(TwipsLayout& layout, QWidget* parent, const char* name, const char* caption,
              const QRect& design, bool captionMustFit = true) {
    return place(layout, new QLabel(QString::fromLatin1(caption), parent), name, design,
                 captionMustFit);
}

QLineEdit* textBox(TwipsLayout& layout, QWidget* parent, const char* name, const char* text,
                   const QRect& design) {
    return place(layout, new QLineEdit(QString::fromLatin1(text), parent), name, design);
}

QPushButton* button(TwipsLayout& layout, QWidget* parent, const char* name, const char* caption,
                    const char* toolTip, const QRect& design) {
    auto* result =
        place(layout, new QPushButton(QString::fromLatin1(caption), parent), name, design, true);
    if (toolTip != nullptr) result->setToolTip(QString::fromLatin1(toolTip));
    return result;
}

QRadioButton* optionButton(TwipsLayout& layout, QWidget* parent, const char* name,
                           const char* caption, const char* toolTip, const QRect& design) {
    auto* result =
        place(layout, new QRadioButton(QString::fromLatin1(caption), parent), name, design, true);
    result->setToolTip(QString::fromLatin1(toolTip));
    return result;
}

}  // namespace

Form1::Form1(ShellDialogs& dialogs, ShellOptions options, QWidget* parent)
    : QWidget(parent),
      dialogs_(dialogs),
      options_(std::move(options)),
      kermit_(options_.shippedKermitFolder, options_.kermitTerminal) {
    buildControls();
    editor_ = std::make_unique<FeatureEditor>(
        dialogs_, *this,
        FeatureEditorControls{*Frame3, *PointGrid1, *GridLabel1, *GridText1, *ComText1, *Command1});
    new MarginKeeper(*HelpText1, MarginKeeper::Mode::Grow);
    conversion_ = std::make_unique<ConversionHandler>(
        dialogs_, *this, *ProgressBar, *Plabel, [this](bool running) { lockForRun(running); });

    connect(GetFile, &QPushButton::clicked, this, [this] { GetFile_Click(); });
    connect(file1, &QLineEdit::returnPressed, this, [this] { file1_Enter(); });
    connect(DownLoad, &QPushButton::clicked, this, [this] { DownLoad_Click(); });
    connect(Convert, &QPushButton::clicked, this, [this] { Convert_Click(); });
    connect(CancelRun, &QPushButton::clicked, this, [this] { conversion_->cancel(); });
    connect(TabStrip1, &QTabBar::currentChanged, this,
            [this](int index) { TabStrip1_Click(index + 1); });
    connect(PointGrid1, &QTableWidget::cellClicked, this,
            [this](int row, int) { PointGrid1_Click(row); });
    // Moving through the rows with the keyboard chooses rows as clicks do.
    connect(PointGrid1, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (row >= 0) PointGrid1_Click(row);
    });
    PointGrid1->viewport()->installEventFilter(this);
    connect(GridText1, &QLineEdit::textChanged, this,
            [this](const QString& text) { GridText1_Change(text); });
    connect(ComText1, &QLineEdit::textChanged, this,
            [this](const QString& text) { ComText1_Change(text); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(reviewPage_, &ReviewPage::editEntryRequested, this,
            [this](std::size_t entry) { editEntry(entry); });
    buildMenus();

    Form_Load();
    restoreSession();
}

Form1::~Form1() = default;

bool Form1::conversionRunning() const { return conversion_->running(); }

bool Form1::reviewBusy() const { return reviewPage_->busy(); }

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
    QWidget* pages = pageArea_;

    TabStrip1 = new QTabBar(pages);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->addTab(QStringLiteral("Download && Conversion"));
    TabStrip1->addTab(QStringLiteral("Edit Features"));
    TabStrip1->addTab(QStringLiteral("Help"));
    TabStrip1->addTab(QStringLiteral("Review"));
    TabStrip1->setDrawBase(false);
    TwipsLayout& layout = layout_;
    constexpr auto kStretch = TwipsLayout::Stretch::Both;

    // Page 1: download and conversion.
    Frame2 = frame(layout, pages, "Frame2", {}, twips(120, 600, 4815, 4095), kStretch);
    OptionOBS = place(layout, new QCheckBox(QStringLiteral("OBS Only"), Frame2), "OptionOBS",
                      twips(2760, 3480, 1695, 375), true);
    OptionOBS->setChecked(true);
    Frame1 = frame(layout, Frame2, "Frame1", {}, twips(1200, 960, 1935, 615),
                   TwipsLayout::Stretch::None);
    EM1 = optionButton(layout, Frame1, "EM1", "&English", "Check if Downloading English Units File",
                       twips(120, 240, 975, 255));
    EM1->setChecked(true);
    EM2 = optionButton(layout, Frame1, "EM2", "&Metric", "Check if downloading metric units file",
                       twips(1080, 240, 735, 255));
    GetFile = button(layout, Frame2, "GetFile", "Filename", "Press to Enter Filename",
                     twips(120, 240, 975, 615));
    Convert = button(layout, Frame2, "Convert", "&Convert",
                     "Convert Downloaded File From SA to TRV Format", twips(120, 3360, 1455, 615));
    QFont convertFont(QStringLiteral("MS Sans Serif"));
    convertFont.setPointSizeF(9.75);
    convertFont.setBold(true);
    Convert->setFont(convertFont);
    file1 = textBox(layout, Frame2, "file1", "", twips(1200, 600, 3135, 285));
    // A file dropped on the path box selects it like one dropped on the window.
    file1->setAcceptDrops(false);
    DownLoad = button(layout, Frame2, "DownLoad", "Download",
                      "Press to initiate download of data collector", twips(120, 960, 975, 615));
    // Shown beside Convert while a conversion runs.
    CancelRun = button(layout, Frame2, "CancelRun", "Cancel",
                       "Stop the conversion; nothing is written", twips(1680, 3360, 975, 615));
    CancelRun->hide();
    Prefix1 = textBox(layout, Frame2, "Prefix1", "S", twips(2040, 1680, 255, 285));
    Curvecode1 = textBox(layout, Frame2, "Curvecode1", "*", twips(4080, 1680, 255, 285));
    CommentCode1 = textBox(layout, Frame2, "CommentCode1", ",", twips(4080, 2040, 255, 285));
    Suffix1 = textBox(layout, Frame2, "Suffix1", "-99", twips(1680, 2040, 615, 285));
    ProgressBar =
        place(layout, new QProgressBar(Frame2), "ProgressBar", twips(120, 3000, 4455, 255));
    ProgressBar->setRange(0, 100);
    ProgressBar->setValue(0);
    ProgressBar->setTextVisible(false);
    Label2 =
        label(layout, Frame2, "Label2", "Path and File to Download", twips(1200, 240, 2175, 255));
    // The status line reaches to the progress bar's right end, so the longest
    // pass name fits.
    Plabel = label(layout, Frame2, "Plabel", "          ", twips(1935, 2640, 2640, 255), false);
    Label1 =
        label(layout, Frame2, "Label1", "Add Point Number Prefix", twips(120, 1680, 1815, 255));
    Label3 = label(layout, Frame2, "Label3", "Curve Code", twips(3120, 1680, 855, 255));
    Label4 = label(layout, Frame2, "Label4", "Run Suffix", twips(120, 2040, 1095, 255));
    Label5 = label(layout, Frame2, "Label5", "Comment Delimiter", twips(2400, 2040, 1575, 375));

    // Page 2: the feature editor.
    Frame3 = frame(layout, pages, "Frame3", {}, twips(240, 600, 4695, 4215), kStretch);
    ComText1 = textBox(layout, Frame3, "ComText1", "Comment", twips(2280, 240, 2175, 285));
    GridText1 = textBox(layout, Frame3, "GridText1", "Description", twips(1200, 240, 975, 285));
    PointGrid1 =
        place(layout, new QTableWidget(0, 3, Frame3), "PointGrid1", twips(120, 600, 4455, 3015));
    const QStringList headings = QString::fromLatin1(kGridFormat).split(QLatin1Char('|'));
    PointGrid1->setHorizontalHeaderLabels(headings);
    PointGrid1->verticalHeader()->hide();
    PointGrid1->setWordWrap(false);
    PointGrid1->verticalHeader()->setDefaultSectionSize(PointGrid1->fontMetrics().height() + 6);
    Command1 = button(layout, Frame3, "Command1", "Done", nullptr, twips(1800, 3720, 1095, 375));
    GridLabel1 = label(layout, Frame3, "GridLabel1", "POINT", twips(240, 240, 855, 255));
    EditStatus = label(layout, Frame3, "EditStatus", "", twips(120, 3720, 1620, 375), false);
    EditStatus->setWordWrap(true);

    // Page 3: help.
    Frame4 = frame(layout, pages, "Frame4", QStringLiteral("ZUZ Conversion Help"),
                   twips(360, 480, 4695, 4455), kStretch);
    HelpText1 = place(layout, new QListWidget(Frame4), "HelpText1", twips(120, 240, 4455, 3960));

    // Page 4: the job review.
    reviewPage_ = place(layout, new ReviewPage(dialogs_, pages), "ReviewPage",
                        twips(120, 600, 4815, 4440), false, kStretch);

    layoutScale_ = layout.fittingScale();
    layout.apply(layoutScale_);
    const auto px = [this](int design) { return TwipsLayout::toPixels(design, layoutScale_); };
    // The design size is the pages' default and least size; they take any more.
    designSize_ = QSize(px(5205), px(5160));
    pageArea_->setMinimumSize(designSize_);
    TabStrip1->setGeometry(px(120), px(120), px(4935), TabStrip1->sizeHint().height());
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
    orderTabStops();
    addTabShortcuts();
    addToolTips();
}

void Form1::buildMenus() {
    std::array<QString, 4> pageNames;
    for (int tab = 0; tab < TabStrip1->count(); ++tab) {
        pageNames[static_cast<std::size_t>(tab)] = TabStrip1->tabText(tab);
    }
    menus_ = buildWindowMenus(*menuBar_, editor_->actions(), pageNames);
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
    for (std::size_t page = 0; page < menus_.pages.size(); ++page) {
        // Through the tab strip, whose handler settles edits and refuses without a job.
        connect(menus_.pages[page], &QAction::triggered, this, [this, page] {
            if (TabStrip1->isEnabled()) TabStrip1->setCurrentIndex(static_cast<int>(page));
        });
    }
    connect(menus_.fitSketch, &QAction::triggered, this, [this] {
        if (openReviewPage()) reviewPage_->sketch().fitToWindow();
    });
    connect(menus_.helpPage, &QAction::triggered, this, [this] {
        if (TabStrip1->isEnabled()) TabStrip1->setCurrentIndex(static_cast<int>(Page::Help) - 1);
    });
    connect(menus_.about, &QAction::triggered, this,
            [this] { dialogs_.showMessage(this, aboutText(), MessageKind::Notice); });
}

bool Form1::openReviewPage() {
    if (!TabStrip1->isEnabled()) return false;
    if (!reviewPage_->isVisible()) {
        TabStrip1->setCurrentIndex(static_cast<int>(Page::Review) - 1);
    }
    return reviewPage_->isVisible();
}

void Form1::addToolTips() {
    // Every control says what it is for; the buttons' own tips stay as designed.
    const std::pair<QWidget*, const char*> tips[] = {
        {file1, "The field file of the job: type a path and press Enter, or use Filename"},
        {Prefix1, "Put before every point number in the TRV and OBS files"},
        {Curvecode1, "The code in a description that marks a point on a curve"},
        {CommentCode1, "The character that starts a comment in a description"},
        {Suffix1, "Added to the output files' names, so each run keeps its own"},
        {OptionOBS, "Write only the OBS file, without the TRV file"},
        {TabStrip1, "The pages: conversion, feature editor, help and the job's review"},
        {Command1, "Save the point features and go back to the conversion page"},
        {GridText1, "The chosen point's description: typing changes it at once"},
        {ComText1, "The chosen point's comment: typing changes it at once"},
        {PointGrid1,
         "The job's points: click to choose, double-click to edit, Shift+click to blank a row"},
        {HelpText1, "How to download, convert and edit a job"},
        {ProgressBar, "How far the conversion has come"},
    };
    for (const auto& [control, tip] : tips) {
        if (control->toolTip().isEmpty()) control->setToolTip(QString::fromLatin1(tip));
    }
}

void Form1::orderTabStops() {
    // Row by row as the pages show them; a hidden page's controls are passed over.
    PointGrid1->setTabKeyNavigation(false);
    const std::vector<QWidget*> order{TabStrip1,  GetFile,   file1,      DownLoad,  EM1,
                                      EM2,        Prefix1,   Curvecode1, Suffix1,   CommentCode1,
                                      Convert,    CancelRun, OptionOBS,  GridText1, ComText1,
                                      PointGrid1, Command1,  HelpText1};
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
    layout_.apply(layoutScale_, extra);
    TabStrip1->resize(TwipsLayout::toPixels(4935, layoutScale_) + extra.width(),
                      TabStrip1->height());
}

void Form1::lockForRun(bool running) {
    const std::vector<QWidget*> startingOtherWork{GetFile, file1, DownLoad, Convert, TabStrip1};
    for (QWidget* control : startingOtherWork) control->setEnabled(!running);
    for (QAction* action : {menus_.openJob, menus_.convert, menus_.download,
                            menus_.recentJobs->menuAction()}) {
        action->setEnabled(!running);
    }
    CancelRun->setVisible(running);
    if (running) CancelRun->setFocus();
}

void Form1::Form_Load() {
    installation_ = std::make_unique<InstallationSettings>(
        [this](const QString& text, MessageKind kind) { showMessage(text, kind); });
    session_.installFolder = installation_->folder();
    const Settings& saved = installation_->atStartup();
    savedFolder_ = fromPath(saved.lastFolder);
    session_.kermitFolder = saved.kermitFolder;
    session_.kermitSettingsName = saved.kermitSettingsName;
    file1->setText(savedFolder_);

    showPage(Frame2);
    HelpText1->addItems(helpTextItems());
}

bool Form1::Form_Unload() {
    // Without a choice this session, the folder it started with stays remembered.
    const std::string& lastFolder = session_.jobSelected() ? session_.job.folderPath
                                                           : installation_->atStartup().lastFolder;
    return installation_->writeAtExit(
        lastFolder, [this](const QString& text, MessageKind kind) { showMessage(text, kind); });
}

std::string Form1::settingsPath() const { return installation_->filePath(); }

void Form1::closeEvent(QCloseEvent* event) {
    // The window closes only once a running conversion has stopped.
    if (conversion_->running()) {
        if (!dialogs_.confirm(this, QString::fromLatin1(kCancelRunQuestion))) {
            event->ignore();
            return;
        }
        // Stops at its next record, so the wait is short.
        conversion_->cancelAndWait();
    }
    // A Kermit receiving the job would be cut off mid-file.
    if (kermit_.running() &&
        !dialogs_.confirm(this, QString::fromLatin1(kKermitRunningCloseQuestion))) {
        event->ignore();
        return;
    }
    if (!editor_->settleUnsavedEdits()) {
        event->ignore();
        return;
    }
    kermit_.stop();
    rememberSession();
    Form_Unload();
    event->accept();
}

void Form1::GetFile_Click() {
    const QString chosen = dialogs_.chooseFieldFile(
        this, fieldFileFilters(), QString::fromLatin1(kSaFilesFilter), file1->text());
    // A cancelled dialog changes nothing.
    if (chosen.isEmpty()) return;
    selectJob(chosen);
}

void Form1::file1_Enter() {
    if (!file1->text().isEmpty()) selectJob(file1->text());
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
    if (!editor_->settleUnsavedEdits()) return false;
    session_.job = std::move(job);
    chosenPath_ = chosenPath;
    file1->setText(chosenPath);
    Suffix1->setText(fromPath(session_.job.runSuffix));
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
        zendro::attachRecentJobs(menu, *memory_,
                                 [this](const QString& path) { return openJob(path); });
    }
}

void Form1::restoreSession() {
    if (options_.sessionMemoryFile.isEmpty()) return;
    memory_ = std::make_unique<SessionMemory>(options_.sessionMemoryFile);
    attachRecentJobs(*menus_.recentJobs);
    // Only what the user set is kept: the defaults may improve later.
    for (const bool metric : {false, true}) reviewPage_->setLimits(metric, memory_->limits(metric));
    connect(reviewPage_, &ReviewPage::limitsEdited, this, [this](bool metric) {
        memory_->setLimits(metric, reviewPage_->limits(metric));
    });
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
    const std::optional<bool> metric = memory_->metric();
    const std::optional<bool> obsOnly = memory_->obsOnly();
    if (metric) (*metric ? EM2 : EM1)->setChecked(true);
    if (obsOnly) OptionOBS->setChecked(*obsOnly);
    // Options other than the design's must not go unnoticed into a conversion.
    if ((metric || obsOnly) && Plabel->text().trimmed().isEmpty()) {
        Plabel->setText(restoredOptionsNote(EM2->isChecked(), OptionOBS->isChecked()));
    }
}

void Form1::rememberSession() {
    if (!memory_) return;
    memory_->setWindowGeometry(saveGeometry());
    memory_->setMetric(EM2->isChecked());
    memory_->setObsOnly(OptionOBS->isChecked());
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

ConversionOptions Form1::currentOptions() const {
    ConversionOptions options;
    options.obsOnly = OptionOBS->isChecked();
    options.metric = !EM1->isChecked();
    options.commentCode = toFileText(CommentCode1->text());
    options.curveCode = toFileText(Curvecode1->text());
    options.pointPrefix = toFileText(Prefix1->text());
    options.runSuffix = toFileText(Suffix1->text());
    return options;
}

void Form1::Convert_Click() {
    if (!editor_->settleUnsavedEdits()) return;
    const ConversionOptions options = currentOptions();
    const std::string pfPath = session_.job.pfPath;
    conversion_->convert(session_.job, options, [this, pfPath](bool completed) {
        if (completed && editedSinceConversion_ == pfPath) editedSinceConversion_.clear();
        if (completed && conversion_->lastResult()) {
            status_->showConversion(QDateTime::currentDateTime(),
                                    conversion_->lastResult()->recordCount,
                                    conversion_->lastResult()->warningCount);
        }
        showEditsState();
    });
}

void Form1::showEditsState() {
    if (!editedSinceConversion_.empty() && editedSinceConversion_ == session_.job.pfPath) {
        editsNote_ = editsNotConvertedNote(session_.job.obsPath);
        Plabel->setText(editsNote_);
        status_->showEditsNotConverted(QFileInfo(fromPath(session_.job.obsPath)).fileName());
        return;
    }
    status_->showEditsNotConverted({});
    if (!editsNote_.isEmpty() && Plabel->text() == editsNote_) {
        Plabel->clear();
        editsNote_.clear();
    }
}

QString editsNotConvertedNote(const std::string& obsPath) {
    return QStringLiteral("%1 is older than the edits: Convert")
        .arg(QFileInfo(fromPath(obsPath)).fileName());
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
    TabStrip1->setCurrentIndex(static_cast<int>(page) - 1);
}

void Form1::TabStrip1_Click(int tab) {
    const auto page = static_cast<Page>(tab);
    if (page != Page::FeatureEditor && Frame3->isVisible() && !editor_->settleUnsavedEdits()) {
        selectTab(Page::FeatureEditor);  // the user stays with the edits
        return;
    }
    switch (page) {
        case Page::Conversion:
            showPage(Frame2);
            // The path box shows the job that Convert converts.
            file1->setText(session_.jobSelected() ? chosenPath_ : savedFolder_);
            break;
        case Page::FeatureEditor:
            if (refusedWithoutJob()) return;
            showPage(Frame3);
            loadFeatureGrid();
            break;
        case Page::Help:
            showPage(Frame4);
            break;
        case Page::Review:
            if (refusedWithoutJob()) return;
            showPage(reviewPage_);
            showReview();
            break;
    }
}

void Form1::loadFeatureGrid() {
    // Every visit rebuilds the grid from the file; edits were settled on leaving.
    EditStatus->clear();
    const std::string& pfPath = session_.job.pfPath;
    if (!fileExists(pfPath) && findFieldFile(session_.job.ctxPath).empty()) {
        // Saving an empty grid would hide the CTX file's descriptions for good.
        showMessage(fromPath(session_.job.ctxPath) +
                        QStringLiteral(": the CTX file does not exist: there are no point features "
                                       "to edit yet"),
                    MessageKind::Warning);
        showFirstTab();
        return;
    }
    const QString statusBefore = Plabel->text();
    const int progressBefore = ProgressBar->value();
    WindowObserver observer(*ProgressBar, *Plabel, options_.throttle);
    try {
        runPointNamePass(session_.job, currentOptions().commentCode, observer);
        const bool hasFile = fileExists(pfPath);
        editor_->load(loadFeatureRows(hasFile ? readFileBytes(pfPath) : std::string()),
                      hasFile ? pfPath : std::string());
        // The pass is over: page 1 shows no pass that is not running.
        Plabel->setText(statusBefore);
        ProgressBar->setValue(progressBefore);
    } catch (const std::exception& error) {
        // Page 1 shows what it showed before this visit, not a pass that never finished.
        Plabel->setText(statusBefore);
        ProgressBar->setValue(progressBefore);
        if (!observer.warnings().isEmpty()) {
            showMessage(warningsMessage(observer.warnings()), MessageKind::Warning);
        }
        showMessage(failureText(error, session_.job.pfPath));
        showFirstTab();
        return;
    }
    if (!observer.warnings().isEmpty()) {
        showMessage(warningsMessage(observer.warnings()), MessageKind::Warning);
    }
}

void Form1::PointGrid1_Click(int row) { editor_->chooseRow(row); }

bool Form1::PointGrid1_MouseDown(const QMouseEvent& event) {
    constexpr Qt::KeyboardModifiers kHeld =
        Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    if ((event.modifiers() & kHeld) != Qt::ShiftModifier) return false;
    // The row under the pointer; the selection stays, since Shift would extend it.
    const std::optional<std::string> point =
        editor_->blankRow(PointGrid1->rowAt(event.position().toPoint().y()));
    if (!point) return false;
    EditStatus->setText(blankedRowNote(fromFileText(*point)));
    return true;
}

QString blankedRowNote(const QString& point) {
    return QStringLiteral("Point %1 blanked; Ctrl+Z undoes").arg(point.trimmed());
}

void Form1::GridText1_Change(const QString& text) { editor_->descriptionEdited(text); }

void Form1::ComText1_Change(const QString& text) { editor_->commentEdited(text); }

void Form1::Command1_Click() {
    // On failure the previous file and the grid stay as they are.
    const bool edited = editor_->hasUnsavedEdits();
    if (!editor_->save()) return;
    if (edited) editedSinceConversion_ = session_.job.pfPath;
    showFirstTab();
    showEditsState();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == pageArea_ && event->type() == QEvent::Resize) layOutPages();
    if (watched == PointGrid1->viewport() && event->type() == QEvent::MouseButtonPress &&
        PointGrid1_MouseDown(*static_cast<QMouseEvent*>(event))) {
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile() || conversion_->running()) return;
    event->acceptProposedAction();
    if (selectJob(urls.first().toLocalFile())) showFirstTab();
}

void Form1::showPage(QWidget* page) {
    for (QWidget* frame : std::initializer_list<QWidget*>{Frame2, Frame3, Frame4, reviewPage_}) {
        frame->setVisible(frame == page);
    }
}

void Form1::showReview() {
    // Like the feature editor, the review needs the point-feature file.
    const QString statusBefore = Plabel->text();
    const int progressBefore = ProgressBar->value();
    WindowObserver observer(*ProgressBar, *Plabel, options_.throttle);
    try {
        runPointNamePass(session_.job, currentOptions().commentCode, observer);
    } catch (const std::exception& error) {
        showMessage(failureText(error, session_.job.pfPath));
    }
    Plabel->setText(statusBefore);
    ProgressBar->setValue(progressBefore);
    reviewPage_->showJob(session_.job, currentOptions(), conversion_->lastResult());
}

// A point double-clicked in the sketch: its row in the feature editor.
void Form1::editEntry(std::size_t entry) {
    // Through the tab's click handler, which loads the grid.
    TabStrip1->setCurrentIndex(static_cast<int>(Page::FeatureEditor) - 1);
    const int row = static_cast<int>(entry) - 1;
    if (!Frame3->isVisible() || row >= PointGrid1->rowCount()) return;
    PointGrid1->setCurrentCell(row, 1);
    PointGrid1->scrollToItem(PointGrid1->item(row, 1));
}

void Form1::showFirstTab() {
    selectTab(Page::Conversion);
    TabStrip1_Click(static_cast<int>(Page::Conversion));
}

void Form1::showMessage(const QString& text, MessageKind kind) {
    dialogs_.showMessage(isVisible() ? this : nullptr, text, kind);
}

}  // namespace zendro
