#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "shell/shell_dialogs.h"

namespace zendro::testing {

// Answers the window's dialogs: queued file choices (an empty one cancels),
// every message recorded; unsaved-edits questions answered from a queue.
class FakeDialogs final : public ShellDialogs {
  public:
    QString chooseFieldFile(QWidget*, const QStringList& filters, const QString& selectedFilter,
                            const QString& initialPath) override {
        lastFilters = filters;
        lastSelectedFilter = selectedFilter;
        lastInitialPath = initialPath;
        ++fileDialogs;
        if (choices.empty()) return {};
        const QString choice = choices.front();
        choices.pop_front();
        return choice;
    }
    void showMessage(QWidget*, const QString& text) override { messages.append(text); }
    // Answers with the queued choices; with none left, Cancel (nothing is lost).
    UnsavedEditsChoice askAboutUnsavedEdits(QWidget*, const QString& text) override {
        questions.append(text);
        if (unsavedEditsAnswers.empty()) return UnsavedEditsChoice::Cancel;
        const UnsavedEditsChoice answer = unsavedEditsAnswers.front();
        unsavedEditsAnswers.pop_front();
        return answer;
    }

    std::deque<QString> choices;
    QStringList messages;
    QStringList lastFilters;
    QString lastSelectedFilter;
    QString lastInitialPath;
    int fileDialogs = 0;
    std::deque<UnsavedEditsChoice> unsavedEditsAnswers;
    QStringList questions;
};

}  // namespace zendro::testing
