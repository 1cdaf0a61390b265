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

constexpr int kPictureWidth = 1600;
constexpr int kPictureHeight = 1200;
constexpr int kPdfResolution = 150;

void paintFitted(QPainter& painter, const SketchModel& model, QSizeF size) {
    SketchRenderer(model).paint(painter, size, SketchView::fitting(model.bounds, size));
}

QByteArray svgBytes(const SketchModel& model) {
    QBuffer buffer;
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(kPictureWidth, kPictureHeight));
    svg.setViewBox(QRect(0, 0, kPictureWidth, kPictureHeight));
    svg.setTitle(QStringLiteral("Job sketch"));
    QPainter painter(&svg);
    paintFitted(painter, model, QSizeF(kPictureWidth, kPictureHeight));
    painter.end();
    return buffer.data();
}

QByteArray pdfBytes(const SketchModel& model) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(kPdfResolution);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF()));
    pdf.setTitle(QStringLiteral("Job sketch"));
    pdf.setCreator(QStringLiteral("ZENDRO"));
    QPainter painter(&pdf);
    paintFitted(painter, model, QSizeF(pdf.width(), pdf.height()));
    painter.end();
    return buffer.data();
}

QByteArray pngBytes(const SketchModel& model) {
    QImage image(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        paintFitted(painter, model, QSizeF(image.size()));
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

}  // namespace

void exportSketch(const SketchModel& model, const std::string& path) {
    const std::string extension = sketchFileExtension(path);
    QByteArray bytes;
    if (extension == "svg") {
        bytes = svgBytes(model);
    } else if (extension == "pdf") {
        bytes = pdfBytes(model);
    } else if (extension == "png") {
        bytes = pngBytes(model);
    } else {
        throw ZendroError(path, "a sketch is written as .svg, .pdf or .png");
    }
    if (bytes.isEmpty()) throw ZendroError(path, "the sketch could not be drawn");
    writeFileAtomically(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace zendro::review
