// Measures how soon the window handles a key while a large job converts: every
// 20 ms a key press is posted to the Prefix1 box, and the time from posting to
// the box receiving it is recorded. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bin/zendro_input_latency_measure [records]
//   QT_QPA_PLATFORM=offscreen build/bin/zendro_input_latency_measure JOB.HVD
// (the second form copies an existing job, e.g. one zendro-genjob wrote).

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>
#include <vector>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/job_paths.h"
#include "conversion/conversion_run.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/job_builder.h"

namespace {

using namespace zendro;
using namespace zendro::testing;

void writeLargeJob(const std::string& folder, int records) {
    std::string hvd;
    hvd.reserve(static_cast<std::size_t>(records) * 18);
    std::string ctx = ctxPrologue();
    for (int point = 1; point <= 2000; ++point) {
        ctx += ctxRecord(1, static_cast<std::uint16_t>(point), point % 7 == 0 ? "EP*" : "CL,NOTE");
    }
    for (int i = 0; i < records; ++i) {
        const auto point = static_cast<std::uint16_t>(1 + i % 2000);
        if (i % 50 == 0) {
            hvd += hvdRecord(1, point, 150);
        } else if (i % 50 == 1) {
            hvd += hvdRecord(3, point, 150, 0, 9000000, 1000000);
        } else {
            hvd += hvdRecord(i % 10 == 0 ? 4 : 5, point, 150,
                             static_cast<std::uint32_t>((i * 7919) % 36000000),
                             9000000 + static_cast<std::uint32_t>(i % 1000), 123456);
        }
    }
    writeFile(folder + "BIG.HVD", hvd);
    writeFile(folder + "BIG.CTX", ctx);
    writeFile(folder + "BIG.RTX", rtxPrologue());
}

// Records the time at which each posted key reaches the box.
class KeyClock final : public QObject {
  public:
    explicit KeyClock(QElapsedTimer& clock) : clock_(clock) {}
    std::vector<qint64> posted;    // nanoseconds
    std::vector<qint64> received;  // nanoseconds

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            received.push_back(clock_.nsecsElapsed());
            return true;
        }
        return false;
    }

  private:
    QElapsedTimer& clock_;
};

double milliseconds(qint64 nanoseconds) { return static_cast<double>(nanoseconds) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string argument = argc > 1 ? argv[1] : "2000000";
    Installation installation;
    TempDir jobs;
    int records = std::atoi(argument.c_str());
    if (records <= 0) {
        const JobPaths given = deriveJobPaths(argument);
        writeFile(jobs.file("BIG.HVD"), readFile(findFieldFile(given.hvdPath)));
        writeFile(jobs.file("BIG.CTX"), readFile(findFieldFile(given.ctxPath)));
        writeFile(jobs.file("BIG.RTX"), readFile(findFieldFile(given.rtxPath)));
        records = static_cast<int>(readFile(jobs.file("BIG.HVD")).size() / 18);
    } else {
        writeLargeJob(jobs.path(), records);
    }

    FakeDialogs dialogs;
    auto window = openWindow(dialogs);
    window->selectJob(QString::fromStdString(jobs.file("BIG.HVD")));
    auto* box = control<QLineEdit>(*window, "Prefix1");
    QElapsedTimer clock;
    clock.start();
    KeyClock keys(clock);
    box->installEventFilter(&keys);
    QTimer poster;
    QObject::connect(&poster, &QTimer::timeout, [&] {
        if (!window->conversionRunning()) return;
        keys.posted.push_back(clock.nsecsElapsed());
        QCoreApplication::postEvent(box, new QKeyEvent(QEvent::KeyPress, Qt::Key_A,
                                                       Qt::NoModifier, QStringLiteral("a")));
    });
    poster.start(20);
    const qint64 start = clock.nsecsElapsed();
    window->Convert_Click();
    if (!QTest::qWaitFor([&window] { return !window->conversionRunning(); }, 600000)) {
        std::fprintf(stderr, "the conversion did not end\n");
        return 1;
    }
    const qint64 run = clock.nsecsElapsed() - start;
    QTest::qWait(100);
    if (!dialogs.messages.last().startsWith(QStringLiteral("The File Conversion is Complete\n"))) {
        std::fprintf(stderr, "conversion failed: %s\n", qPrintable(dialogs.messages.join('\n')));
        return 1;
    }
    std::vector<qint64> latencies;
    for (std::size_t i = 0; i < keys.received.size() && i < keys.posted.size(); ++i) {
        latencies.push_back(keys.received[i] - keys.posted[i]);
    }
    if (latencies.empty()) {
        std::fprintf(stderr, "no key reached the box during the run\n");
        return 1;
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf("%d records (%d bytes HVD), conversion in the window %.3f s\n", records,
                records * 18, milliseconds(run) / 1000);
    std::printf("%zu keys during the run: median %.2f ms, 95th %.2f ms, max %.2f ms\n",
                latencies.size(), milliseconds(latencies[latencies.size() / 2]),
                milliseconds(latencies[latencies.size() * 95 / 100]), milliseconds(latencies.back()));
    return 0;
}
