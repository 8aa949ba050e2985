// Construction of the window: the form, its look and the wiring of its events.
#include "Accessible.h"
#include "CaseDocument.h"
#include "Look.h"
#include "HelpWindow.h"
#include "IniFile.h"
#include "Prompter.h"
#include "ResultActions.h"
#include "SweepPage.h"
#include "CaseCommands.h"
#include "TForm1.h"
#include "UpDown.h"
#include "ui_TForm1.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QShortcut>
#include <QStyleFactory>
#include <QTabBar>

#include <initializer_list>

namespace {

// The window's font: Tahoma where there is one, 11 pixels.
QFont RegularFont()
{
    QFont regular = QApplication::font();
    if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) regular.setFamily(QStringLiteral("Tahoma"));
    regular.setPixelSize(11);
    regular.setBold(false);
    return regular;
}

}  // namespace

void InitWindowLook()
{
    static bool done = false;
    if (done) return;
    done = true;
    RememberDesktopLook();  // before the classic style replaces it
    InstallAccessibility();
    for (const char* f : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"})
        if (QFile::exists(QString::fromLatin1(f))) QFontDatabase::addApplicationFont(QString::fromLatin1(f));
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Windows"))) QApplication::setStyle(style);
}

TForm1::TForm1(std::shared_ptr<IPrompter> prompter, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TForm1>()),
      prompter_(prompter ? std::move(prompter) : std::make_shared<TMessageBoxPrompter>())
{
    InitWindowLook();
    setFont(RegularFont());  // before the widgets: see ApplyLook
    ui->setupUi(this);
    controls_ = MakeControls(*ui);
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    for (const TSpinnerSpec& s : controls_.spinners) {
        s.spinner->SetAssociate(s.field);
        s.spinner->SetRange(s.min, s.max);
        s.spinner->SetIncrement(s.step);
        s.spinner->SetWrap(s.wrap);
        s.spinner->SetPosition(s.position);
    }
    // the lists have no selection until the settings are applied
    for (QComboBox* cb : controls_.lists) cb->setCurrentIndex(-1);

    ApplyLook();
    ApplyTooltips();
    Wire();
    actions_ = new TResultActions(*this);
    sweep_ = new TSweepPage(*this, ui->pcResults);
    // "Enlarge" shows the Line Sweep in the Workbench
    sweep_->SetEnlarge([this] { OpenWorkbench(QStringLiteral("Line Sweep")); });
    // the Line Sweep page goes out of the window with the other results
    // the window's own fields run its cycle; a page's fields only that page
    actions_->SetPendingInput([this] {
        if (InputPending()) bEvaluateClick();
        sweep_->CommitPendingInput();
    });
    actions_->SetExtraRegion([this] { return sweep_->CopyRegion(); });
    MakeUndo();
    actions_->SetSnapshotSource([this]() -> const merivane::present::TSnapshot& { return doc_->Snapshot(); });
    cases_ = new TCaseCommands(*this);
    actions_->SetCaseActions(cases_->OpenAction(), cases_->SaveAction(), cases_->SaveAsAction());
    actions_->SetMeasuredAction(cases_->OpenMeasuredAction());
    MakeWorkbenchAction();
    actions_->SetChartPainter([this](QPainter& p, const QRectF& r) {
        QString error;
        sweep_->PaintChart(p, r, error);  // without its library the report has no chart
    });
    // the layout's client area; start-up trims it to the results
    resize(561, 391);
}

TForm1::~TForm1() { disconnect(focusWatch_); }


void TForm1::ApplyLook()
{
    // The form was given the regular font before its widgets were made, so
    // that they are born with it; a change of font makes each widget it
    // reaches lay out its text again, a fair part of the start-up. Here only
    // the captions of the group boxes and the tabs turn bold: what lies
    // directly in them is set to the regular font first, so that the bold
    // goes no further than the captions.
    const QFont regular = font();
    QFont bold = regular;
    bold.setBold(true);
    QTabBar* tabs = ui->pcResults->tabBar();
    for (QWidget* b : std::initializer_list<QWidget*>{ui->gbMgInput, ui->gbSrcRho, ui->gbMgOutput, ui->gbCpl, ui->GroupBox4,
                                                      ui->gbPunit, ui->pcResults, tabs}) {
        for (QWidget* inside : b->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (inside != tabs) inside->setFont(regular);
        b->setFont(bold);
    }
    // so does a click on a tab (a tab bar takes the focus only by Tab by default)
    ui->pcResults->tabBar()->setFocusPolicy(Qt::StrongFocus);

    for (QLineEdit* e : controls_.inputs) SetBackground(e, InputColour());
    for (QComboBox* cb : {ui->cbSrcRfl, ui->cbSrcMism, ui->cbLoaRfl, ui->cbLoaMism}) SetBackground(cb, ButtonFace());
    SetBackground(ui->cbMeaRfl, CellColour());
    for (QFrame* f : findChildren<QFrame*>()) {
        if (f->frameShape() != QFrame::Panel) continue;
        // A click on a result takes the focus out of an input field (which
        // leaves the field, so its cycle runs), and Ctrl+C then copies the case.
        f->setFocusPolicy(Qt::ClickFocus);
        f->setAutoFillBackground(true);
        SetBackground(f, CellColour());
        for (QLabel* l : f->findChildren<QLabel*>()) {
            l->setText(QString());  // placeholders until the first rendering
            l->setAccessibleName(QString());
        }
    }
    // Screen readers: pages by their tab captions, fields by their captions.
    for (int i = 0; i < ui->pcResults->count(); ++i) ui->pcResults->widget(i)->setAccessibleName(ui->pcResults->tabText(i));
    const std::pair<QLabel*, QWidget*> buddies[] = {
        {ui->lbAnodeV, ui->edAnodeV}, {ui->lbAnodeI, ui->edAnodeI}, {ui->lbEffic, ui->edEffic}, {ui->lbSrcMag, ui->edSrcMag},
        {ui->lbSrcPha, ui->edSrcPha}, {ui->Label1, ui->edLoaMag},   {ui->Label3, ui->edLoaPha}, {ui->lbDire1, ui->edDire}};
    for (const auto& [label, field] : buddies) label->setBuddy(field);

    ui->Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    ui->Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    // Captions keep their place and grow to their text, so no font clips them.
    for (QLabel* l : findChildren<QLabel*>()) {
        const auto* cell = qobject_cast<const QFrame*>(l->parentWidget());
        if (cell && cell->frameShape() == QFrame::Panel) continue;  // value and unit labels of result cells
        if (l->alignment() & Qt::AlignHCenter) continue;  // column headers
        l->adjustSize();
    }
}

void TForm1::Wire()
{
    // Enter in a field reaches the window's key handler, which presses
    // "Evaluate" once; the fields themselves do nothing with it.
    for (QLineEdit* e : controls_.inputs) e->installEventFilter(this);
    ui->bEvaluate->setDefault(true);

    auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, [this] { Guarded([this] { ContextHelp(); }); });

    // Every handler runs guarded: an error that escapes it is shown, not lost.
    const auto on = [this](auto* sender, auto signal, void (TForm1::*handler)()) {
        connect(sender, signal, this, [this, handler] { Guarded([this, handler] { (this->*handler)(); }); });
    };
    on(ui->udEff, &TUpDown::clicked, &TForm1::udEffClick);
    on(ui->udSrcPha, &TUpDown::clicked, &TForm1::udSrcPhaClick);
    on(ui->udLoaPha, &TUpDown::clicked, &TForm1::udLoaPhaClick);
    on(ui->udDire, &TUpDown::clicked, &TForm1::udDireClick);
    on(ui->cbSrcRfl, &QComboBox::activated, &TForm1::cbSrcRflChange);
    on(ui->cbLoaRfl, &QComboBox::activated, &TForm1::cbLoaRflChange);
    on(ui->cbSrcMism, &QComboBox::activated, &TForm1::cbSrcMismChange);
    on(ui->cbLoaMism, &QComboBox::activated, &TForm1::cbLoaMismChange);
    on(ui->cbMeaRfl, &QComboBox::activated, &TForm1::cbMeaRflChange);
    on(ui->chIdeal, &QCheckBox::toggled, &TForm1::chIdealClick);
    on(ui->bEvaluate, &QPushButton::clicked, &TForm1::bEvaluateClick);
    on(ui->bHelp, &QPushButton::clicked, &TForm1::bHelpClick);
    connect(ui->Button1, &QPushButton::clicked, this, &TForm1::Button1Click);

    // A radio button's handler runs when it becomes selected, not when cleared.
    const auto onSelected = [this](auto group, void (TForm1::*handler)()) {
        for (QRadioButton* rb : group)
            connect(rb, &QRadioButton::toggled, this, [this, handler](bool checked) {
                if (checked) Guarded([this, handler] { (this->*handler)(); });
            });
    };
    onSelected(controls_.powerUnit, &TForm1::bEvaluateClick);
    onSelected(controls_.factorUnit, &TForm1::rbMagTrClick);
    onSelected(controls_.measUnit, &TForm1::rbPowerClick);
}
