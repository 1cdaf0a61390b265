#pragma once

#include <QDateTime>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "common/conversion_options.h"
#include "shell/session_state.h"
#include "common/version.h"
#include "shell/kermit_download.h"
#include "settings/settings_file.h"
#include "shell/installation_settings.h"
#include "shell/shell_dialogs.h"
#include "shell/twips_layout.h"
#include "shell/window_menus.h"

class QMenu;
class QMenuBar;
class QMouseEvent;
class QTabBar;

namespace zendro {

class ConversionPage;
class FeatureEditorPage;
class HelpPage;
class PageLoad;
class LevelsPage;
class ReviewPage;
class SessionMemory;
class WindowStatus;

struct ShellOptions {
    // Folder of the Kermit settings file shipped with the program.
    std::string shippedKermitFolder;
    KermitTerminal kermitTerminal = KermitTerminal::WhenNoConsole;
    // The file the window remembers its session in (SessionMemory); empty:
    // nothing is remembered, as in tests that do not ask for it.
    QString sessionMemoryFile;
};

// The window's pages, in the order of their tabs from the left.
enum class Page { Conversion, FeatureEditor, Help, Review, Levels };

// The one window of the program: a frame over its pages. It keeps the tab
// strip, the menus, the status bar and the selected job, and carries what one
// page does to the others; each page owns its controls. It shows and
// collects; the core computes.
class Form1 final : public QWidget {
    Q_OBJECT

  public:
    explicit Form1(ShellDialogs& dialogs, ShellOptions options = {}, QWidget* parent = nullptr);
    ~Form1() override;

    const SessionState& session() const { return session_; }
    std::string settingsPath() const;
    // The factor by which the design layout grew so that every caption fits.
    double layoutScale() const { return layoutScale_; }
    // The pages' area below the menu bar, at least the design size.
    QWidget& pageArea() const { return *pageArea_; }
    const WindowMenus& menus() const { return menus_; }
    const WindowStatus& status() const { return *status_; }
    // Whether a conversion runs on its worker thread now.
    bool conversionRunning() const;
    // Whether the Review page works on the job off the window's thread now.
    bool reviewBusy() const;
    // Whether a page waits for its work on the job (the point-name pass, the
    // feature grid's rows) before it shows.
    bool pageLoading() const;

    // Event handlers, named after their control and event.
    void GetFile_Click();
    void file1_Enter();
    void DownLoad_Click();
    void Convert_Click();
    void TabStrip1_Click(Page page);
    void PointGrid1_Click(int row);
    // True when the press blanked a row: it then selects nothing.
    bool PointGrid1_MouseDown(const QMouseEvent& event);
    void GridText1_Change(const QString& text);
    void ComText1_Change(const QString& text);
    void Command1_Click();

    // Makes the job of `chosenPath` the selected one. Opens nothing, writes
    // nothing; a path that names no file is reported and changes nothing.
    bool selectJob(const QString& chosenPath);
    // A job named from outside the window (the command line, Recent Jobs),
    // selected as a chosen file is; a path whose job has no field file left is
    // reported and refused.
    bool openJob(const QString& path);
    // Fills `menu` with the remembered recent jobs (nothing without a session memory).
    void attachRecentJobs(QMenu& menu);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    void buildPages();
    void connectPages();
    void buildMenus();
    void layOutPages();
    // The page of the Review tab, shown through the tab's handler; false when refused.
    bool openReviewPage();
    // Shows `page` through the tab strip, whose handler settles edits and
    // refuses without a job; nothing while the tabs are locked.
    void goToPage(Page page);
    void orderTabStops();
    void addTabShortcuts();
    void switchTab(int step);
    // Locks what would start other work while a conversion runs.
    void lockForRun(bool running);
    void readKermitSettings();
    void Form_Load();
    bool Form_Unload();
    QWidget& pageWidget(Page page) const;
    void showPage(Page page);
    // Puts the tab strip on `page` without running its click handler.
    void selectTab(Page page);
    void showFirstTab();
    bool refusedWithoutJob();
    // Each waits for its work off the window's thread; a cancel goes back to
    // the page `from`.
    void loadFeatureGrid(Page from);
    void showReview(Page from);
    void returnToPage(Page page);
    void editEntry(std::size_t entry);
    void featuresSaved(bool edited);
    void showMessage(const QString& text, MessageKind kind = MessageKind::Error);
    // The status line's note that JOB.obs lacks the edits saved with Done.
    void showEditsState();
    void restoreSession();
    void rememberSession();
    // Help > User guide: the manual, in the desktop's viewer.
    void openUserGuide();

    ShellDialogs& dialogs_;
    ShellOptions options_;
    SessionState session_;
    QString chosenPath_;        // the path of the selected job, as chosen
    QString savedFolder_;       // the folder saved at the last exit
    // The point-feature file saved by Done since the job was last converted.
    std::string editedSinceConversion_;
    std::unique_ptr<InstallationSettings> installation_;  // zendro.ini
    double layoutScale_ = 1.0;
    TwipsLayout layout_;  // the pages that place no controls of their own
    QSize designSize_;

    QMenuBar* menuBar_ = nullptr;
    QWidget* pageArea_ = nullptr;
    WindowStatus* status_ = nullptr;
    WindowMenus menus_;
    QTabBar* TabStrip1 = nullptr;
    ConversionPage* conversionPage_ = nullptr;
    FeatureEditorPage* editorPage_ = nullptr;
    HelpPage* helpPage_ = nullptr;
    ReviewPage* reviewPage_ = nullptr;
    LevelsPage* levelsPage_ = nullptr;
    Page shownPage_ = Page::Conversion;
    PageLoad* pageLoad_ = nullptr;
    // The point-feature entry to show once the grid has loaded.
    std::optional<std::size_t> entryToShow_;

    KermitDownload kermit_;
    std::unique_ptr<SessionMemory> memory_;  // null without ShellOptions::sessionMemoryFile
};

inline constexpr const char* kWindowCaption = "ZUZ Conversion - " ZENDRO_VERSION_TEXT;
inline constexpr const char* kCannotViewMessage =
    "Cannot view the data without converting it first. ^_^";
inline constexpr const char* kCancelRunQuestion =
    "A conversion is running. Cancel it and close the window? Nothing of this conversion "
    "is written.";

// The conversion page's status line after Done, until the job is converted again.
QString editsNotConvertedNote();

// The status bar's note for a while after Ctrl+S: "HWY12-3.pf saved at 14:02".
QString savedStatusText(const QString& fileName, const QDateTime& at);
inline constexpr int kSavedNoteMs = 8000;

// The manual: README.md in bin/../doc/zendro/ of the build tree, or in the
// installed documentation (share/doc/zendro/).
inline constexpr const char* kUserGuideFolder = "../doc/zendro";
inline constexpr const char* kUserGuideName = "README.md";

}  // namespace zendro
