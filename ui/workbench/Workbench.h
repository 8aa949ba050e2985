// SPDX-License-Identifier: GPL-3.0-or-later
// The Workbench: a resizable window round the case of the main window, with
// its views in docks the user arranges (their layout kept in
// MerivaneWorkbench.ini beside the settings file, with the recent cases).
// Both windows are live: each shows every change either makes, through the
// case document. Closing it hides it; the program goes on.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <vector>

class QAction;
class QDockWidget;
class QMenu;
class TCaseDocument;
class TCaseView;
class TCompareView;
class TForm1;
class TInputPanel;
class TSweepPage;
class TSweepView;
namespace merivane::present {
struct TSnapshot;
}

class TWorkbench final : public QMainWindow {
    Q_OBJECT
public:
    // A window of its own, deleted with the main window.
    explicit TWorkbench(TForm1& form);
    ~TWorkbench() override;

    // Shows the window, and the view of that title in front (none: as left).
    void ShowView(const QString& title);

    QDockWidget* Dock(const QString& title) const;
    TInputPanel* Inputs() const { return inputs_; }
    TCompareView* CompareView() const { return compare_; }
    TSweepView* SweepView() const;
    TSweepPage* SweepPage() const { return sweep_; }
    // Every view of the case, made or not yet: the registry's order.
    QStringList ViewTitles() const;
    // The view of that title, made when first asked for.
    TCaseView* View(const QString& title);
    QStringList RecentCases() const { return recent_; }

    // "MerivaneWorkbench.ini" in the per-user folder.
    static QString SettingsPath();
    void SaveLayout();
    // "<case name> - Merivane Workbench", with "*" while the case is unsaved.
    void UpdateTitle();

    QAction* PinAction() const { return pin_; }
    QAction* CompareWithAction() const { return compareWith_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Undo and Redo keys in a field with no edit of its own to undo or redo
    // go to the case's steps, as in the main window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MakeDocks();
    void MakeMenus();
    void FillRecentMenu();
    void LoadLayout();
    void Show(const merivane::present::TSnapshot& s);
    void Attach(TCaseView* view);
    void PinReference();
    void CompareWith();
    void ContextHelp();

    TForm1& form_;
    TCaseDocument* doc_;
    TInputPanel* inputs_ = nullptr;
    TSweepPage* sweep_ = nullptr;
    TCompareView* compare_ = nullptr;
    struct TDockedView {
        QString title;
        QDockWidget* dock;
        TCaseView* view;  // null until the dock is first shown
        std::function<TCaseView*(QWidget*)> make;
    };
    std::vector<TDockedView> docks_;
    QMenu* viewMenu_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QAction* pin_ = nullptr;
    QAction* compareWith_ = nullptr;
    QStringList recent_;
};

// Lets the main window open the Workbench, made on first use: Ctrl+B, the
// context menu's "Workbench" and the Line Sweep's "Enlarge".
void InstallWorkbench(TForm1& form);
// The Workbench of the main window; null before it was first opened.
TWorkbench* WorkbenchOf(const TForm1& form);
