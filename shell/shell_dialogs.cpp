#include "shell/shell_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace zendro {

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

void QtShellDialogs::showMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(kMessageTitle), text, QMessageBox::Ok,
                    parent);
    box.exec();
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

}  // namespace zendro
