#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <optional>

#include "adjustment/apriori_sigmas.h"
#include "common/length_unit.h"
#include "review/review_limits.h"

namespace zendro {

// What the window remembers from one session to the next: its size and place,
// the recent jobs, the options, the review's limits and a priori sigmas, and
// the job report's instrument and crew.
// It lives in its own file in the user's configuration folder, apart from
// zendro.ini, whose three lines belong to the installation and are never
// touched here. Whatever in the file is damaged or foreign reads as not
// remembered: the value's default stands.
class SessionMemory {
  public:
    // The user's file: zendro-session.ini in the configuration folder's
    // zendro/ (~/.config/zendro/ on Linux).
    SessionMemory();
    explicit SessionMemory(const QString& filePath);
    SessionMemory(const SessionMemory&) = delete;
    SessionMemory& operator=(const SessionMemory&) = delete;

    static QString userFilePath();
    QString filePath() const { return settings_.fileName(); }

    // saveGeometry()'s bytes; empty when none are kept.
    QByteArray windowGeometry() const;
    void setWindowGeometry(const QByteArray& geometry);

    // The chosen paths of the last jobs, most recent first: absolute, cleaned,
    // field files only, one per job (whichever field file chose it), at most
    // kRecentJobsKept.
    static constexpr int kRecentJobsKept = 8;
    QStringList recentJobs() const;
    void recordJob(const QString& chosenPath);
    void forgetJob(const QString& chosenPath);
    void clearRecentJobs();

    // English/Metric and OBS Only as last left; empty when not remembered.
    std::optional<bool> metric() const;
    void setMetric(bool metric);
    std::optional<bool> obsOnly() const;
    void setObsOnly(bool obsOnly);
    // The foot of a job in feet as last chosen; empty when not remembered.
    std::optional<LengthUnit> footUnit() const;
    void setFootUnit(LengthUnit foot);

    // Where the Review page parts its sketch and its report (QSplitter's
    // saveState); empty when none is kept.
    QByteArray reviewSplitter() const;
    void setReviewSplitter(const QByteArray& state);

    // The job report's instrument and crew as last typed; empty when not remembered.
    QString reportInstrument() const;
    QString reportCrew() const;
    void setReportFields(const QString& instrument, const QString& crew);

    // Kept per unit system, as a feet job and a meter job need other values.
    review::ReviewLimits limits(bool metric) const;
    void setLimits(bool metric, const review::ReviewLimits& limits);
    adjustment::AprioriSigmas sigmas(bool metric) const;
    void setSigmas(bool metric, const adjustment::AprioriSigmas& sigmas);

    // Writes what was set. The file and the cause when it could not be written.
    std::optional<QString> save();

  private:
    void writeRecentJobs(const QStringList& jobs);

    QSettings settings_;
};

// The status line's note of the options a session started with, short enough
// for the conversion page's status line at the design size:
// "Restored: Metric, OBS Only off"; a job in international feet reads
// "Restored: English, intl ft, OBS Only on".
QString restoredOptionsNote(LengthUnit unit, bool obsOnly);

}  // namespace zendro
