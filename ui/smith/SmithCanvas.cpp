// SPDX-License-Identifier: GPL-3.0-or-later
#include "SmithCanvas.h"

#include "SmithEdit.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

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
    return smith::SmithFrame(QRectF(rect()), QFontMetricsF(font()).height(), options_.edge);
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

void TSmithCanvas::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    smith::PaintSmith(p, QRectF(rect()), scene_, options_, Palette(), font());
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
