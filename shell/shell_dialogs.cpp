#include "shell/shell_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace zendro {
namespace {

QMessageBox::Icon messageIcon(MessageKind kind) {
    switch (kind) {
        case MessageKind::Notice:
            return QMessageBox::Information;
        case MessageKind::Warning:
            return QMessageBox::Warning;
        case MessageKind::Error:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString QtShellDialogs::chooseFieldFile(QWidget* parent, const QStringList& filters,
                                        const QString& selectedFilter, const QString& initialPath) {
    QFileDialog dialog(parent);
    // Qt's own dialog matches the patterns regardless of case (JOB.HVD is an SA
    // file) and lets the user name a file that Kermit has yet to download.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(selectedFilter);
    const QFileInfo initial(initialPath);
    if (!initialPath.isEmpty()) {
        if (initial.isDir()) {
            dialog.setDirectory(initial.absoluteFilePath());
        } else if (initial.absoluteDir().exists()) {
            dialog.setDirectory(initial.absolutePath());
            if (initial.exists()) dialog.selectFile(initial.fileName());
        }
    }
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

void QtShellDialogs::showMessage(QWidget* parent, const QString& text, MessageKind kind) {
    QMessageBox box(messageIcon(kind), QString::fromLatin1(kMessageTitle), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

bool QtShellDialogs::confirm(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kMessageTitle), question,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

UnsavedEditsChoice QtShellDialogs::askAboutUnsavedEdits(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kMessageTitle), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return UnsavedEditsChoice::Save;
        case QMessageBox::Discard:
            return UnsavedEditsChoice::Discard;
        default:
            return UnsavedEditsChoice::Cancel;
    }
}

StalePointFeaturesChoice QtShellDialogs::askAboutStalePointFeatures(QWidget* parent,
                                                                    const QString& text) {
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(kMessageTitle), text,
                    QMessageBox::NoButton, parent);
    QAbstractButton* addNew = box.addButton(QStringLiteral("&Add New"), QMessageBox::AcceptRole);
    QAbstractButton* rebuild = box.addButton(QStringLiteral("&Rebuild"), QMessageBox::ActionRole);
    QAbstractButton* asIs =
        box.addButton(QStringLiteral("Convert As &Is"), QMessageBox::ActionRole);
    QAbstractButton* cancel = box.addButton(QMessageBox::Cancel);
    // Adding keeps the crew's edits, so it is the answer Enter gives.
    box.setDefaultButton(qobject_cast<QPushButton*>(addNew));
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == addNew) return StalePointFeaturesChoice::AddNew;
    if (box.clickedButton() == rebuild) return StalePointFeaturesChoice::Rebuild;
    if (box.clickedButton() == asIs) return StalePointFeaturesChoice::ConvertAsIs;
    return StalePointFeaturesChoice::Cancel;
}

bool QtShellDialogs::confirmReplace(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kMessageTitle), question,
                    QMessageBox::NoButton, parent);
    QAbstractButton* replace = box.addButton(QStringLiteral("&Replace"), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QMessageBox::Cancel));
    box.exec();
    return box.clickedButton() == replace;
}

}  // namespace zendro
