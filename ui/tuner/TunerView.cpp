// SPDX-License-Identifier: GPL-3.0-or-later
#include "TunerView.h"

#include "ScrewTable.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>


namespace present = merivane::present;
using merivane::MatchMethod;

namespace {

QLabel* Readout(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setAccessibleName(name);
    l->setWordWrap(true);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    l->setFocusPolicy(Qt::TabFocus);  // a screen reader reaches it with Tab
    return l;
}

}  // namespace

TTunerView::TTunerView(QWidget* parent) : TCaseView(parent), case_(present::DefaultCase())
{
    setAccessibleName(QStringLiteral("Tuner"));
    setObjectName(QStringLiteral("TunerView"));

    method_ = new QComboBox(this);
    method_->setAccessibleName(QStringLiteral("Tuner Method"));
    for (const present::TMethodName& n : present::MethodNames())
        method_->addItem(QString::fromUtf8(n.caption), static_cast<int>(n.method));

    // the spacing's name, limits, decimals and step are its row of the input table
    const present::TInputRow& spacingRow = present::InputRow(present::Input::TunerSpacing);
    spacing_ = new QDoubleSpinBox(this);
    spacing_->setAccessibleName(QString::fromUtf8(spacingRow.name));
    spacing_->setRange(spacingRow.lo, spacingRow.hi);
    spacing_->setDecimals(spacingRow.decimals);
    spacing_->setSingleStep(spacingRow.step);
    spacing_->setSuffix(QString::fromUtf8(spacingRow.unit));
    // 0 is the method's own spacing
    spacing_->setSpecialValueText(QStringLiteral("Default"));
    spacing_->setKeyboardTracking(false);  // a typed number counts once, when it is taken

    table_ = new QTableWidget(this);
    table_->setAccessibleName(QStringLiteral("Tuner Solutions"));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setTabKeyNavigation(false);
    table_->setCornerButtonEnabled(false);  // one row is chosen: no "select all"  // Tab leaves the table; arrows choose the solution
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->setMinimumHeight(fontMetrics().height() * 6);

    for (int i = 0; i < present::kTunerReadoutCount; ++i)
        readouts_[i] = Readout(QString::fromUtf8(present::TunerReadoutCaption(static_cast<present::TunerReadout>(i))), this);

    load_ = new QPushButton(QStringLiteral("&Load Calibration\u2026"), this);
    load_->setAccessibleName(QStringLiteral("Load Calibration"));
    clear_ = new QPushButton(QStringLiteral("C&lear Calibration"), this);
    clear_->setAccessibleName(QStringLiteral("Clear Calibration"));

    auto* form = new QFormLayout;
    auto* methodLabel = new QLabel(QStringLiteral("&Method:"), this);
    methodLabel->setBuddy(method_);
    auto* spacingLabel = new QLabel(QStringLiteral("Stub &spacing:"), this);
    spacingLabel->setBuddy(spacing_);
    form->addRow(methodLabel, method_);
    form->addRow(spacingLabel, spacing_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(load_);
    buttons->addWidget(clear_);
    buttons->addStretch();
    auto* root = new QVBoxLayout(this);
    root->addLayout(form);
    using present::TunerReadout;
    root->addWidget(ReadoutLabel(TunerReadout::Line));
    root->addWidget(ReadoutLabel(TunerReadout::Admittance));
    root->addWidget(table_, 1);
    for (TunerReadout id : {TunerReadout::Status, TunerReadout::Power, TunerReadout::Seen, TunerReadout::Calibration})
        root->addWidget(ReadoutLabel(id));
    root->addLayout(buttons);

    connect(method_, &QComboBox::currentIndexChanged, this, &TTunerView::MethodChosen);
    connect(spacing_, &QDoubleSpinBox::valueChanged, this, &TTunerView::SpacingChanged);
    connect(table_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) { SolutionChosen(row); });
    connect(load_, &QPushButton::clicked, this, &TTunerView::ChooseCalibrationFile);
    connect(clear_, &QPushButton::clicked, this, &TTunerView::ClearCalibration);
}

