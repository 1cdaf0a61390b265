#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace zendro {

// What a message box tells, which sets its icon.
enum class MessageKind {
    Notice,   // something done, as asked
    Warning,  // done, or refused, but the user should know why
    Error,    // a failure: nothing was done
};

// What becomes of edits that were not saved.
enum class UnsavedEditsChoice { Save, Discard, Cancel };

// What becomes of a point-feature file that does not match the job's CTX file.
enum class StalePointFeaturesChoice { AddNew, Rebuild, ConvertAsIs, Cancel };

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
    virtual void showMessage(QWidget* parent, const QString& text, MessageKind kind) = 0;

    // A question with Yes and No; true for Yes. No is the default answer.
    virtual bool confirm(QWidget* parent, const QString& question) = 0;

    // A question titled "ZENDRO" with the buttons Save, Discard and Cancel.
    virtual UnsavedEditsChoice askAboutUnsavedEdits(QWidget* parent, const QString& text) = 0;

    // A question titled "ZENDRO" with the buttons Add New, Rebuild, Convert As Is
    // and Cancel.
    virtual StalePointFeaturesChoice askAboutStalePointFeatures(QWidget* parent,
                                                                const QString& text) = 0;

    // A question with Replace and Cancel; true for Replace. Cancel is the default.
    virtual bool confirmReplace(QWidget* parent, const QString& question) = 0;
};

class QtShellDialogs final : public ShellDialogs {
  public:
    QString chooseFieldFile(QWidget* parent, const QStringList& filters,
                            const QString& selectedFilter, const QString& initialPath) override;
    void showMessage(QWidget* parent, const QString& text, MessageKind kind) override;
    bool confirm(QWidget* parent, const QString& question) override;
    UnsavedEditsChoice askAboutUnsavedEdits(QWidget* parent, const QString& text) override;
    StalePointFeaturesChoice askAboutStalePointFeatures(QWidget* parent,
                                                        const QString& text) override;
    bool confirmReplace(QWidget* parent, const QString& question) override;
};

inline constexpr const char* kMessageTitle = "ZENDRO";

}  // namespace zendro
