#pragma once

// Driving the "Edit Features" page of a window in tests.

#include <QApplication>
#include <QLineEdit>
#include <QTableWidget>
#include <memory>
#include <string>

#include "tests/shell/shell_test_support.h"

namespace zendro::testing {

inline QTableWidget* grid(QWidget& window) { return control<QTableWidget>(window, "PointGrid1"); }

inline QString cell(QWidget& window, int row, int column) {
    const QTableWidgetItem* item = grid(window)->item(row, column);
    return item ? item->text() : QStringLiteral("<none>");
}

inline QStringList rowTexts(QWidget& window, int row) {
    return {cell(window, row, 0), cell(window, row, 1), cell(window, row, 2)};
}

inline QPoint cellCentre(QWidget& window, int row, int column) {
    QTableWidget* table = grid(window);
    table->scrollToItem(table->item(row, column));
    return table->visualItemRect(table->item(row, column)).center();
}

// A click on the row's description cell (or `column`'s cell).
inline void clickRow(QWidget& window, int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                     int column = 1) {
    QTest::mouseClick(grid(window)->viewport(), Qt::LeftButton, modifiers,
                      cellCentre(window, row, column));
}

// Press, release, then the double click (Qt Test sends the double click alone).
inline void doubleClickCell(QWidget& window, int row, int column) {
    clickRow(window, row, Qt::NoModifier, column);
    QTest::mouseDClick(grid(window)->viewport(), Qt::LeftButton, Qt::NoModifier,
                       cellCentre(window, row, column));
}

inline void retype(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

// Keys as the user presses them: to the widget that has the focus, in the
// active window, so the window's shortcuts take them.
inline void press(QWidget& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* focused = QApplication::focusWidget();
    QTest::keyClick(focused != nullptr ? focused : &window, static_cast<Qt::Key>(key), modifiers);
}

inline std::unique_ptr<Form1> windowOnJob(FakeDialogs& dialogs, const std::string& hvdPath) {
    auto window = openWindow(dialogs);
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window.get())) qWarning("the window is not active");
    dialogs.choices.push_back(QString::fromStdString(hvdPath));
    clickButton(*window, "GetFile");
    return window;
}

// The window on job RUN in `jobs`, whose point-feature file holds `pf`, with
// the "Edit Features" page open.
inline std::unique_ptr<Form1> editorOn(FakeDialogs& dialogs, TempDir& jobs, const std::string& pf) {
    writeFile(jobs.file("RUN.pf"), pf);
    auto window = windowOnJob(dialogs, jobs.file("RUN.HVD"));
    clickTab(*window, 2);
    return window;
}

inline const std::string kFeatures = crlfLines(
    {" 1001 ,EP,EDGE OF PAVEMENT", " 1002 ,+CL*, ", " 1003 ,EP,EDGE, LEFT SIDE", " 1004 ,CL, "});

}  // namespace zendro::testing
