#include "shell/recent_jobs_menu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "shell/session_memory.h"

namespace zendro {
namespace {

constexpr int kFolderWidth = 420;  // pixels of a job's folder in its entry

}  // namespace

RecentJobsMenu::RecentJobsMenu(QMenu& menu, SessionMemory& memory, OpenJob open)
    : QObject(&menu), menu_(menu), memory_(memory), open_(std::move(open)) {
    // The full paths show as tooltips; the entries name only the files.
    menu_.setToolTipsVisible(true);
    connect(&menu_, &QMenu::aboutToShow, this, &RecentJobsMenu::refill);
    refill();
}

void RecentJobsMenu::refill() {
    menu_.clear();
    const QStringList jobs = memory_.recentJobs();
    for (qsizetype i = 0; i < jobs.size(); ++i) {
        const QString path = jobs[i];
        // The folder tells apart jobs of one name; a long one keeps its ends.
        const QFileInfo file(path);
        const QString folder = menu_.fontMetrics().elidedText(
            QDir::toNativeSeparators(file.absolutePath()), Qt::ElideMiddle, kFolderWidth);
        // A "&" in a name would otherwise underline the next letter.
        const QString entry = QStringLiteral("%1 in %2")
                                  .arg(file.fileName(), folder)
                                  .replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* action = menu_.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(entry));
        const QString shown = QDir::toNativeSeparators(path);
        action->setToolTip(shown);
        action->setStatusTip(shown);
        connect(action, &QAction::triggered, this, [this, path] { open(path); });
    }
    menu_.addSeparator();
    QAction* clear = menu_.addAction(QStringLiteral("Clear Recent Jobs"));
    clear->setEnabled(!jobs.isEmpty());
    connect(clear, &QAction::triggered, this, [this] {
        memory_.clearRecentJobs();
        refillLater();
    });
}

void RecentJobsMenu::open(const QString& chosenPath) {
    // A job opened goes to the top (the window records it); one refused, to
    // whoever told the user why, is of no use in the list any more.
    if (!open_(chosenPath)) memory_.forgetJob(chosenPath);
    refillLater();
}

void RecentJobsMenu::refillLater() {
    // Not now: the action that was chosen is still delivering its signal.
    QMetaObject::invokeMethod(this, &RecentJobsMenu::refill, Qt::QueuedConnection);
}

void attachRecentJobs(QMenu& menu, SessionMemory& memory, RecentJobsMenu::OpenJob open) {
    new RecentJobsMenu(menu, memory, std::move(open));
}

}  // namespace zendro
