#include "shell/conversion_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "shell/conversion_handler.h"
#include "shell/session_memory.h"
#include "shell/text_codec.h"

namespace zendro {

ConversionPage::ConversionPage(ShellDialogs& dialogs, QWidget& window, QWidget* parent)
    : TwipsPage("Frame2", {}, twips(120, 600, 4815, 4095), parent) {
    buildControls();
    handler_ = std::make_unique<ConversionHandler>(dialogs, window, *progressBar_, *statusLine_,
                                                   [this](bool running) { lockForRun(running); });
    connect(fileButton_, &QPushButton::clicked, this, &ConversionPage::chooseFileRequested);
    connect(pathBox_, &QLineEdit::returnPressed, this, [this] { emit pathEntered(path()); });
    connect(downloadButton_, &QPushButton::clicked, this, &ConversionPage::downloadRequested);
    connect(convertButton_, &QPushButton::clicked, this, &ConversionPage::convertRequested);
    connect(cancelButton_, &QPushButton::clicked, this, [this] { handler_->cancel(); });
}

ConversionPage::~ConversionPage() = default;

void ConversionPage::buildControls() {
    obsOnlyBox_ = place(new QCheckBox(QStringLiteral("OBS Only"), this), "OptionOBS",
                        twips(2760, 3480, 1695, 375), true);
    obsOnlyBox_->setChecked(true);
    QGroupBox* units = frame(this, "Frame1", twips(1200, 960, 1935, 615));
    englishUnits_ =
        optionButton(units, "EM1", "&English", "Check if Downloading English Units File",
                     twips(120, 240, 975, 255));
    englishUnits_->setChecked(true);
    metricUnits_ = optionButton(units, "EM2", "&Metric", "Check if downloading metric units file",
                                twips(1080, 240, 735, 255));
    // Beside the units, clear of the design's controls: which foot a job in feet is in.
    feet_ = frame(this, "FootFrame", twips(3240, 900, 1455, 750));
    feet_->setTitle(QStringLiteral("Feet"));
    feet_->setToolTip(
        QStringLiteral("The foot of a job in feet: US survey feet unless the crew "
                       "works in international feet"));
    usSurveyFeet_ =
        optionButton(feet_, "FootUsSurvey", "&US survey",
                     "The job's feet are US survey feet (1200/3937 m)", twips(120, 240, 1215, 255));
    usSurveyFeet_->setChecked(true);
    internationalFeet_ = optionButton(feet_, "FootInternational", "&International",
                                      "The job's feet are international feet (0.3048 m)",
                                      twips(120, 480, 1215, 255));
    // A job in meters has no foot to choose.
    connect(metricUnits_, &QRadioButton::toggled, feet_, &QWidget::setDisabled);
    fileButton_ =
        button(this, "GetFile", "Filename", "Press to Enter Filename", twips(120, 240, 975, 615));
    convertButton_ =
        button(this, "Convert", "&Convert", "Convert Downloaded File From SA to TRV Format",
               twips(120, 3360, 1455, 615));
    QFont convertFont(QStringLiteral("MS Sans Serif"));
    convertFont.setPointSizeF(9.75);
    convertFont.setBold(true);
    convertButton_->setFont(convertFont);
    pathBox_ = textBox(this, "file1", "", twips(1200, 600, 3135, 285));
    // A file dropped on the path box selects it like one dropped on the window.
    pathBox_->setAcceptDrops(false);
    downloadButton_ =
        button(this, "DownLoad", "Download", "Press to initiate download of data collector",
               twips(120, 960, 975, 615));
    // Shown beside Convert while a conversion runs.
    cancelButton_ = button(this, "CancelRun", "Cancel", "Stop the conversion; nothing is written",
                           twips(1680, 3360, 975, 615));
    cancelButton_->hide();
    prefixBox_ = textBox(this, "Prefix1", "S", twips(2040, 1680, 255, 285));
    curveCodeBox_ = textBox(this, "Curvecode1", "*", twips(4080, 1680, 255, 285));
    commentCodeBox_ = textBox(this, "CommentCode1", ",", twips(4080, 2040, 255, 285));
    runSuffixBox_ = textBox(this, "Suffix1", "-99", twips(1680, 2040, 615, 285));
    progressBar_ = place(new QProgressBar(this), "ProgressBar", twips(120, 3000, 4455, 255));
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    progressBar_->setTextVisible(false);
    label(this, "Label2", "Path and File to Download", twips(1200, 240, 2175, 255));
    // The status line reaches to the progress bar's right end, so the longest
    // pass name fits.
    statusLine_ = label(this, "Plabel", "          ", twips(1935, 2640, 2640, 255), false);
    label(this, "Label1", "Add Point Number Prefix", twips(120, 1680, 1815, 255));
    label(this, "Label3", "Curve Code", twips(3120, 1680, 855, 255));
    label(this, "Label4", "Run Suffix", twips(120, 2040, 1095, 255));
    label(this, "Label5", "Comment Delimiter", twips(2400, 2040, 1575, 375));

    // Every control says what it is for; the buttons' own tips stay as designed.
    const std::pair<QWidget*, const char*> tips[] = {
        {pathBox_, "The field file of the job: type a path and press Enter, or use Filename"},
        {prefixBox_, "Put before every point number in the TRV and OBS files"},
        {curveCodeBox_, "The code in a description that marks a point on a curve"},
        {commentCodeBox_, "The character that starts a comment in a description"},
        {runSuffixBox_, "Added to the output files' names, so each run keeps its own"},
        {obsOnlyBox_, "Write only the OBS file, without the TRV file"},
        {progressBar_, "How far the conversion has come"},
    };
    for (const auto& [control, tip] : tips) control->setToolTip(QString::fromLatin1(tip));
}

std::vector<QWidget*> ConversionPage::tabStops() const {
    // Row by row as the page shows them.
    return {fileButton_,     pathBox_,           downloadButton_, englishUnits_, metricUnits_,
            usSurveyFeet_,   internationalFeet_, prefixBox_,      curveCodeBox_, runSuffixBox_,
            commentCodeBox_, convertButton_,     cancelButton_,   obsOnlyBox_};
}

ConversionOptions ConversionPage::options() const {
    ConversionOptions options;
    options.obsOnly = obsOnlyBox_->isChecked();
    options.unit = jobUnit(!englishUnits_->isChecked(), footUnit());
    options.commentCode = toFileText(commentCodeBox_->text());
    options.curveCode = toFileText(curveCodeBox_->text());
    options.pointPrefix = toFileText(prefixBox_->text());
    options.runSuffix = toFileText(runSuffixBox_->text());
    return options;
}

QString ConversionPage::path() const { return pathBox_->text(); }

void ConversionPage::showPath(const QString& path) { pathBox_->setText(path); }

void ConversionPage::showRunSuffix(const QString& suffix) { runSuffixBox_->setText(suffix); }

void ConversionPage::restoreOptions(std::optional<bool> metric, std::optional<bool> obsOnly,
                                    std::optional<LengthUnit> foot) {
    if (metric) (*metric ? metricUnits_ : englishUnits_)->setChecked(true);
    if (obsOnly) obsOnlyBox_->setChecked(*obsOnly);
    if (foot) setFootUnit(*foot);
    // Options other than the design's must not go unnoticed into a conversion.
    if ((metric || obsOnly || foot) && statusLine_->text().trimmed().isEmpty()) {
        statusLine_->setText(
            restoredOptionsNote(jobUnit(this->metric(), footUnit()), this->obsOnly()));
    }
}

bool ConversionPage::metric() const { return metricUnits_->isChecked(); }

void ConversionPage::setFootUnit(LengthUnit foot) {
    (foot == LengthUnit::InternationalFoot ? internationalFeet_ : usSurveyFeet_)->setChecked(true);
}

LengthUnit ConversionPage::footUnit() const {
    return internationalFeet_->isChecked() ? LengthUnit::InternationalFoot : kDefaultFootUnit;
}

bool ConversionPage::obsOnly() const { return obsOnlyBox_->isChecked(); }

void ConversionPage::convert(const JobPaths& job, std::function<void(bool)> finished) {
    handler_->convert(job, options(), std::move(finished));
}

void ConversionPage::setLimitsSource(std::function<review::ReviewLimits(LengthUnit)> source) {
    handler_->setLimitsSource(std::move(source));
}

bool ConversionPage::running() const { return handler_->running(); }

const std::optional<ConversionResult>& ConversionPage::lastResult() const {
    return handler_->lastResult();
}

void ConversionPage::cancelAndWait() { handler_->cancelAndWait(); }

void ConversionPage::showNote(const QString& note) {
    note_ = note;
    statusLine_->setText(note);
}

void ConversionPage::withdrawNote() {
    if (!note_.isEmpty() && statusLine_->text() == note_) {
        statusLine_->clear();
        note_.clear();
    }
}

void ConversionPage::lockForRun(bool running) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{fileButton_, pathBox_, downloadButton_, convertButton_}) {
        control->setEnabled(!running);
    }
    emit runningChanged(running);
    cancelButton_->setVisible(running);
    if (running) cancelButton_->setFocus();
}

}  // namespace zendro
