// The editor for a real job: a grid that grows and fits its columns, cells
// edited in place, find and replace, sorting that never reorders the file,
// and characters the file cannot hold refused as they are typed.

#include <QClipboard>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include "tests/shell/editor_test_support.h"

namespace zendro::testing {
namespace {

// A heading in bold, as it shows while a row is selected, with its margins.
int boldHeadingWidth(QHeaderView& header, int column) {
    QFont bold = header.font();
    bold.setBold(true);
    return QFontMetrics(bold).horizontalAdvance(
               header.model()->headerData(column, Qt::Horizontal).toString()) +
           2 * header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
}

// Key presses carrying characters beyond ASCII, one by one.
void typeText(QWidget* widget, const QString& text) {
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(widget, &press);
    }
}

// Enter in the cell's editor; the cell takes the text once the event is done.
void commitInPlaceEdit() {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();
}

void doneWrites(Form1& window, TempDir& jobs, const std::string& expected) {
    clickButton(window, "Command1");
    QCOMPARE(readFile(jobs.file("RUN.pf")), expected);
}

}  // namespace

class EditorToolsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("zendro")); }

    void gridFitsItsColumnsAndGrowsWithItsPage() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = editorOn(dialogs, jobs, crlfLines({"7,A LONG DESCRIPTION OF A ROAD EDGE,B"}));
        QTableWidget* table = grid(*window);
        clickRow(*window, 0);
        QHeaderView& header = *table->horizontalHeader();
        for (int column = 0; column < 3; ++column) {
            QVERIFY2(table->columnWidth(column) >= boldHeadingWidth(header, column),
                     qPrintable(QString::number(column)));
        }
        QVERIFY(table->columnWidth(1) >
                table->fontMetrics().horizontalAdvance("A LONG DESCRIPTION OF A ROAD EDGE"));

        const QRect before = table->geometry();
        const QRect done = control<QWidget>(*window, "Command1")->geometry();
        auto* page = control<QGroupBox>(*window, "Frame3");
        page->resize(page->size() + QSize(300, 200));
        QCOMPARE(table->geometry(), before.adjusted(0, 0, 300, 200));
        QCOMPARE(control<QWidget>(*window, "Command1")->geometry(), done.translated(150, 200));
        QCOMPARE(table->columnWidth(0) + table->columnWidth(1) + table->columnWidth(2),
                 table->viewport()->width());
        auto* helpPage = control<QGroupBox>(*window, "Frame4");
        auto* help = control<QListWidget>(*window, "HelpText1");
        const QRect helpBefore = help->geometry();
        helpPage->resize(helpPage->size() + QSize(300, 200));
        clickTab(*window, 3);
        QCOMPARE(help->geometry(), helpBefore.adjusted(0, 0, 300, 200));
    }

    void descriptionsAndCommentsEditInPlaceNamesDoNot() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = editorOn(dialogs, jobs, kFeatures);
        QTableWidget* table = grid(*window);
        doubleClickCell(*window, 0, 1);
        auto* cellBox = control<QLineEdit>(*window, "CellEditor");
        QTest::keyClick(cellBox, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(cellBox, "SH");
        commitInPlaceEdit();
        QCOMPARE(control<QLineEdit>(*window, "GridText1")->text(), QStringLiteral("SH"));

        // F2, and typing on a selected cell.
        clickRow(*window, 1, {}, 2);
        QTest::keyClick(table, Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), "N");
        commitInPlaceEdit();
        clickRow(*window, 3, {}, 2);
        QTest::keyClicks(table, "K");
        commitInPlaceEdit();
        QCOMPARE(control<QLineEdit>(*window, "ComText1")->text(), QStringLiteral("K"));

        doubleClickCell(*window, 2, 0);
        QTest::keyClick(table, Qt::Key_F2);
        QCOMPARE(QApplication::focusWidget(), table);
        doneWrites(*window, jobs,
                   crlfLines({"1001,SH,EDGE OF PAVEMENT", "1002,+CL*,N", "1003,EP,EDGE, LEFT SIDE",
                              "1004,CL,K"}));
    }

    void findJumpsReplaceCountsAndUndoesInOneStep() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = editorOn(dialogs, jobs, kFeatures);
        QTableWidget* table = grid(*window);
        table->setFocus();
        press(*window, Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "EDGE");
        // From the first row, chosen when the grid loaded, on and round.
        const int expectedRows[] = {2, 0, 2};
        for (const int row : expectedRows) {
            press(*window, Qt::Key_Return);
            QCOMPARE(table->currentRow(), row);
            QCOMPARE(control<QLabel>(*window, "GridLabel1")->text(), cell(*window, row, 0));
        }
        clickButton(*window, "FindPrevious");
        QCOMPARE(table->currentRow(), 0);

        press(*window, Qt::Key_H, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "EP");
        QTest::keyClicks(control<QLineEdit>(*window, "ReplaceText"), "EOP");
        clickButton(*window, "ReplaceAll");
        QCOMPARE(control<QLabel>(*window, "FindStatus")->text(), QStringLiteral("2 cells changed"));

        // In the selected rows only: 1002 and 1004 hold CL, only 1004 is selected.
        clickRow(*window, 3);
        retype(control<QLineEdit>(*window, "FindText"), QStringLiteral("CL"));
        retype(control<QLineEdit>(*window, "ReplaceText"), QStringLiteral("C"));
        clickButton(*window, "ReplaceSelected");
        clickButton(*window, "ReplaceAll");
        QCOMPARE(control<QLabel>(*window, "FindStatus")->text(), QStringLiteral("1 cell changed"));
        QCOMPARE(rowTexts(*window, 1), (QStringList{"1002", "+CL*", " "}));
        QCOMPARE(rowTexts(*window, 3), (QStringList{"1004", "C", " "}));

        table->setFocus();
        press(*window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell(*window, 3, 1), QStringLiteral("CL"));
        press(*window, Qt::Key_Z, Qt::ControlModifier);
        doneWrites(*window, jobs,
                   crlfLines({"1001,EP,EDGE OF PAVEMENT", "1002,+CL*, ", "1003,EP,EDGE, LEFT SIDE",
                              "1004,CL, "}));
    }

    void sortingReordersTheViewDoneKeepsTheFileOrder() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window =
            editorOn(dialogs, jobs,
                     crlfLines({"1001,EP,A", "101001,CL,B", "99,+EP,C", "1002,-EP,D", "12, , "}));
        QHeaderView* header = grid(*window)->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
        QStringList names;
        for (int row = 0; row < 5; ++row) names << cell(*window, row, 0);
        QCOMPARE(names, (QStringList{"12", "99", "1001", "1002", "101001"}));

        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
        QCOMPARE(rowTexts(*window, 0), (QStringList{"12", "", " "}));
        QCOMPARE(rowTexts(*window, 2), (QStringList{"1002", "-EP", "D"}));
        QCOMPARE(rowTexts(*window, 4), (QStringList{"1001", "EP", "A"}));
        clickRow(*window, 2);
        retype(control<QLineEdit>(*window, "ComText1"), QStringLiteral("END"));
        doneWrites(*window, jobs,
                   crlfLines({"1001,EP,A", "101001,CL,B", "99,+EP,C", "1002,-EP,END", "12,, "}));
    }

    void equalKeysKeepFileOrderAndEachBoxIsItsOwnUndoStep() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = editorOn(dialogs, jobs, crlfLines({"5,EP,A", "3,CL,B", "7,EP,C", "1,EP,D"}));
        QHeaderView* header = grid(*window)->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 5, header->height() / 2));
        QStringList names;
        for (int row = 0; row < 4; ++row) names << cell(*window, row, 0);
        QCOMPARE(names, (QStringList{"3", "5", "7", "1"}));  // the three EP rows as in the file

        // Typing in the description box, then in the comment box: two steps
        // back. Sorted by point, the row stays where it is while it changes.
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
        QCOMPARE(cell(*window, 2, 0), QStringLiteral("5"));
        clickRow(*window, 2);
        QTest::keyClicks(control<QLineEdit>(*window, "GridText1"), "Z");
        QTest::keyClicks(control<QLineEdit>(*window, "ComText1"), "Y");
        QCOMPARE(rowTexts(*window, 2), (QStringList{"5", "EPZ", "AY"}));
        press(*window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rowTexts(*window, 2), (QStringList{"5", "EPZ", "A"}));
        press(*window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rowTexts(*window, 2), (QStringList{"5", "EP", "A"}));
    }

    void charactersTheFileCannotHoldAreRefusedWithAMessage() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = editorOn(dialogs, jobs, kFeatures);
        clickRow(*window, 0);
        typeText(control<QLineEdit>(*window, "GridText1"), QStringLiteral("\u00C9\u20AC"));
        auto* comment = control<QLineEdit>(*window, "ComText1");
        comment->setFocus();
        QGuiApplication::clipboard()->setText(QStringLiteral("A\U0001F600"));
        QTest::keyClick(comment, Qt::Key_V, Qt::ControlModifier);
        doubleClickCell(*window, 3, 1);
        typeText(QApplication::focusWidget(), QStringLiteral("\u0141"));
        commitInPlaceEdit();
        QCoreApplication::processEvents();

        const QString message = QStringLiteral(
            "The character \"%1\" (U+%2) cannot be kept: the point-feature file holds one byte "
            "per character (Latin-1) only.");
        QCOMPARE(dialogs.messages, (QStringList{message.arg(QStringLiteral("\u20AC"), "20AC"),
                                                message.arg(QStringLiteral("\U0001F600"), "1F600"),
                                                message.arg(QStringLiteral("\u0141"), "0141")}));
        doneWrites(*window, jobs,
                   crlfLines({"1001,EP\xC9,EDGE OF PAVEMENT", "1002,+CL*, ",
                              "1003,EP,EDGE, LEFT SIDE", "1004,CL, "}));
    }

    // Tab goes from the find box to the replace box; "whole code" leaves the
    // EP inside TAPE and EPX; replacing with nothing asks with the count first.
    void replaceMatchesWholeCodesAndAsksBeforeErasing() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = editorOn(dialogs, jobs,
                               crlfLines({"1,EP,A", "2,TAPE EP,B", "3,+EP*,C", "4,EPX,D"}));
        grid(*window)->setFocus();
        press(*window, Qt::Key_H, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), "EP");
        press(*window, Qt::Key_Tab);
        auto* replacement = control<QLineEdit>(*window, "ReplaceText");
        QCOMPARE(QApplication::focusWidget(), replacement);
        QTest::keyClicks(replacement, "SH");
        clickButton(*window, "ReplaceWholeCode");
        clickButton(*window, "ReplaceAll");
        auto* status = control<QLabel>(*window, "FindStatus");
        QCOMPARE(status->text(), QStringLiteral("3 cells changed"));

        retype(control<QLineEdit>(*window, "FindText"), QStringLiteral("SH"));
        retype(replacement, QString());
        dialogs.answers = {false, true};
        clickButton(*window, "ReplaceAll");
        QCOMPARE(status->text(), QStringLiteral("Nothing replaced"));
        QCOMPARE(cell(*window, 1, 1), QStringLiteral("TAPE SH"));
        clickButton(*window, "ReplaceAll");
        QCOMPARE(dialogs.questions,
                 QStringList(2, QStringLiteral(
                                    "Replace with nothing erases \"SH\" from 3 cells. Erase it?")));
        doneWrites(*window, jobs, crlfLines({"1,,A", "2,TAPE ,B", "3,+*,C", "4,EPX,D"}));
    }

    // Shift-click blanks the row under the pointer and leaves the selection
    // alone; the first row is chosen when the grid loads.
    void shiftClickBlanksOnlyAndSaysHowToUndo() {
        Installation installation;
        TempDir jobs;
        FakeDialogs dialogs;
        auto window = editorOn(dialogs, jobs, kFeatures);
        auto* description = control<QLineEdit>(*window, "GridText1");
        auto* comment = control<QLineEdit>(*window, "ComText1");
        QVERIFY(description->isEnabled());
        QVERIFY(comment->isEnabled());
        QCOMPARE(description->text(), QStringLiteral("EP"));
        clickRow(*window, 0);

        clickRow(*window, 2, Qt::ShiftModifier);
        QCOMPARE(rowTexts(*window, 2), (QStringList{" ", " ", " "}));
        const QModelIndexList selected = grid(*window)->selectionModel()->selectedRows();
        QCOMPARE(selected.size(), 1);
        QCOMPARE(selected.first().row(), 0);
        QCOMPARE(control<QLabel>(*window, "EditStatus")->text(),
                 QStringLiteral("Point 1003 blanked; Ctrl+Z undoes"));
        grid(*window)->setFocus();
        press(*window, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(rowTexts(*window, 2), (QStringList{"1003", "EP", "EDGE, LEFT SIDE"}));
    }
};

}  // namespace zendro::testing

QTEST_MAIN(zendro::testing::EditorToolsTest)
#include "editor_tools_test.moc"
