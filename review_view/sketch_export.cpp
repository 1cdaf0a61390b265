#include "review_view/sketch_export.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "common/errors.h"
#include "common/file_io.h"
#include "review_view/sketch_renderer.h"

namespace zendro::review {
namespace {

constexpr int kPictureLong = 1600;
constexpr int kPictureShort = 1200;
constexpr double kPictureResolution = 96;
constexpr int kPdfResolution = 150;
constexpr double kMillimetresPerInch = 25.4;

QSize pictureSize(const SketchModel& model) {
    return sheetIsPortrait(model.bounds) ? QSize(kPictureShort, kPictureLong)
                                         : QSize(kPictureLong, kPictureShort);
}

QPageSize pageSize(SheetPaper paper) {
    switch (paper) {
        case SheetPaper::Letter: return QPageSize(QPageSize::Letter);
        case SheetPaper::Tabloid: return QPageSize(QPageSize::Tabloid);
        case SheetPaper::A4: return QPageSize(QPageSize::A4);
        case SheetPaper::A3: return QPageSize(QPageSize::A3);
    }
    return QPageSize(QPageSize::A4);
}

void paintSheet(QPainter& painter, const SketchModel& model, const SketchExportOptions& options,
                QSizeF size, double dotsPerInch) {
    const SketchRenderer renderer(model);
    // Fitted, the job stays clear of the sheet's legend and title block.
    const SketchView view = options.scaleDenominator
                                ? sheetView(model, options, size, dotsPerInch)
                                : renderer.fitting(painter.font(), painter.device(), size);
    renderer.paint(painter, size, view);
}

QByteArray svgBytes(const SketchModel& model, const SketchExportOptions& options) {
    const QSize size = pictureSize(model);
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(static_cast<int>(kPictureResolution));
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(QStringLiteral("Job sketch"));
    QPainter painter(&svg);
    paintSheet(painter, model, options, QSizeF(size), kPictureResolution);
    painter.end();
    return buffer.data();
}

QByteArray pdfBytes(const SketchModel& model, const SketchExportOptions& options) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(QPageLayout(pageSize(options.paper),
                                  sheetIsPortrait(model.bounds) ? QPageLayout::Portrait
                                                                : QPageLayout::Landscape,
                                  QMarginsF()));
    pdf.setTitle(QStringLiteral("Job sketch"));
    pdf.setCreator(QStringLiteral("ZENDRO"));
    QPainter painter(&pdf);
    paintSheet(painter, model, options, QSizeF(pdf.width(), pdf.height()), kPdfResolution);
    painter.end();
    return buffer.data();
}

QByteArray pngBytes(const SketchModel& model, const SketchExportOptions& options) {
    QImage image(pictureSize(model), QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(kPictureResolution / kMillimetresPerInch * 1000 + 0.5);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&image);
        paintSheet(painter, model, options, QSizeF(image.size()), kPictureResolution);
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

}  // namespace

bool sheetIsPortrait(const SketchBounds& bounds) {
    return bounds.maxY - bounds.minY > bounds.maxX - bounds.minX;
}

SketchView sheetView(const SketchModel& model, const SketchExportOptions& options, QSizeF pixels,
                     double dotsPerInch) {
    if (!options.scaleDenominator) return SketchView::fitting(model.bounds, pixels);
    SketchView view;
    view.centreX = (model.bounds.minX + model.bounds.maxX) / 2;
    view.centreY = (model.bounds.minY + model.bounds.maxY) / 2;
    const double metresPerUnit = metresPer(model.title.unit.value_or(kDefaultFootUnit));
    const double millimetresPerUnit = metresPerUnit * 1000 / *options.scaleDenominator;
    view.scale = millimetresPerUnit * dotsPerInch / kMillimetresPerInch;
    return view;
}

void exportSketch(const SketchModel& model, const std::string& path,
                  const SketchExportOptions& options) {
    const std::string extension = sketchFileExtension(path);
    QByteArray bytes;
    if (extension == "svg") {
        bytes = svgBytes(model, options);
    } else if (extension == "pdf") {
        bytes = pdfBytes(model, options);
    } else if (extension == "png") {
        bytes = pngBytes(model, options);
    } else {
        throw ZendroError(path, "a sketch is written as .svg, .pdf or .png");
    }
    if (bytes.isEmpty()) throw ZendroError(path, "the sketch could not be drawn");
    writeFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace zendro::review
