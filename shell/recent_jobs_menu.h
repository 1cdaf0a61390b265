#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QMenu;

namespace zendro {

class SessionMemory;

// The File menu's Recent Jobs: "&1 JOB.HVD in /jobs/day-2" ... from the session memory,
// refilled each time the menu opens, and "Clear Recent Jobs" at the end. A
// job that cannot be opened any more (its files are gone) is taken off.
class RecentJobsMenu final : public QObject {
    Q_OBJECT

  public:
    // Opens the chosen path's job; false when it was refused (and told).
    using OpenJob = std::function<bool(const QString& chosenPath)>;

    // Lives as long as `menu`; `memory` must outlive it.
    RecentJobsMenu(QMenu& menu, SessionMemory& memory, OpenJob open);

    void refill();

  private:
    void open(const QString& chosenPath);
    void refillLater();

    QMenu& menu_;
    SessionMemory& memory_;
    OpenJob open_;
};

// Fills `menu` with the recent jobs of `memory`; choosing one calls `open`.
void attachRecentJobs(QMenu& menu, SessionMemory& memory, RecentJobsMenu::OpenJob open);

}  // namespace zendro
