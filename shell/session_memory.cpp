#include "shell/session_memory.h"

#include <QDir>
#include <QVariant>
#include <algorithm>
#include <array>
#include <limits>
#include <string>
#include <vector>

#include "common/job_paths.h"
#include "review/limit_table.h"
#include "shell/file_selection.h"
#include "shell/text_codec.h"

namespace zendro {
namespace {

// ~/.config/zendro/zendro-session.ini: beside the zendro.ini the launcher
// keeps there, under a name of its own.
constexpr const char* kOrganisation = "zendro";
constexpr const char* kApplication = "zendro-session";

const QString kGeometryKey = QStringLiteral("window-geometry");
const QString kRecentJobsKey = QStringLiteral("recent-jobs");
const QString kUnitsKey = QStringLiteral("units");
const QString kObsOnlyKey = QStringLiteral("obs-only");
const QString kFeetKey = QStringLiteral("feet");
const QString kReviewSplitterKey = QStringLiteral("review-splitter");
const QString kReportInstrumentKey = QStringLiteral("report-instrument");
const QString kReportCrewKey = QStringLiteral("report-crew");
const QString kEnglish = QStringLiteral("English");
const QString kMetric = QStringLiteral("Metric");

QString latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString unitGroup(const char* what, bool metric) {
    return QString::fromLatin1(what) +
           (metric ? QStringLiteral("-metric") : QStringLiteral("-english"));
}

// A limit's key is its command-line flag without "--limit-": short, and as
// stable as the flag the crews already use.
QString limitKey(const review::LimitDefinition& limit) {
    constexpr std::string_view kFlagStart = "--limit-";
    std::string_view flag = limit.flag;
    if (flag.starts_with(kFlagStart)) flag.remove_prefix(kFlagStart.size());
    return latin1(flag);
}

// The a priori sigmas and what the command line accepts for each: angles
// above 0, lengths and ppm not below 0.
struct SigmaKey {
    double adjustment::AprioriSigmas::*field;
    const char* key;
    bool mustBePositive;
};
constexpr std::array kSigmaKeys = {
    SigmaKey{&adjustment::AprioriSigmas::directionSeconds, "direction-seconds", true},
    SigmaKey{&adjustment::AprioriSigmas::zenithSeconds, "zenith-seconds", true},
    SigmaKey{&adjustment::AprioriSigmas::distanceConstant, "distance-constant", false},
    SigmaKey{&adjustment::AprioriSigmas::distancePpm, "distance-ppm", false},
    SigmaKey{&adjustment::AprioriSigmas::instrumentCentring, "instrument-centring", false},
    SigmaKey{&adjustment::AprioriSigmas::targetCentring, "target-centring", false},
};

// A stored number, only when it is one and lies within [minimum, maximum].
std::optional<double> storedNumber(const QSettings& settings, const QString& key, double minimum,
                                   double maximum) {
    const QVariant stored = settings.value(key);
    if (!stored.isValid()) return std::nullopt;
    bool isNumber = false;
    const double value = stored.toString().trimmed().toDouble(&isNumber);
    // NaN fails both comparisons.
    if (!isNumber || !(value >= minimum && value <= maximum)) return std::nullopt;
    return value;
}

std::optional<bool> storedChoice(const QSettings& settings, const QString& key,
                                 const QString& whenTrue, const QString& whenFalse) {
    const QString stored = settings.value(key).toString();
    if (stored == whenTrue) return true;
    if (stored == whenFalse) return false;
    return std::nullopt;
}

// One entry per job: JOB.HVD and JOB.ctx of one folder are the same job.
std::string jobOf(const QString& cleanedPath) {
    return deriveJobPaths(toPath(cleanedPath)).basePath;
}

QStringList cleanedJobs(const QStringList& paths) {
    QStringList kept;
    std::vector<std::string> jobs;
    for (const QString& path : paths) {
        // A relative path would mean another job in another working folder;
        // a file that is not a field file is no job to open again.
        if (path.isEmpty() || QDir::isRelativePath(path) || !namesAFieldFile(path)) continue;
        const QString cleaned = QDir::cleanPath(path);
        std::string job = jobOf(cleaned);
        if (std::ranges::find(jobs, job) != jobs.end()) continue;
        jobs.push_back(std::move(job));
        kept.append(cleaned);
        if (kept.size() == SessionMemory::kRecentJobsKept) break;
    }
    return kept;
}

}  // namespace

SessionMemory::SessionMemory()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(kOrganisation),
                QString::fromLatin1(kApplication)) {}

SessionMemory::SessionMemory(const QString& filePath) : settings_(filePath, QSettings::IniFormat) {}

QString SessionMemory::userFilePath() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(kOrganisation),
                     QString::fromLatin1(kApplication))
        .fileName();
}

QByteArray SessionMemory::windowGeometry() const {
    return settings_.value(kGeometryKey).toByteArray();
}

void SessionMemory::setWindowGeometry(const QByteArray& geometry) {
    settings_.setValue(kGeometryKey, geometry);
}

QStringList SessionMemory::recentJobs() const {
    return cleanedJobs(settings_.value(kRecentJobsKey).toStringList());
}

