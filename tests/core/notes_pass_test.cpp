#include "conversion/notes_pass.h"

#include <gtest/gtest.h>

#include "tests/support/job_builder.h"

namespace zendro {
namespace {

using testing::rtxNote;
using testing::rtxPrologue;

TEST(NotesPass, NotesOfOneThreeAndTwoRecordsTakeConsecutiveIndices) {
    const std::string first = "FIRST NOTE" + std::string(15, ' ');
    const std::string second = std::string(25, 'a') + std::string(30, 'b') + std::string(30, 'c');
    const std::string third = std::string(25, 'd') + std::string(30, 'e');
    testing::RecordingObserver observer;
    const NotesTable notes = readNotes(
        rtxPrologue() + rtxNote(1, first) + rtxNote(3, second) + rtxNote(2, third), observer);

    EXPECT_EQ(notes.nextIndex(), 7u);
    EXPECT_EQ(notes.at(1).count, 1);
    EXPECT_EQ(notes.at(1).text, first);  // spaces stay
    EXPECT_EQ(notes.at(2).count, 3);
    EXPECT_EQ(notes.at(2).text, std::string(25, 'a'));
    EXPECT_EQ(notes.at(3).text, std::string(30, 'b'));
    EXPECT_EQ(notes.at(4).text, std::string(30, 'c'));
    EXPECT_EQ(notes.at(5).count, 2);
    EXPECT_EQ(notes.at(5).text, std::string(25, 'd'));
    EXPECT_EQ(notes.at(6).text, std::string(30, 'e'));
    EXPECT_EQ(notes.at(7).count, 0);
    EXPECT_EQ(notes.at(7).text, "");
}

TEST(NotesPass, ShortFilesHaveNoNotesAndThePrologueNeverCounts) {
    testing::RecordingObserver observer;
    EXPECT_EQ(readNotes("", observer).nextIndex(), 1u);
    EXPECT_EQ(readNotes(std::string(90, '\x02'), observer).nextIndex(), 1u);
}

TEST(NotesPass, ZeroBytesAreDroppedAndACountOfZeroIsOneEmptyRecord) {
    testing::RecordingObserver observer;
    std::string zeroCount = rtxNote(1, "IGNORED TEXT");
    zeroCount[0] = '\0';
    const NotesTable notes = readNotes(
        rtxPrologue() + zeroCount + rtxNote(1, std::string("A\0B", 3)) + rtxNote(1, ""), observer);
    EXPECT_EQ(notes.at(1).count, 0);
    EXPECT_EQ(notes.at(1).text, "");
    EXPECT_EQ(notes.at(2).text, "AB");
    EXPECT_EQ(notes.at(3).text, "");
    EXPECT_EQ(notes.nextIndex(), 4u);
}

TEST(NotesPass, ANoteRunningPastTheEndKeepsTheBytesThatAreThere) {
    testing::RecordingObserver observer;
    const std::string note = rtxNote(3, std::string(25, 'x') + "TAIL");
    const NotesTable notes = readNotes(rtxPrologue() + note.substr(0, 40), observer);
    EXPECT_EQ(notes.at(1).text, std::string(25, 'x'));
    EXPECT_EQ(notes.at(2).text, "TAIL");
    EXPECT_EQ(notes.at(3).text, "");
    EXPECT_EQ(notes.nextIndex(), 4u);
}

TEST(NotesPass, ProgressRisesOncePerNoteAndStaysWithinRange) {
    testing::RecordingObserver observer;
    readNotes(rtxPrologue() + rtxNote(1, "A") + rtxNote(2, "B"), observer);
    ASSERT_EQ(observer.progressValues.size(), 3u);
    EXPECT_EQ(observer.progressValues[0], 0);
    EXPECT_DOUBLE_EQ(observer.progressValues[1], 100.0 * 91 / 180);
    EXPECT_DOUBLE_EQ(observer.progressValues[2], 100.0 * 121 / 180);
}

}  // namespace
}  // namespace zendro
