#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace zendro {

// What becomes of edits that were not saved.
enum class UnsavedEditsChoice { Save, Discard, Cancel };

// The window's modal dialogs, behind an interface so tests can answer them.
class ShellDialogs {
  public:
    virtual ~ShellDialogs() = default;

    // The Open dialog for a field file. `filters` are in Qt's "Text (patterns)"
    // form, `selectedFilter` is the one shown first, `initialPath` the folder or
    // file the dialog starts at. Returns the chosen path, empty when cancelled.
    virtual QString chooseFieldFile(QWidget* parent, const QStringList& filters,
                                    const QString& selectedFilter, const QString& initialPath) = 0;

    // A message box titled "ZENDRO" with an OK button only.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;

    // A question titled "ZENDRO" with the buttons Save, Discard and Cancel.
    virtual UnsavedEditsChoice askAboutUnsavedEdits(QWidget* parent, const QString& text) = 0;
};

class QtShellDialogs final : public ShellDialogs {
  public:
    QString chooseFieldFile(QWidget* parent, const QStringList& filters,
                            const QString& selectedFilter, const QString& initialPath) override;
    void showMessage(QWidget* parent, const QString& text) override;
    UnsavedEditsChoice askAboutUnsavedEdits(QWidget* parent, const QString& text) override;
};

inline constexpr const char* kMessageTitle = "ZENDRO";

}  // namespace zendro