void TTunerView::Ask(const present::TCase& c, const QString& what, int mergeId)
{
    if (showing_) return;
    emit Edited(c, what, mergeId);
}

void TTunerView::MethodChosen(int index)
{
    if (index < 0) return;
    present::TCase c = case_;
    c.tuner.method = static_cast<MatchMethod>(method_->itemData(index).toInt());
    c.tuner.solution = 0;  // the other method's solutions are others
    Ask(c, QStringLiteral("Tuner Method"), kMethodMerge);
}

void TTunerView::SpacingChanged(double mm)
{
    present::TCase c = case_;
    c.tuner.spacingMm = mm;
    Ask(c, QStringLiteral("Stub Spacing"), kSpacingMerge);
}

void TTunerView::SolutionChosen(int row)
{
    if (row < 0 || row == case_.tuner.solution) return;
    present::TCase c = case_;
    c.tuner.solution = row;
    Ask(c, QStringLiteral("Tuner Solution"), kSolutionMerge);
}

bool TTunerView::LoadCalibration(const QString& path)
{
    QFile file(path);
    present::TScrewTableRead r;
    constexpr qint64 kMaxBytes = 1 << 20;
    if (!file.open(QIODevice::ReadOnly)) {
        r.error = "cannot be read: " + file.errorString().toStdString();
    } else {
        const QByteArray bytes = file.read(kMaxBytes + 1);
        if (bytes.size() > kMaxBytes)
            r.error = "larger than a calibration table can be";
        else
            r = present::ReadScrewTable(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    }
    if (!r.ok) {
        lastError_ = QStringLiteral("The calibration table %1 was not loaded: %2.")
                         .arg(QFileInfo(path).fileName(), QString::fromStdString(r.error));
        auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Load Calibration"), lastError_,
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();  // not modal to the program: the view goes on showing
        return false;
    }
    lastError_.clear();
    present::TCase c = case_;
    c.tuner.screws = r.points;
    Ask(c, QStringLiteral("Load Calibration"), kCalibrationMerge);
    return true;
}

void TTunerView::ChooseCalibrationFile()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Load Calibration"), QString(),
                                                      QStringLiteral("CSV files (*.csv *.txt);;All files (*)"));
    if (!path.isEmpty()) LoadCalibration(path);
}

void TTunerView::ClearCalibration()
{
    if (case_.tuner.screws.empty()) return;
    present::TCase c = case_;
    c.tuner.screws.clear();
    Ask(c, QStringLiteral("Clear Calibration"), -1);
}

void TTunerView::ShowSnapshot(const present::TSnapshot& s)
{
    showing_ = true;
    case_ = s.c;
    const present::TTunerResult& t = s.tuner;
    {
        const QSignalBlocker a(method_), b(spacing_), c(table_);
        method_->setCurrentIndex(method_->findData(static_cast<int>(case_.tuner.method)));
        spacing_->setSpecialValueText(case_.tuner.method == MatchMethod::DoubleStub ? QStringLiteral("Default, \u03bbg/8")
                                                                                    : QStringLiteral("Default, \u03bbg/4"));
        spacing_->setValue(case_.tuner.spacingMm);
        // the spacing is the stub tuners' only
        spacing_->setEnabled(case_.tuner.method == MatchMethod::ThreeStub || case_.tuner.method == MatchMethod::DoubleStub);
        FillTable(t, !case_.tuner.screws.empty());
        if (t.match.SolutionCount > 0) table_->setCurrentCell(t.solution, 0);
    }
    const present::TTunerReadouts texts = present::TunerReadouts(s);
    for (int i = 0; i < present::kTunerReadoutCount; ++i) readouts_[i]->setText(QString::fromStdString(texts.text[i]));
    clear_->setEnabled(!case_.tuner.screws.empty());
    showing_ = false;
}
