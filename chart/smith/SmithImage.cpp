// SPDX-License-Identifier: GPL-3.0-or-later
// The Smith chart as an image file: SVG through Qt SVG, else PNG.
#include "SmithPainter.h"

#include "SafeSave.h"

#include <QBuffer>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

namespace merivane::smith {

namespace {

// The chart's font at an image's size: the application's, or a sans-serif
// one, its pixel size a sixtieth of the shorter side, at least 10 px.
QFont ImageFont(const QSize& size)
{
    QFont f = QGuiApplication::font();
    f.setPixelSize(std::max(10, std::min(size.width(), size.height()) / 60));
    return f;
}

}  // namespace

bool WriteSmithImage(const QString& path, const QSize& size, const TSmithScene& scene, const TSmithOptions& o,
                     const TSmithPalette& palette, QString& reason)
{
    if (size.isEmpty()) {
        reason = QStringLiteral("the image has no size");
        return false;
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QRectF area(QPointF(0, 0), QSizeF(size));
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(area);
        svg.setTitle(QStringLiteral("Smith chart"));
        svg.setDescription(QStringLiteral("Merivane: the load, the source and the load's path over the added line"));
        QPainter p;
        if (!p.begin(&svg)) {
            reason = QStringLiteral("the SVG could not be painted");
            return false;
        }
        PaintSmith(p, area, scene, o, palette, ImageFont(size));
        p.end();
    } else {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(palette.background);
        QPainter p(&image);
        PaintSmith(p, area, scene, o, palette, ImageFont(size));
        p.end();
        if (!image.save(&buffer, "PNG")) {
            reason = QStringLiteral("the PNG could not be made");
            return false;
        }
    }
    buffer.close();
    return SaveWholeFile(path, bytes, &reason);
}

}  // namespace merivane::smith
