// SPDX-License-Identifier: GPL-3.0-or-later
// The Smith chart's drawing surface: paints the scene in the widget's
// palette and font, and turns the pointer, the wheel and the keys into
// requests its view acts on. It holds no case of its own.
#pragma once

#include "SmithPainter.h"

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <vector>

class TSmithCanvas : public QWidget {
    Q_OBJECT
public:
    explicit TSmithCanvas(QWidget* parent = nullptr);

    void SetScene(const merivane::smith::TSmithScene& scene, const merivane::smith::TSmithOptions& options);
    const merivane::smith::TSmithScene& Scene() const { return scene_; }
    const merivane::smith::TSmithOptions& Options() const { return options_; }
    // Where the chart lies in the widget now.
    merivane::smith::TSmithFrame Frame() const;
    merivane::smith::TSmithPalette Palette() const;
    bool Dragging() const { return dragging_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The pointer over the chart (the readout follows it), or off it.
    void PointerAt(merivane::smith::TGamma g);
    void PointerLeft();
    // A drag of the load: its start, each point it passes, its end.
    void DragStarted();
    void DraggedTo(merivane::smith::TGamma g);
    void DragEnded();
    // The keys with the chart focused: Left/Right (deg), Up/Down, Home.
    void PhaseStep(double deg);
    void MagnitudeStep(double d);
    void ToConjugate();
    // The wheel: +1 one zoom in, -1 one out.
    void ZoomStep(int steps);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    // What the background layer was painted for: a drag repaints only the
    // layer above it.
    struct TBackgroundKey {
        QSize size;
        qreal ratio = 0;
        int logicalDpi = 0;
        int grid = 0;
        double edge = 0;
        QRgb base = 0, text = 0;
        QString font;
        bool legend = false;  // the disc moves up above the pulling's legend
        std::vector<double> circles;  // centre and radius of each SWR and power circle
        QStringList labels;
        bool operator==(const TBackgroundKey&) const = default;
    };
    TBackgroundKey BackgroundKey(const merivane::smith::TSmithPalette& palette) const;

    QImage background_;
    TBackgroundKey backgroundKey_;
    merivane::smith::TSmithScene scene_;
    merivane::smith::TSmithOptions options_;
    bool dragging_ = false;
    int wheelRest_ = 0;  // eighths of a degree not yet a zoom step
};
