// SPDX-License-Identifier: GPL-3.0-or-later
// The controls of the "Line Sweep" page: the six inputs, the eight readouts,
// the status line and the chart. The page shows one, tight, in its tab; the
// enlarged window another, roomy. The chart is made when the view is first
// shown. The view only shows and reports; TSweepPage reads and computes.
#pragma once

#include "LineSweep.h"
#include "SweepFields.h"
#include "SweepTexts.h"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QBoxLayout;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QVBoxLayout;
class ISweepChart;

class TSweepView : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Page, Window };
    explicit TSweepView(Kind kind, QWidget* parent = nullptr);
    ~TSweepView() override;

    QLineEdit* Field(SweepField f) const { return fields_[static_cast<int>(f)]; }
    QComboBox* LineList() const { return line_; }
    // The readouts in page order.
    QLineEdit* Readout(int i) const { return readouts_[static_cast<std::size_t>(i)]; }
    QLabel* Status() const { return status_; }
    QPushButton* EnlargeButton() const { return enlarge_; }  // null in the window
    QScrollArea* Scroller() const { return scroll_; }  // the form's
    // Null until the view was first shown, or when the chart library could
    // not be loaded (a label then says why).
    ISweepChart* Chart() const { return chart_; }
    QWidget* ChartWidget() const;

    // Writes the inputs into the controls and enables the width or the
    // velocity factor as the line type needs.
    void ShowInputs(const merivane::TSweepInputs& in);
    void ShowRows(const std::vector<merivane::present::TSweepRow>& rows, const std::string& status);

    // Set when the chart missed a refresh while hidden.
    bool chartStale = true;

signals:
    // The field was left, or Enter was pressed in it.
    void FieldLeft(SweepField f);
    void LineChosen(int index);
    void EnlargeClicked();
    // The chart is visible and may need the latest sweep.
    void ChartShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The widths of the form's controls and their height, from the font.
    struct TFormSizes {
        int field = 0, value = 0, caption = 0, height = 0;
    };
    // The least height of the roomy view's chart.
    static constexpr int kRoomyChartHeight = 260;

    QWidget* BuildForm(bool roomy);
    void AddInputs(QWidget* form, QGridLayout* inputs, const TFormSizes& z, bool roomy);
    void AddReadouts(QWidget* form, QGridLayout* results, const TFormSizes& z, bool roomy);
    void Arrange(bool beside);
    void FitForm();
    void CreateChart();

    Kind kind_;
    std::array<QLineEdit*, kSweepFieldCount> fields_{};
    QComboBox* line_ = nullptr;
    std::array<QLineEdit*, 8> readouts_{};
    std::array<QLabel*, 8> readoutCaptions_{};
    QLabel* status_ = nullptr;
    QPushButton* enlarge_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QBoxLayout* top_ = nullptr;
    QBoxLayout* groups_ = nullptr;  // the roomy form's two groups
    bool beside_ = false;
    int formWidth_ = 0;  // the form's column beside the chart
    // Ended by the destructor: the focus may still move while the widget
    // part is being taken down.
    QMetaObject::Connection focusWatch_;
    QVBoxLayout* chartHolder_ = nullptr;
    ISweepChart* chart_ = nullptr;
    bool chartTried_ = false;
};
