#pragma once

#include <QString>
#include <QStringList>
#include <deque>

#include "shell/shell_dialogs.h"

namespace zendro::testing {

// Answers the window's dialogs: queued file choices (an empty one cancels),
// every message recorded.
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

    std::deque<QString> choices;
    QStringList messages;
    QStringList lastFilters;
    QString lastSelectedFilter;
    QString lastInitialPath;
    int fileDialogs = 0;
};

}  // namespace zendro::testing
