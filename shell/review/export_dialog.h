#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "exports/export_format.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace zendro {

// One export as chosen in the dialog; the page keeps the last for the session.
struct ExportChoices {
    exports::ExportFormat format = exports::ExportFormat::Csv;
    QString path;
    QString csvColumns = QStringLiteral("PNEZD");
    char csvDelimiter = ',';
    bool csvHeader = true;
};

// The "Export" dialog: the format, the CSV layout (for CSV only) and the file,
// chosen through the page's save-path chooser; the file's extension follows
// the format. Export is the default button; it closes the dialog only when
// the page's target check lets the file be written (a file of the job is
// refused, an existing one replaced only when the user agrees). It only
// chooses; the page writes.
class ExportDialog final : public QDialog {
    Q_OBJECT
  public:
    // (caption, filter, suggested path) -> the chosen file, empty when cancelled.
    using SavePathChooser = std::function<QString(const QString&, const QString&, const QString&)>;
    // Whether the file may be written; it tells the user why not.
    using TargetCheck = std::function<bool(const QString& path)>;

    // `jobBase` is the job's path without extension: the file suggested is it
    // with the format's extension.
    ExportDialog(const ExportChoices& initial, SavePathChooser chooser, TargetCheck mayWrite,
                 QString jobBase, QWidget* parent);

    ExportChoices choices() const;
    void accept() override;

  private:
    void formatChanged();
    void chooseFile();

    SavePathChooser chooseSavePath_;
    TargetCheck mayWrite_;
    QString jobBase_;
    QComboBox* format_ = nullptr;
    QLineEdit* columns_ = nullptr;
    QComboBox* delimiter_ = nullptr;
    QCheckBox* header_ = nullptr;
    QLineEdit* file_ = nullptr;
    QPushButton* write_ = nullptr;
};

}  // namespace zendro
