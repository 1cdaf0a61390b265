#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/length_unit.h"
#include "levels/level_run.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QTableView;
class QTableWidget;

namespace zendro {

class BackgroundRun;
class LevelFindingsModel;
class LevelFindingsSorter;
class LevelProfileWidget;
class ShellDialogs;

// The "Levels" page: the M5 files of a digital level and the control file
// of their benchmarks, run as zendro-level runs them, off the window's
// thread: their lines with closures, the findings (sortable by any column)
// and the chosen line's profile. The files chosen join the job's review.
class LevelsPage final : public QWidget {
    Q_OBJECT
  public:
    // Returns the files chosen, or none when cancelled: (caption, filter, folder).
    using FilesChooser = std::function<QStringList(const QString&, const QString&, const QString&)>;

    explicit LevelsPage(ShellDialogs& dialogs, QWidget* parent = nullptr);
    ~LevelsPage() override;

    void setFilesChooser(FilesChooser chooser) { chooseFiles_ = std::move(chooser); }
    // The files (Open M5 Files...) and the control file (Control...) to run;
    // each runs them again.
    void openFiles();
    void chooseControl();
    void setFiles(const QStringList& files);
    void setControlPath(const QString& path);
    // The window's unit: the run is in it, and runs again when it changes.
    void setUnit(LengthUnit unit);

    bool busy() const;
    // The run shown; null before the first and after a failed one.
    const levels::LevelRunResult* result() const { return result_.get(); }
    const std::vector<std::string>& files() const { return files_; }
    LevelProfileWidget& profile() const { return *profile_; }

  signals:
    // The files chosen, for the job's review.
    void filesChosen(const std::vector<std::string>& files);
    // A run has ended and been shown (or its failure told).
    void runEnded();

  private:
    void buildControls();
    void run();
    void showResult();
    void showLine(int line);
    void findingActivated(const QModelIndex& index);
    void fillChecks();
    void checkChosen();

    ShellDialogs& dialogs_;
    FilesChooser chooseFiles_;
    std::vector<std::string> files_;
    std::string controlPath_;
    LengthUnit unit_ = kDefaultFootUnit;
    bool runWanted_ = false;  // asked for while a run was working
    std::shared_ptr<const levels::LevelRunResult> result_;

    QLabel* filesLabel_ = nullptr;
    QLabel* controlLabel_ = nullptr;
    QLabel* summary_ = nullptr;
    QTableWidget* lines_ = nullptr;
    LevelProfileWidget* profile_ = nullptr;
    LevelFindingsModel* findings_ = nullptr;
    LevelFindingsSorter* sorter_ = nullptr;
    QTableView* findingsView_ = nullptr;
    QComboBox* checks_ = nullptr;  // all findings, or one check's
    QCheckBox* overLimitOnly_ = nullptr;
    QLabel* detail_ = nullptr;
    // Last: the work it runs is ended first.
    std::unique_ptr<BackgroundRun> background_;
};

}  // namespace zendro