void SessionMemory::writeRecentJobs(const QStringList& jobs) {
    if (jobs.isEmpty()) {
        settings_.remove(kRecentJobsKey);
    } else {
        settings_.setValue(kRecentJobsKey, jobs);
    }
}

void SessionMemory::recordJob(const QString& chosenPath) {
    writeRecentJobs(cleanedJobs(QStringList{chosenPath} + recentJobs()));
}

void SessionMemory::forgetJob(const QString& chosenPath) {
    const std::string job = jobOf(QDir::cleanPath(chosenPath));
    QStringList jobs = recentJobs();
    jobs.removeIf([&job](const QString& path) { return jobOf(path) == job; });
    writeRecentJobs(jobs);
}

void SessionMemory::clearRecentJobs() { writeRecentJobs({}); }

std::optional<bool> SessionMemory::metric() const {
    return storedChoice(settings_, kUnitsKey, kMetric, kEnglish);
}

void SessionMemory::setMetric(bool metric) {
    settings_.setValue(kUnitsKey, metric ? kMetric : kEnglish);
}

std::optional<bool> SessionMemory::obsOnly() const {
    return storedChoice(settings_, kObsOnlyKey, QStringLiteral("true"), QStringLiteral("false"));
}

void SessionMemory::setObsOnly(bool obsOnly) {
    settings_.setValue(kObsOnlyKey, obsOnly ? QStringLiteral("true") : QStringLiteral("false"));
}

std::optional<LengthUnit> SessionMemory::footUnit() const {
    // The command line's words: "us" or "international".
    return footNamed(settings_.value(kFeetKey).toString().toStdString());
}

void SessionMemory::setFootUnit(LengthUnit foot) {
    settings_.setValue(kFeetKey, latin1(namesOf(foot).option));
}

QByteArray SessionMemory::reviewSplitter() const {
    return settings_.value(kReviewSplitterKey).toByteArray();
}

void SessionMemory::setReviewSplitter(const QByteArray& state) {
    settings_.setValue(kReviewSplitterKey, state);
}

QString SessionMemory::reportInstrument() const {
    return settings_.value(kReportInstrumentKey).toString();
}

QString SessionMemory::reportCrew() const { return settings_.value(kReportCrewKey).toString(); }

void SessionMemory::setReportFields(const QString& instrument, const QString& crew) {
    settings_.setValue(kReportInstrumentKey, instrument);
    settings_.setValue(kReportCrewKey, crew);
}

review::ReviewLimits SessionMemory::limits(bool metric) const {
    review::ReviewLimits limits = review::defaultLimits(jobUnit(metric));
    const QString group = unitGroup("limits", metric) + QLatin1Char('/');
    for (const review::LimitDefinition& limit : review::limitTable()) {
        if (const std::optional<double> value =
                storedNumber(settings_, group + limitKey(limit), limit.minimum, limit.maximum)) {
            limits.*limit.field = *value;
        }
    }
    return limits;
}

void SessionMemory::setLimits(bool metric, const review::ReviewLimits& limits) {
    const QString group = unitGroup("limits", metric) + QLatin1Char('/');
    for (const review::LimitDefinition& limit : review::limitTable()) {
        settings_.setValue(group + limitKey(limit), limits.*limit.field);
    }
}

adjustment::AprioriSigmas SessionMemory::sigmas(bool metric) const {
    adjustment::AprioriSigmas sigmas = adjustment::defaultSigmas(jobUnit(metric));
    const QString group = unitGroup("sigmas", metric) + QLatin1Char('/');
    for (const SigmaKey& sigma : kSigmaKeys) {
        const std::optional<double> value =
            storedNumber(settings_, group + QString::fromLatin1(sigma.key), 0,
                         std::numeric_limits<double>::max());
        if (value && (*value > 0 || !sigma.mustBePositive)) sigmas.*sigma.field = *value;
    }
    return sigmas;
}

void SessionMemory::setSigmas(bool metric, const adjustment::AprioriSigmas& sigmas) {
    const QString group = unitGroup("sigmas", metric) + QLatin1Char('/');
    for (const SigmaKey& sigma : kSigmaKeys) {
        settings_.setValue(group + QString::fromLatin1(sigma.key), sigmas.*sigma.field);
    }
}

std::optional<QString> SessionMemory::save() {
    settings_.sync();
    // A damaged file reads as FormatError, yet is written afresh: only a
    // failed write loses the session.
    if (settings_.status() != QSettings::AccessError) return std::nullopt;
    return QStringLiteral(
               "%1: cannot be written, so the window's size, the recent jobs and the options "
               "of this session are not remembered")
        .arg(QDir::toNativeSeparators(settings_.fileName()));
}

QString restoredOptionsNote(LengthUnit unit, bool obsOnly) {
    // The default foot goes unsaid, as it did before the foot could be chosen.
    const QString units = isMetric(unit) ? kMetric
                          : unit == LengthUnit::InternationalFoot
                              ? kEnglish + QStringLiteral(", ") + latin1(namesOf(unit).qualified)
                              : kEnglish;
    return QStringLiteral("Restored: %1, OBS Only %2")
        .arg(units, obsOnly ? QStringLiteral("on") : QStringLiteral("off"));
}

}  // namespace zendro
