// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepView.h"

#include "Look.h"
#include "SweepChartLoader.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
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

}  // namespace

TSweepView::TSweepView(Kind kind, QWidget* parent) : QWidget(parent), kind_(kind)
{
    const bool roomy = kind == Kind::Window;
    top_ = new QBoxLayout(QBoxLayout::LeftToRight, this);
    QBoxLayout* top = top_;
    top->setContentsMargins(roomy ? QMargins(4, 4, 4, 4) : QMargins(2, 2, 2, 2));
    top->setSpacing(roomy ? 10 : 4);

    QWidget* form = BuildForm(roomy);
    auto* left = new QVBoxLayout;
    left->setSpacing(3);
    if (roomy) {
        // The form scrolls when the view is low; beside the chart while the
        // view is wide, above it (its two groups side by side) while narrow.
        scroll_ = new QScrollArea(this);
        scroll_->setObjectName(QStringLiteral("saSwForm"));
        scroll_->setWidget(form);
        scroll_->setWidgetResizable(true);
        scroll_->setFrameShape(QFrame::NoFrame);
        scroll_->setFocusPolicy(Qt::NoFocus);
        left->addWidget(scroll_, 1);
        focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now && scroll_->widget()->isAncestorOf(now)) scroll_->ensureWidgetVisible(now, 4, 10);
        });
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
    if (roomy) Arrange(true);
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
    w->setMinimumSize(kind_ == Kind::Window ? QSize(360, kRoomyChartHeight) : QSize(160, 100));
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
    FitForm();  // the status takes a line of the form or leaves it
}
