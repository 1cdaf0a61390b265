#pragma once

#include <QAbstractButton>
#include <QByteArray>
#include <QString>
#include <QTest>
#include <QWidget>
#include <memory>
#include <string>

#include "shell/main_window.h"
#include "tests/shell/fake_dialogs.h"
#include "tests/support/temp_dir.h"

// Shows std::string values in failure messages.
namespace QTest {
template <>
inline char* toString(const std::string& text) {
    return qstrdup(text.c_str());
}
}  // namespace QTest

namespace zendro::testing {

// An installation folder named by ORNA_ZENDRO_DIR (or, without the variable,
// a per-user configuration folder under a temporary XDG_CONFIG_HOME).
class Installation {
  public:
    explicit Installation(bool setVariable = true);
    ~Installation();
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    const std::string& folder() const { return folder_.path(); }
    std::string settingsPath() const { return folder_.file("zendro.ini"); }
    // Where the settings go when the variable is not set.
    std::string configFolder() const { return config_.path() + "zendro/"; }

  private:
    TempDir folder_;
    TempDir config_;
    QByteArray savedVariable_;
    bool hadVariable_;
};

// Opens the window, shown, on the fake dialogs.
std::unique_ptr<Form1> openWindow(FakeDialogs& dialogs, ShellOptions options = {});

template <typename Widget>
Widget* control(QWidget& window, const char* name) {
    auto* found = window.findChild<Widget*>(QString::fromLatin1(name));
    if (found == nullptr) qFatal("no control named %s", name);
    return found;
}

// A left click in the middle of the named button.
void clickButton(QWidget& window, const char* name);
// Clicks Convert and waits until the run it started, if any, has ended (the
// conversion runs on a worker thread). False when it did not end in time.
bool clickConvertAndWait(Form1& window);
// A click on tab `tab` (1 to 4 from the left) of TabStrip1; waits until the
// page has read what it shows.
void clickTab(QWidget& window, int tab);
// The same click, not waiting: the page still waits for its work.
void clickTabNoWait(QWidget& window, int tab);
// Selects the job of `fieldFile` through the Filename button.
void chooseJob(QWidget& window, FakeDialogs& dialogs, const std::string& fieldFile);

// A small job with setups, shots, descriptions (a comment, a curve point, a
// chain) and a note, in `folder` as NAME.HVD, NAME.CTX and NAME.RTX.
void writeSampleJob(const std::string& folder, const std::string& name);

// Runs zendro-convert on `fieldFile` with `arguments` and SOURCE_DATE_EPOCH set
// as for the window; returns its exit code.
// `out`, when given, gets what it printed on standard output.
int runCommandLineConverter(const QStringList& arguments, QString* out = nullptr);

inline constexpr const char* kSourceDateEpoch = "1700000000";

}  // namespace zendro::testing
