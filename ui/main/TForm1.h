// The one window of the calculator: inputs, unit choices, buttons and every
// result, with the model state it computes with. Its methods live in files by
// concern: FormLook.cpp (construction, look, wiring), InputCycle.cpp (reading
// the inputs, the evaluation cycle, the handlers), InputEvents.cpp (leaving a
// field, Enter),
// Rendering.cpp (writing the result cells), Settings.cpp (the settings file),
// Startup.cpp (start-up, closing, help), Guard.cpp (the error reporting),
// Guidance.cpp (tooltips, notes on entries, help at the right section).
#pragma once

#include "Controls.h"
#include "Display.h"
#include "EntryReader.h"
#include "LineSweep.h"
#include "Model.h"

#include <QPoint>
#include <QStringList>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class IPrompter;
class QAction;
class TCaseCommands;
class TCaseDocument;
struct TCaseState;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QTextBrowser;
class THelpWindow;
class TResultActions;
class TSweepPage;
class TUpDown;
namespace Ui {
class TForm1;
}
namespace merivane {
class TIniFile;
}
namespace merivane::present {
struct TResultCell;
struct TSnapshot;
}

class TForm1 : public QWidget {
    Q_OBJECT
public:
    // Without a prompter the window uses the real message boxes.
    explicit TForm1(std::shared_ptr<IPrompter> prompter = nullptr, QWidget* parent = nullptr);
    ~TForm1() override;

    // The model state of the snapshot shown: assigned from the case
    // document's snapshot, never computed here; the model never sees a control.
    merivane::TModel M;
    QString ExeDir;
    std::unique_ptr<merivane::TIniFile> AutoIniFile;

    // --- start-up, shutdown, help
    void FormCreate();
    void FormClose(QCloseEvent* event);
    // Asks whether to save an unsaved case; false when closing should stop.
    bool SaveOrDiscardCase();
    void Button1Click();
    void bHelpClick();
    QTextBrowser* HelpBrowser() const;
    QString HelpFile() const { return helpFile_; }
    // The help document at a section; the Help button opens it at 786.
    void ShowHelpTopic(const QString& anchor);
    // True when an input field was typed in (or pasted, or stepped) since the
    // last cycle wrote it back.
    bool InputPending() const;
    // F1: the help at the section of the result cell the pointer was moved
    // onto since the focus last moved, or else of the control with the focus.
    void ContextHelp();
    // The section of the help that explains a control.
    QString HelpTopicFor(const QWidget* w) const;

    // --- settings file
    QString GetAutoIniFilepath() const;
    void LoadSettings(merivane::TIniFile& ini);
    void SaveSettings(merivane::TIniFile& ini);

    // --- input acquisition and the evaluation cycle
    // One field as a cycle found it: whether it was read, what was typed and
    // what the reader made of it.
    struct TEntry {
        bool read = false;
        bool entered = false;  // typed, pasted or stepped since the program last wrote it
        std::string typed;
        int representation = 0;
        merivane::present::TReading reading;
    };
    using TEntries = std::array<TEntry, merivane::present::kMainInputCount>;

    void bEvaluateClick();
    // Reads the fields edited since they were last written (all: every
    // field, as at start-up) into in and writes them back.
    TEntries ReadInputs(merivane::TInputs& in, bool all = false);
    void WriteInputs(const TEntries& entries, const merivane::TInputs& in);
    void WriteReflInput(const merivane::TRefl& r, QComboBox* selector, QLineEdit* edit);
    void SyncSpinner(TUpDown* spinner, double value);
    void TreatEdDire();

    void edSrcPhaExit();
    void edSrcMagExit();
    void edLoaMagExit();
    void udEffClick();
    void udSrcPhaClick();
    void udLoaPhaClick();
    void udDireClick();
    void cbSrcRflChange();
    void cbLoaRflChange();
    void chIdealClick();

    // --- result presentation: each asks the presentation rules for its cell
    // and writes the labels
    void ShowPower(QLabel* value, QLabel* unit, double watts);
    void ShowFactor(QLabel* value, QLabel* unit, double f);
    void ShowMism(const merivane::TRefl& r, QComboBox* selector, QLabel* value);
    void ShowMeaRfl(const merivane::TRefl& r, QComboBox* selector, QLabel* value);
    void ShowMeaRflErr(const merivane::TRefl& measured, const merivane::TRefl& truth, QFrame* cell, QLabel* value,
                       QComboBox* selector);
    void ShowMeaPower(bool isError, QLabel* value, QLabel* unit, double ratio, double watts);
    void ShowRelatDb(double ratio, bool undefined, QLabel* value, QLabel* unit);
    void NaplnFactors();
    void ShowLoadMeas();
    void ShowPowerMeas();
    void ShowResults();

    void rbMagTrClick();
    void rbPowerClick();
    void cbMeaRflChange();
    void cbSrcMismChange();
    void cbLoaMismChange();

    // The display choices of the controls, as the presentation rules take them.
    merivane::present::TDisplay Display() const;
    // Copy, export and report of the results (ResultActions.cpp).
    TResultActions* ResultActions() const { return actions_; }
    merivane::present::PowerUnit SelectedPowerUnit() const;

signals:
    // After the results were rendered anew: every evaluation cycle (a power
    // unit runs one too), and every change of "Ideal".
    void ResultsRendered();
    // The user changed the case (text names the change): the case's undo
    // steps record it.
    void CaseChanged(const QString& text);
    // The window was closed, and with it the program.
    void Closed();

public:
    // Runs one handler; an error that escapes it is reported in an error box.
    void Guarded(const std::function<void()>& fn);
    // The window's general error reporting.
    void ReportError(const QString& message);
    // A remark on something done, in a warning box captioned "Merivane".
    void ReportWarning(const QString& message);

