#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "conversion/conversion_options.h"
#include "conversion/conversion_run.h"
#include "review/review_limits.h"
#include "shell/background_run.h"
#include "shell/shell_dialogs.h"
#include "shell/twips_page.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace zendro {

class ConversionHandler;

// The "Download & Conversion" page: the job's path, the conversion options,
// Convert and Cancel, and the progress of whatever pass runs. It converts;
// choosing the job and downloading it are the window's, which it asks for
// through its signals.
class ConversionPage final : public TwipsPage {
    Q_OBJECT

  public:
    // `window`: the parent of the page's messages.
    ConversionPage(ShellDialogs& dialogs, QWidget& window, QWidget* parent);
    ~ConversionPage() override;

    // The options as the controls show them.
    ConversionOptions options() const;
    // What the path box shows, and shows from now on.
    QString path() const;
    void showPath(const QString& path);
    void showRunSuffix(const QString& suffix);
    // Units, the foot and OBS Only as remembered from the last session; when
    // one differs from the design's, the status line says so unless it says
    // something else.
    void restoreOptions(std::optional<bool> metric, std::optional<bool> obsOnly,
                        std::optional<LengthUnit> foot = std::nullopt);
    bool metric() const;
    bool obsOnly() const;
    // The foot a job in feet is in, chosen beside English and Metric: US
    // survey feet unless the crew says international feet.
    void setFootUnit(LengthUnit foot);
    LengthUnit footUnit() const;

    // Converts `job` with the page's options: see ConversionHandler::convert.
    void convert(const JobPaths& job, std::function<void(bool completed)> finished);
    // The limits the completion notice's review verdict is judged by.
    void setLimitsSource(std::function<review::ReviewLimits(LengthUnit)> source);
    bool running() const;
    const std::optional<ConversionResult>& lastResult() const;
    void cancelAndWait();

    // A note in the status line, until withdrawn or replaced.
    void showNote(const QString& note);
    // Clears the status line if it still shows the note last shown.
    void withdrawNote();

    // The page's controls in the order the Tab key visits them.
    std::vector<QWidget*> tabStops() const;

  signals:
    void chooseFileRequested();
    void pathEntered(const QString& path);
    void downloadRequested();
    void convertRequested();
    // A run starts or ends: the window locks what would start other work.
    void runningChanged(bool running);

  private:
    void buildControls();
    void lockForRun(bool running);

    QCheckBox* obsOnlyBox_ = nullptr;
    QRadioButton* englishUnits_ = nullptr;
    QRadioButton* metricUnits_ = nullptr;
    QGroupBox* feet_ = nullptr;
    QRadioButton* usSurveyFeet_ = nullptr;
    QRadioButton* internationalFeet_ = nullptr;
    QPushButton* fileButton_ = nullptr;
    QPushButton* convertButton_ = nullptr;
    QPushButton* downloadButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QLineEdit* pathBox_ = nullptr;
    QLineEdit* prefixBox_ = nullptr;
    QLineEdit* curveCodeBox_ = nullptr;
    QLineEdit* commentCodeBox_ = nullptr;
    QLineEdit* runSuffixBox_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QLabel* statusLine_ = nullptr;
    QString note_;  // the note shown last, while shown
    std::unique_ptr<ConversionHandler> handler_;
};

}  // namespace zendro
