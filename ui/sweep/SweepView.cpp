// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepView.h"

#include "Explain.h"
#include "Look.h"
#include "SweepChartLoader.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
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

}  // namespace

TSweepView::TSweepView(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind)
{
    const bool roomy = kind == Kind::Window;
    auto* top = new QHBoxLayout(this);
    top->setContentsMargins(roomy ? QMargins(8, 8, 8, 8) : QMargins(2, 2, 2, 2));
    top->setSpacing(roomy ? 10 : 4);

    QWidget* form = BuildForm(roomy);
    auto* left = new QVBoxLayout;
    left->setSpacing(3);
    if (roomy) {
        left->addWidget(form);
        left->addStretch(1);
    } else {
        // The page is tight: the form scrolls, and the focus brings the
        // control it enters into sight.
        scroll_ = new QScrollArea(this);
        scroll_->setObjectName(QStringLiteral("saSwForm"));
        scroll_->setWidget(form);
        scroll_->setWidgetResizable(true);
        scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        scroll_->setFrameShape(QFrame::StyledPanel);
        scroll_->setFocusPolicy(Qt::NoFocus);
        scroll_->setMinimumWidth(form->sizeHint().width() + scroll_->verticalScrollBar()->sizeHint().width() + 4);
        left->addWidget(scroll_, 1);
        focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now && scroll_->widget()->isAncestorOf(now)) scroll_->ensureWidgetVisible(now, 4, 10);
        });
        enlarge_ = new QPushButton(QStringLiteral("E&nlarge"), this);
        enlarge_->setObjectName(QStringLiteral("bSwEnlarge"));
        enlarge_->setAccessibleName(QStringLiteral("Enlarge"));
        enlarge_->setToolTip(QStringLiteral("Show the line sweep in its own window"));
        enlarge_->setAutoDefault(false);
        connect(enlarge_, &QPushButton::clicked, this, &TSweepView::EnlargeClicked);
        left->addWidget(enlarge_, 0, Qt::AlignLeft);
    }
    top->addLayout(left, 0);
    chartHolder_ = new QVBoxLayout;
    chartHolder_->setContentsMargins(0, 0, 0, 0);
    top->addLayout(chartHolder_, 1);
}

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
        g->setContentsMargins(roomy ? QMargins(8, 8, 8, 8) : QMargins(0, 0, 0, 0));
        g->setHorizontalSpacing(roomy ? 8 : 4);
        g->setVerticalSpacing(roomy ? 5 : 2);
    }
    const QFontMetrics fm(font());
    // wide enough for the longest item and for an interval of two four-digit numbers
    const int fieldWidth = fm.horizontalAdvance(QStringLiteral("Custom waveguide")) + (roomy ? 30 : 24);
    const int valueWidth = fm.horizontalAdvance(QString::fromLatin1(roomy ? "-9999.99 .. -9999.99" : "9999.99 .. 9999.99")) + 10;
    const int captionWidth = roomy ? -1 : fm.horizontalAdvance(QStringLiteral("Frequency Span (\u00b1 MHz)")) + 4;

    const auto caption = [&](QGridLayout* g, int row, const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, form);
        l->setBuddy(buddy);
        if (captionWidth > 0) {
            // long captions take a second line rather than width
            l->setWordWrap(true);
            l->setFixedWidth(captionWidth);
        }
        g->addWidget(l, row, 0, Qt::AlignVCenter);
        return l;
    };
    const auto addField = [&](SweepField f, int row) {
        const TSweepFieldSpec& s = SweepFieldSpec(f);
        auto* e = new QLineEdit(form);
        e->setObjectName(QString::fromLatin1(s.objectName));
        e->setAccessibleName(U(s.name));
        SetExplained(e);
        if (roomy)
            e->setMinimumWidth(fieldWidth);
        else
            e->setFixedWidth(fieldWidth);
        e->setFixedHeight(fm.height() + 8);
        e->installEventFilter(this);
        if (!roomy) SetBackground(e, InputColour());  // the Workbench has the desktop's colours
        fields_[static_cast<int>(f)] = e;
        caption(inputs, row, U(s.caption), e)->setToolTip(e->toolTip());
        inputs->addWidget(e, row, 1);
    };

    addField(SweepField::Frequency, 0);
    line_ = new QComboBox(form);
    line_->setObjectName(QString::fromLatin1(kLineObjectName));
    line_->setAccessibleName(U(kLineName));
    SetExplained(line_);
    for (const merivane::TLineTypeSpec& t : merivane::LineTypes()) line_->addItem(U(t.name));
    if (roomy)
        line_->setMinimumWidth(fieldWidth);
    else
        line_->setFixedWidth(fieldWidth);
    if (!roomy) SetBackground(line_, InputColour());
    connect(line_, &QComboBox::activated, this, &TSweepView::LineChosen);
    caption(inputs, 1, U(kLineName), line_)->setToolTip(line_->toolTip());
    inputs->addWidget(line_, 1, 1);
    addField(SweepField::Width, 2);
    addField(SweepField::Vf, 3);
    addField(SweepField::Length, 4);
    addField(SweepField::Span, 5);

    status_ = new QLabel(form);
    status_->setObjectName(QStringLiteral("lbSwStatus"));
    status_->setWordWrap(true);
    status_->setAccessibleName(QString());
    QFont bold = status_->font();
    bold.setBold(true);
    status_->setFont(bold);
    status_->hide();

    // Names from the presentation rules, so that they match the rows.
    const auto rows = present::SweepRows(merivane::TSweepResult{}, present::PowerUnit::Watts);
    for (std::size_t i = 0; i < readouts_.size(); ++i) {
        auto* r = new QLineEdit(form);
        r->setObjectName(QString::fromLatin1(kReadoutObjects[i]));
        r->setAccessibleName(U(rows[i].name));
        r->setReadOnly(true);
        r->setFocusPolicy(Qt::TabFocus);
        if (roomy)
            r->setMinimumWidth(valueWidth);
        else
            r->setFixedWidth(std::max(valueWidth, fieldWidth));
        r->setFixedHeight(fm.height() + 8);
        if (!roomy) SetBackground(r, CellColour());
        readouts_[i] = r;
        readoutCaptions_[i] = caption(results, static_cast<int>(i), U(rows[i].caption), r);
        // the readout's description carries its value: the explanation is its tooltip
        if (const char* tip = present::TooltipFor(kReadoutObjects[i])) {
            r->setToolTip(QString::fromUtf8(tip));
            readoutCaptions_[i]->setToolTip(QString::fromUtf8(tip));
        }
        results->addWidget(r, static_cast<int>(i), 1);
    }

    if (roomy) {
        auto* gbLine = new QGroupBox(QStringLiteral("Line"), form);
        gbLine->setLayout(inputs);
        auto* gbResults = new QGroupBox(QStringLiteral("Results"), form);
        gbResults->setLayout(results);
        outer->addWidget(gbLine);
        outer->addWidget(status_);
        outer->addWidget(gbResults);
    } else {
        outer->addLayout(inputs);
        outer->addWidget(status_);
        outer->addLayout(results);
        outer->addStretch(1);
    }
    return form;
}