    // The "Line Sweep" page, the last of the results.
    TSweepPage* SweepPage() const { return sweep_; }

    // --- the Workbench, which this window does not know: whoever makes it
    // (the program's start, a test) says how to open it at a view. Ctrl+B, the
    // context menu's "Workbench" and the Line Sweep's "Enlarge" open it.
    void SetWorkbenchOpener(std::function<void(const QString& view)> open) { openWorkbench_ = std::move(open); }
    void OpenWorkbench(const QString& view = QString());
    QAction* WorkbenchAction() const { return workbench_; }

    // --- the case and its undo steps (CaseUndo.cpp)
    TCaseDocument* Document() const { return doc_; }
    IPrompter* Prompter() const { return prompter_.get(); }
    // Open Case, Save Case and Save Case As (CaseCommands.cpp).
    TCaseCommands* CaseCommands() const { return cases_; }
    QAction* UndoAction() const { return undo_; }
    QAction* RedoAction() const { return redo_; }
    // The case as the window holds it: the inputs in force, the choices of
    // the controls, the Line Sweep's inputs and the fields' notes.
    TCaseState WindowState() const;
    // The same, with other inputs than those in force.
    TCaseState WindowState(const merivane::TInputs& inputs) const;
    // Shows a state put in force by an undo, a redo, a view or a file:
    // fields, lists, units and notes; its results follow with its snapshot.
    void ApplyState(const TCaseState& s);
    // Shows a snapshot the document announced: every result cell and the
    // Line Sweep page.
    void ShowSnapshot(const merivane::present::TSnapshot& s);
    // The Transmission page's note, with the line's loss first when there is one.
    void ShowLineLossNote(const std::string& note);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The evaluation cycle: the fields typed in read into in, and the case
    // with them recorded.
    void Cycle(merivane::TInputs in);
    // At start-up: every field read, the case with them and line put in force.
    void StartCase(const merivane::TSweepInputs& line);
    // A spinner's step: set puts its value into the inputs in force.
    void Step(const std::function<void(merivane::TInputs&)>& set, QLineEdit* field, const QString& text, int mergeId);
    // The merge ids of the spinners' steps.
    static constexpr int kEffMerge = 1, kSrcPhaMerge = 2, kLoaPhaMerge = 3, kDireMerge = 4;
    // The reflection list's index for a field's row; 0 for the others.
    int Representation(int field) const;
    // Starts each entered field's tooltip with a note when its entry was not
    // taken as typed, and marks the field until its next accepted entry; a
    // field not entered keeps its note through other cycles while the value
    // the note names stays in force.
    void NoteEntries(const TEntries& entries, const merivane::TInputs& in);
    void ApplyTooltips();

    void Wire();
    void ApplyLook();
    void PlaceOnMonitor();
    void WriteCell(QLabel* value, QLabel* unit, const merivane::present::TCell& cell);
public:
    // A cell of the catalogue as the form holds it.
    struct TCellSlot {
        const merivane::present::TResultCell* entry;
        QLabel* value;
        QLabel* unit;  // null for a cell without one
        QFrame* panel;
    };

private:
    const std::vector<TCellSlot>& CellSlots();
    void RenderCells(bool (*picks)(const merivane::present::TResultCell&));
    std::vector<TCellSlot> cellSlots_;

    std::unique_ptr<Ui::TForm1> ui;
    TControls controls_;
    std::shared_ptr<IPrompter> prompter_;
    THelpWindow* help_ = nullptr;
    // The value in force when each field's note was made: a note goes when a
    // later cycle puts another value in force (the spinner's step read back).
    std::array<double, merivane::present::kMainInputCount> notedValues_{};
    // Where the pointer was when the focus last moved: a result cell under a
    // pointer that has not moved since is not what F1 asks about.
    QPoint pointerAtFocus_;
    // Ended by the destructor: the focus still moves while the widget part
    // of the window is being taken down, when it is no TForm1 any more.
    QMetaObject::Connection focusWatch_;
    // A change of the case becomes one undo step; steps of one spinner in a
    // row merge (mergeId_ names the spinner while its click runs).
    void RecordChange(const QString& text);
    void MakeUndo();
    TCaseDocument* doc_ = nullptr;
    void MakeWorkbenchAction();
    QAction* workbench_ = nullptr;
    std::function<void(const QString&)> openWorkbench_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    int mergeId_ = -1;
    int applying_ = 0;  // > 0 while an undo or a redo is shown
    std::array<std::string, merivane::present::kMainInputCount> notes_;  // each field's note, as its tooltip starts
    TResultActions* actions_ = nullptr;
    TCaseCommands* cases_ = nullptr;
    TSweepPage* sweep_ = nullptr;
    QString helpFile_;
    QString memoText_;  // the Transmission page's note as the layout has it
    int busy_ = 0;  // > 0 while a handler runs
};

// Fonts, widget style and accessibility shared by the program and its tests.
void InitWindowLook();

// The program's start: the window made and started (its settings loaded),
// shown, and then the case file the arguments name, if any, opened over the
// settings. arguments as QApplication::arguments() gives them, the program
// first; Qt's own options are already taken out.
void StartWindow(TForm1& window, const QStringList& arguments);
