#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "review_view/sketch_export.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace zendro {

// The "Export Sketch" dialog: the file (its extension gives the format), the
// paper and fit or 1:N for a PDF. Export, the default button, closes it only
// when the page's target check lets the file be written. It only chooses; the
// page writes.
class SketchExportDialog final : public QDialog {
    Q_OBJECT
  public:
    // (caption, filter, suggested path) -> the chosen file, empty when cancelled.
    using SavePathChooser = std::function<QString(const QString&, const QString&, const QString&)>;

    // Whether the file may be written; it tells the user why not.
    using TargetCheck = std::function<bool(const QString& path)>;

    SketchExportDialog(SavePathChooser chooser, TargetCheck mayWrite, const QString& suggestedPath,
                       QWidget* parent);

    QString path() const;
    review::SketchExportOptions options() const;
    void accept() override;

  private:
    void chooseFile();
    void fileChanged();

    SavePathChooser chooseSavePath_;
    TargetCheck mayWrite_;
    QLineEdit* file_ = nullptr;
    QComboBox* paper_ = nullptr;
    QRadioButton* fit_ = nullptr;
    QRadioButton* atScale_ = nullptr;
    QSpinBox* scale_ = nullptr;
    QPushButton* write_ = nullptr;
};

}  // namespace zendro