QWidget* TSweepView::ChartWidget() const { return chart_ ? chart_->Widget() : nullptr; }

void TSweepView::CreateChart()
{
    chartTried_ = true;
    QString error;
    chart_ = MakeSweepChart(kind_ == Kind::Window, this, error);
    if (!chart_) {
        auto* l = new QLabel(QStringLiteral("No chart: ") + error, this);
        l->setObjectName(QStringLiteral("lbSwNoChart"));
        l->setWordWrap(true);
        chartHolder_->addWidget(l);
        return;
    }
    QWidget* w = chart_->Widget();
    w->setObjectName(QStringLiteral("SweepChart"));
    w->setAccessibleName(QStringLiteral("Line Sweep Chart"));
    w->setAccessibleDescription(QStringLiteral("Left and Right move the readout along the line"));
    w->setMinimumSize(kind_ == Kind::Window ? QSize(360, 260) : QSize(160, 100));
    chartHolder_->addWidget(w);
    if (kind_ == Kind::Page) connect(w, SIGNAL(DoubleClicked()), this, SIGNAL(EnlargeClicked()));
}

TSweepView::~TSweepView() { disconnect(focusWatch_); }

void TSweepView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!chartTried_) CreateChart();
    if (chartStale && chart_) emit ChartShown();
}

bool TSweepView::eventFilter(QObject* watched, QEvent* event)
{
    const auto which = [&]() -> int {
        for (std::size_t i = 0; i < fields_.size(); ++i)
            if (fields_[i] == watched) return static_cast<int>(i);
        return -1;
    };
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // as in the window: a popup, a window switch or a menu is no leaving
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && reason != Qt::MenuBarFocusReason) {
            const int i = which();
            if (i >= 0) emit FieldLeft(static_cast<SweepField>(i));
        }
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int i = which();
        if (i >= 0 && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            emit FieldLeft(static_cast<SweepField>(i));
            return true;  // Enter here reads this field; it does not evaluate the window
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TSweepView::ShowInputs(const merivane::TSweepInputs& in)
{
    // a text typed and not yet taken stays: a change made elsewhere does not
    // write over it before it is read
    for (const TSweepFieldSpec& s : SweepFields())
        if (!Field(s.field)->isModified())
            Field(s.field)->setText(U(s.field == SweepField::Width ? WidthFieldText(in) : SweepFieldText(in, s.field)));
    line_->setCurrentIndex(static_cast<int>(in.Line));
    const bool custom = in.Line == merivane::LineType::CustomWaveguide;
    const bool coax = in.Line == merivane::LineType::Coax;
    for (const auto& [f, on] : {std::pair{SweepField::Width, custom}, std::pair{SweepField::Vf, coax}}) {
        Field(f)->setEnabled(on);
        if (kind_ == Kind::Page) SetBackground(Field(f), on ? InputColour() : ButtonFace());
    }
}

void TSweepView::ShowRows(const std::vector<present::TSweepRow>& rows, const std::string& status)
{
    for (std::size_t i = 0; i < rows.size() && i < readouts_.size(); ++i) {
        readoutCaptions_[i]->setText(U(rows[i].caption));
        readouts_[i]->setText(U(rows[i].text));
        readouts_[i]->setCursorPosition(0);
        // what a screen reader says after the name
        readouts_[i]->setAccessibleDescription(U(rows[i].WithUnit()));
    }
    status_->setText(U(status));
    status_->setVisible(!status.empty());
}
