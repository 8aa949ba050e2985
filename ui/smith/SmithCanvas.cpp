// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmithCanvas.h"

#include "SmithEdit.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

using namespace merivane;

TSmithCanvas::TSmithCanvas(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Smith chart"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TSmithCanvas::SetScene(const smith::TSmithScene& scene, const smith::TSmithOptions& options)
{
    scene_ = scene;
    options_ = options;
    update();
}

smith::TSmithFrame TSmithCanvas::Frame() const
{
    return smith::SmithFrame(QRectF(rect()), QFontMetricsF(font()).height(), options_.edge, !scene_.pulledMHz.empty());
}

smith::TSmithPalette TSmithCanvas::Palette() const
{
    return smith::TSmithPalette::For(palette().color(QPalette::Base), palette().color(QPalette::Text));
}

QSize TSmithCanvas::sizeHint() const
{
    const int em = fontMetrics().height();
    return {36 * em, 36 * em};
}

QSize TSmithCanvas::minimumSizeHint() const
{
    const int em = fontMetrics().height();
    return {16 * em, 16 * em};
}

TSmithCanvas::TBackgroundKey TSmithCanvas::BackgroundKey(const smith::TSmithPalette& palette) const
{
    TBackgroundKey k;
    k.size = size();
    k.ratio = devicePixelRatioF();
    k.logicalDpi = logicalDpiY();
    k.grid = static_cast<int>(options_.grid);
    k.edge = options_.edge;
    k.base = palette.background.rgba();
    k.text = palette.text.rgba();
    k.font = font().toString();
    k.legend = !scene_.pulledMHz.empty();
    for (const auto* list : {&scene_.swr, &scene_.power}) {
        for (const smith::TLabelledCircle& c : *list) {
            k.circles.insert(k.circles.end(), {c.circle.centre.real(), c.circle.centre.imag(), c.circle.radius});
            k.labels << c.label;
        }
    }
    return k;
}

void TSmithCanvas::paintEvent(QPaintEvent*)
{
    const smith::TSmithPalette colours = Palette();
    const TBackgroundKey key = BackgroundKey(colours);
    if (background_.isNull() || !(key == backgroundKey_)) {
        // opaque: drawn back as a plain copy
        background_ = QImage((QSizeF(size()) * key.ratio).toSize(), QImage::Format_RGB32);
        background_.setDevicePixelRatio(key.ratio);
        // the widget's dots per inch, so that the font has the same size in both layers
        const int dotsPerMeter = static_cast<int>(std::lround(logicalDpiY() / 0.0254));
        background_.setDotsPerMeterX(dotsPerMeter);
        background_.setDotsPerMeterY(dotsPerMeter);
        QPainter bp(&background_);
        smith::PaintSmithBackground(bp, QRectF(rect()), scene_, options_, colours, font());
        backgroundKey_ = key;
    }
    QPainter p(this);
    p.drawImage(QPointF(0, 0), background_);
    smith::PaintSmithForeground(p, QRectF(rect()), scene_, options_, colours, font());
    if (hasFocus()) {
        // the focus shown as a frame in the palette's highlight
        p.setPen(QPen(palette().color(QPalette::Highlight), std::max(1.0, QFontMetricsF(font()).height() / 10)));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

void TSmithCanvas::mousePressEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
    setFocus(Qt::MouseFocusReason);
    const smith::TSmithFrame f = Frame();
    // the load is taken within an em of its point
    const QPointF at = f.ToDevice(scene_.load);
    if (QLineF(at, e->position()).length() <= f.em) {
        dragging_ = true;
        emit DragStarted();
    }
    emit PointerAt(f.ToGamma(e->position()));
}

void TSmithCanvas::mouseMoveEvent(QMouseEvent* e)
{
    const smith::TGamma g = Frame().ToGamma(e->position());
    if (dragging_) emit DraggedTo(g);
    emit PointerAt(g);
}

void TSmithCanvas::mouseReleaseEvent(QMouseEvent* e)
{
    if (e->button() != Qt::LeftButton || !dragging_) return QWidget::mouseReleaseEvent(e);
    emit DraggedTo(Frame().ToGamma(e->position()));
    dragging_ = false;
    emit DragEnded();
}

void TSmithCanvas::leaveEvent(QEvent* e)
{
    if (!dragging_) emit PointerLeft();
    QWidget::leaveEvent(e);
}

void TSmithCanvas::wheelEvent(QWheelEvent* e)
{
    // a notch is 120 eighths of a degree; a touchpad sends less at a time
    wheelRest_ += e->angleDelta().y();
    const int steps = wheelRest_ / 120;
    wheelRest_ -= steps * 120;
    if (steps != 0) emit ZoomStep(steps);
    e->accept();
}

void TSmithCanvas::keyPressEvent(QKeyEvent* e)
{
    const bool large = e->modifiers() & Qt::ShiftModifier;
    const double phase = large ? present::kSmithPhaseStepLarge : present::kSmithPhaseStep;
    const double mag = large ? present::kSmithMagStepLarge : present::kSmithMagStep;
    switch (e->key()) {
    case Qt::Key_Right: emit PhaseStep(phase); break;
    case Qt::Key_Left: emit PhaseStep(-phase); break;
    case Qt::Key_Up: emit MagnitudeStep(mag); break;
    case Qt::Key_Down: emit MagnitudeStep(-mag); break;
    case Qt::Key_Home: emit ToConjugate(); break;
    default: return QWidget::keyPressEvent(e);
    }
    e->accept();
}
