// Times the conversion of a large job through the window, with the progress
// throttle on and off, against the core alone. Run by hand:
//   QT_QPA_PLATFORM=offscreen build/bin/zendro_progress_measure [records]
//   QT_QPA_PLATFORM=offscreen build/bin/zendro_progress_measure JOB.HVD
// (the second form copies an existing job, e.g. one zendro-genjob wrote).

#include <QApplication>
#include <QElapsedTimer>
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

double convertThroughWindow(const std::string& folder, ProgressThrottle throttle) {
    FakeDialogs dialogs;
    ShellOptions options;
    options.throttle = throttle;
    auto window = openWindow(dialogs, options);
    window->selectJob(QString::fromStdString(folder + "BIG.HVD"));
    QElapsedTimer timer;
    timer.start();
    window->Convert_Click();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    if (!dialogs.messages.last().startsWith(QStringLiteral("The File Conversion is Complete\n"))) {
        std::fprintf(stderr, "conversion failed: %s\n", qPrintable(dialogs.messages.join('\n')));
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string argument = argc > 1 ? argv[1] : "500000";
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

    QElapsedTimer timer;
    timer.start();
    NullObserver quiet;
    runConversion(deriveJobPaths(jobs.file("BIG.HVD")), ConversionOptions{}, quiet);
    const double core = static_cast<double>(timer.nsecsElapsed()) / 1e9;

    const double throttled = convertThroughWindow(jobs.path(), ProgressThrottle{});
    const double unthrottled = convertThroughWindow(jobs.path(), ProgressThrottle{false, {}});
    std::printf("%d records (%d bytes HVD)\n", records, records * 18);
    std::printf("core alone (no display):            %.3f s\n", core);
    std::printf("window, throttled progress:          %.3f s\n", throttled);
    std::printf("window, repaint + events every call: %.3f s\n", unthrottled);
    return 0;
}
