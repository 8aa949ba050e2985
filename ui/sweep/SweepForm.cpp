// SPDX-License-Identifier: GPL-3.0-or-later
// The Line Sweep view's form: its fields and readouts with their captions,
// and in the roomy view its place, beside the chart while the view is wide,
// above it while narrow.
#include "SweepView.h"

#include "Explain.h"
#include "Look.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace present = merivane::present;

namespace {

QString U(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
QString U(const char* s) { return QString::fromUtf8(s); }

constexpr const char* kReadoutObjects[] = {"paSwGuide",  "paSwPeriod", "paSwAddMax",    "paSwAddMin",
                                           "paSwSpread", "paSwMean",   "paSwDeviation", "paSwInterval"};

// The control's tooltip from the explanations, and the same for screen readers.
void SetExplained(QWidget* w)
{
    if (const char* tip = present::TooltipFor(w->objectName().toLatin1().constData())) {
        w->setToolTip(QString::fromUtf8(tip));
        w->setAccessibleDescription(QString::fromUtf8(tip));
    }
}

// A row's caption, the buddy of its control; in the tight page long captions
// take a second line rather than width.
QLabel* AddCaption(QWidget* form, QGridLayout* g, int row, const QString& text, QWidget* buddy, int captionWidth)
{
    auto* l = new QLabel(text, form);
    l->setBuddy(buddy);
    if (captionWidth > 0) {
        l->setWordWrap(true);
        l->setFixedWidth(captionWidth);
    }
    g->addWidget(l, row, 0, Qt::AlignVCenter);
    return l;
}

}  // namespace

QWidget* TSweepView::BuildForm(bool roomy)
{
    auto* form = new QWidget;
    form->setObjectName(QStringLiteral("SweepForm"));
    auto* outer = new QVBoxLayout(form);
    outer->setContentsMargins(roomy ? QMargins(0, 0, 0, 0) : QMargins(3, 3, 3, 3));
    outer->setSpacing(roomy ? 8 : 3);

    QGridLayout* inputs = new QGridLayout;
    QGridLayout* results = new QGridLayout;
    for (QGridLayout* g : {inputs, results}) {
        g->setContentsMargins(roomy ? QMargins(4, 6, 4, 6) : QMargins(0, 0, 0, 0));
        g->setHorizontalSpacing(roomy ? 6 : 4);
        g->setVerticalSpacing(roomy ? 5 : 2);
    }
    const QFontMetrics fm(font());
    TFormSizes z;
    // wide enough for the longest item and for an interval of two four-digit numbers
    z.field = fm.horizontalAdvance(QStringLiteral("Custom waveguide")) + (roomy ? 30 : 24);
    z.value = fm.horizontalAdvance(QString::fromLatin1(roomy ? "-9999.99 .. -9999.99" : "9999.99 .. 9999.99")) + 10;
    z.caption = roomy ? -1 : fm.horizontalAdvance(QStringLiteral("Frequency Span (\u00b1 MHz)")) + 4;
    z.height = fm.height() + 8;
    AddInputs(form, inputs, z, roomy);

    status_ = new QLabel(form);
    status_->setObjectName(QStringLiteral("lbSwStatus"));
    status_->setWordWrap(true);
    status_->setAccessibleName(QString());
    QFont bold = status_->font();
    bold.setBold(true);
    status_->setFont(bold);
    status_->hide();

    AddReadouts(form, results, z, roomy);
    if (roomy) {
        auto* gbLine = new QGroupBox(QStringLiteral("Line"), form);
        gbLine->setLayout(inputs);
        auto* gbResults = new QGroupBox(QStringLiteral("Results"), form);
        gbResults->setLayout(results);
        groups_ = new QBoxLayout(QBoxLayout::TopToBottom);
        groups_->setSpacing(6);
        groups_->addWidget(gbLine, 0, Qt::AlignTop);
        groups_->addWidget(gbResults, 0, Qt::AlignTop);
        outer->addWidget(status_);
        outer->addLayout(groups_);
    } else {
        outer->addLayout(inputs);
        outer->addWidget(status_);
        outer->addLayout(results);
    }
    outer->addStretch(1);
    return form;
}

void TSweepView::AddInputs(QWidget* form, QGridLayout* inputs, const TFormSizes& z, bool roomy)
{
    const auto addField = [&](SweepField f, int row) {
        const TSweepFieldSpec& s = SweepFieldSpec(f);
        auto* e = new QLineEdit(form);
        e->setObjectName(QString::fromLatin1(s.objectName));
        e->setAccessibleName(U(s.name));
        SetExplained(e);
        // the roomy form's fields may give a little before the form scrolls
        if (roomy)
            e->setMinimumWidth(z.field * 2 / 3);
        else
            e->setFixedWidth(z.field);
        e->setFixedHeight(z.height);
        e->installEventFilter(this);
        if (!roomy) SetBackground(e, InputColour());  // the Workbench has the desktop's colours
        fields_[static_cast<int>(f)] = e;
        AddCaption(form, inputs, row, U(s.caption), e, z.caption)->setToolTip(e->toolTip());
        inputs->addWidget(e, row, 1);
    };

    addField(SweepField::Frequency, 0);
    line_ = new QComboBox(form);
    line_->setObjectName(QString::fromLatin1(kLineObjectName));
    line_->setAccessibleName(U(kLineName));
    SetExplained(line_);
    for (const merivane::TLineTypeSpec& t : merivane::LineTypes()) line_->addItem(U(t.name));
    if (roomy)
        line_->setMinimumWidth(z.field);
    else
        line_->setFixedWidth(z.field);
    if (!roomy) SetBackground(line_, InputColour());
    connect(line_, &QComboBox::activated, this, &TSweepView::LineChosen);
    AddCaption(form, inputs, 1, U(kLineName), line_, z.caption)->setToolTip(line_->toolTip());
    inputs->addWidget(line_, 1, 1);
    addField(SweepField::Width, 2);
    addField(SweepField::Vf, 3);
    addField(SweepField::Length, 4);
    addField(SweepField::Span, 5);
}

void TSweepView::AddReadouts(QWidget* form, QGridLayout* results, const TFormSizes& z, bool roomy)
{
    // Names from the presentation rules, so that they match the rows.
    const auto rows = present::SweepRows(merivane::TSweepResult{}, present::PowerUnit::Watts);
    for (std::size_t i = 0; i < readouts_.size(); ++i) {
        auto* r = new QLineEdit(form);
        r->setObjectName(QString::fromLatin1(kReadoutObjects[i]));
        r->setAccessibleName(U(rows[i].name));
        r->setReadOnly(true);
        r->setFocusPolicy(Qt::TabFocus);
        if (roomy)
            r->setMinimumWidth(z.value * 2 / 3);
        else
            r->setFixedWidth(std::max(z.value, z.field));
        r->setFixedHeight(z.height);
        if (!roomy) SetBackground(r, CellColour());
        readouts_[i] = r;
        readoutCaptions_[i] = AddCaption(form, results, static_cast<int>(i), U(rows[i].caption), r, z.caption);
        // the readout's description carries its value: the explanation is its tooltip
        if (const char* tip = present::TooltipFor(kReadoutObjects[i])) {
            r->setToolTip(QString::fromUtf8(tip));
            readoutCaptions_[i]->setToolTip(QString::fromUtf8(tip));
        }
        results->addWidget(r, static_cast<int>(i), 1);
    }
}

void TSweepView::Arrange(bool beside)
{
    beside_ = beside;
    groups_->setDirection(beside ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    top_->setDirection(beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    // beside the chart: as wide as the form and a scroll bar, as high as the
    // view; above it: as wide as the view
    scroll_->setHorizontalScrollBarPolicy(beside ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    const int width = scroll_->widget()->sizeHint().width() + scroll_->verticalScrollBar()->sizeHint().width();
    scroll_->setMinimumWidth(beside ? width : 0);
    scroll_->setMaximumWidth(beside ? width : QWIDGETSIZE_MAX);
    if (beside) {
        formWidth_ = width;
        scroll_->setMinimumHeight(0);
        scroll_->setMaximumHeight(QWIDGETSIZE_MAX);
    }
}

void TSweepView::FitForm()
{
    if (kind_ != Kind::Window) return;
    // beside only while the chart keeps the larger part of the width
    const bool beside = width() >= 3 * formWidth_;
    if (beside != beside_) Arrange(beside);
    if (beside_) return;
    // above the chart: as high as the form while the chart keeps its least
    // height below it, the chart taking the rest
    const int form = scroll_->widget()->sizeHint().height() + scroll_->horizontalScrollBar()->sizeHint().height();
    const QMargins m = top_->contentsMargins();
    const int room = height() - m.top() - m.bottom() - top_->spacing() - kRoomyChartHeight;
    scroll_->setMaximumHeight(form);
    scroll_->setMinimumHeight(std::clamp(room, 0, form));
}

void TSweepView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FitForm();
}
