// SPDX-License-Identifier: GPL-3.0-or-later
// The "Smith Chart" view of the Workbench: the chart of the case with its
// grid, zoom and SWR circles, a readout that follows the pointer and the
// keys, and the load moved by dragging it or by the keys. Every move asks
// for the case as it should become (Edited); one drag is one merge id.
#pragma once

#include "CaseView.h"
#include "SmithPainter.h"

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TSmithCanvas;

class TSmithView : public TCaseView {
    Q_OBJECT
public:
    explicit TSmithView(QWidget* parent = nullptr);

    void ShowSnapshot(const merivane::present::TSnapshot& s) override;
    QString HelpAnchor() const override { return QStringLiteral("smith"); }

    // The readout as shown, one line each; also the chart's accessible description.
    QString ReadoutText() const;
    TSmithCanvas* Canvas() const { return canvas_; }
    // The |G| at the edge in force.
    double Zoom() const { return options_.edge; }
    // Writes the chart as PNG or SVG (by the suffix) at the canvas's size
    // and palette; false with the reason.
    bool SaveImage(const QString& path, QString& reason) const;

private:
    void ConnectCanvas();
    void Rebuild();
    void ShowReadout();
    void Edit(const merivane::present::TCase& c, const QString& what, int mergeId);
    void SetZoomIndex(int index);
    void ReadSwrField();
    void SaveImageAsked();

    TSmithCanvas* canvas_;
    QComboBox* grid_;
    QComboBox* zoom_;
    QLineEdit* swr_;
    QPushButton* save_;
    QLabel* readout_;
    QLabel* swrNote_;

    std::optional<merivane::present::TSnapshot> snapshot_;
    merivane::smith::TSmithOptions options_;
    std::optional<merivane::smith::TGamma> pointer_;  // the readout's point; the load's without one
    int nextMerge_ = 0;     // the merge ids handed out, in kSmithMergeBase ..
    int dragMerge_ = -1;    // the merge id of the drag going on
    int keyMerge_ = -1;     // a run of the same key shares one
    int lastKey_ = 0;       // 1 phase, 2 magnitude
};
