// SPDX-License-Identifier: GPL-3.0-or-later
#include "MagnetronView.h"

#include "MagnetronTexts.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

using namespace merivane::present;

namespace {

constexpr TubeInput kInputs[] = {TubeInput::Pulling, TubeInput::Qext, TubeInput::Isolation, TubeInput::DummyRating};

// A note of its own beside the results; its tooltip is its row's.
QLabel* NoteLabel(const QString& name, const char* caption, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setAccessibleName(name);
    SetTip(label, QString::fromUtf8(TubeResultTip(caption)));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setFocusPolicy(Qt::TabFocus);  // a screen reader reaches it by Tab
    label->hide();
    return label;
}

}  // namespace

TMagnetronView::TMagnetronView(QWidget* parent) : TCaseView(parent)
{
    setAccessibleName(tr("Magnetron"));
    auto* layout = new QVBoxLayout(this);

    auto* inputs = new QGroupBox(tr("Magnetron and isolator"), this);
    auto* form = new QFormLayout(inputs);
    for (TubeInput id : kInputs) {
        auto* spinner = new TTubeSpinner(id, inputs);
        spinners_.push_back(spinner);
        form->addRow(BuddyLabel(spinner, inputs), spinner);
        connect(spinner, &QDoubleSpinBox::valueChanged, this, [this, spinner] { Edit(spinner); });
    }
    layout->addWidget(inputs);

    longLine_ = NoteLabel(tr("Long-line warning"), kLongLineCaption, this);
    QFont bold = longLine_->font();
    bold.setBold(true);
    longLine_->setFont(bold);
    layout->addWidget(longLine_);

    results_ = new TValueTable(tr("Magnetron results"), {tr("Result"), tr("Value")}, this);
    layout->addWidget(results_, 1);

    rating_ = NoteLabel(tr("Dummy load rating check"), kRatingCheckCaption, this);
    layout->addWidget(rating_);
}

TTubeSpinner* TMagnetronView::Spinner(TubeInput id) const
{
    for (TTubeSpinner* s : spinners_)
        if (s->Id() == id) return s;
    return nullptr;
}

void TMagnetronView::ShowSnapshot(const TSnapshot& s)
{
    case_ = s.c;
    for (TTubeSpinner* spinner : spinners_) spinner->Show(TubeValue(s.c.tube, spinner->Id()));
    results_->ShowRows(MagnetronResultRows(s));
    const std::string warning = merivane::present::LongLineWarning(s.tube.magnetron);
    longLine_->setText(warning.empty() ? QString() : QStringLiteral("\u26a0 ") + QString::fromStdString(warning));
    longLine_->setVisible(!warning.empty());
    // without an isolator there is no dummy load to check
    const std::string check = s.c.tube.magnetron.isolationDb > 0 ? DummyRatingCheck(s.tube.isolator) : std::string();
    rating_->setText(QString::fromStdString(check));
    rating_->setVisible(!check.empty());
}

void TMagnetronView::Edit(TTubeSpinner* spinner)
{
    merivane::present::TCase c = case_;
    SetTubeValue(c.tube, spinner->Id(), spinner->value());
    case_ = c;  // a second step before the next snapshot builds on this one
    const int index = static_cast<int>(spinner->Id());
    // one spinner's steps in a row make one undo step
    emit Edited(c, spinner->accessibleName(), kMagnetronMergeBase + index);
}
