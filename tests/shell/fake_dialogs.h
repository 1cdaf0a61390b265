#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

#include "shell/shell_dialogs.h"

namespace zendro::testing {

// Answers the window's dialogs: queued file choices (an empty one cancels),
// queued answers to questions (No when none is left), unsaved-edits questions
// answered from their own queue; every message and question recorded.
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
    void showMessage(QWidget*, const QString& text, MessageKind kind) override {
        messages.append(text);
        kinds.push_back(kind);
    }
    bool confirm(QWidget*, const QString& question) override {
        questions.append(question);
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // Answers with the queued choices; with none left, Cancel (nothing is lost).
    UnsavedEditsChoice askAboutUnsavedEdits(QWidget*, const QString& text) override {
        questions.append(text);
        if (unsavedEditsAnswers.empty()) return UnsavedEditsChoice::Cancel;
        const UnsavedEditsChoice answer = unsavedEditsAnswers.front();
        unsavedEditsAnswers.pop_front();
        return answer;
    }

    // Answers with the queued choices; with none left, Cancel.
    StalePointFeaturesChoice askAboutStalePointFeatures(QWidget*, const QString& text) override {
        questions.append(text);
        if (staleAnswers.empty()) return StalePointFeaturesChoice::Cancel;
        const StalePointFeaturesChoice answer = staleAnswers.front();
        staleAnswers.pop_front();
        return answer;
    }
    // Answers from `answers`, as confirm does.
    bool confirmReplace(QWidget* parent, const QString& question) override {
        ++replaceQuestions;
        return confirm(parent, question);
    }

    std::deque<QString> choices;
    QStringList messages;
    std::vector<MessageKind> kinds;  // one per message
    std::deque<bool> answers;
    QStringList questions;
    QStringList lastFilters;
    QString lastSelectedFilter;
    QString lastInitialPath;
    int fileDialogs = 0;
    std::deque<UnsavedEditsChoice> unsavedEditsAnswers;
    std::deque<StalePointFeaturesChoice> staleAnswers;
    int replaceQuestions = 0;
};

}  // namespace zendro::testing
