// Guidance for new users: a tooltip on every control, a note in a field's
// tooltip when its entry was not taken as typed, and help at the section of
// the control in question.
#include "EntryMark.h"
#include "EntryReader.h"
#include "InputValues.h"
#include "Explain.h"
#include "HelpWindow.h"
#include "TForm1.h"
#include "ui_TForm1.h"

#include <QApplication>
#include <QCursor>
#include <QFrame>
#include <QTextBrowser>

namespace present = merivane::present;

namespace {

constexpr int kHelpTopic = 786;  // the section the Help button opens

QString Utf8(const char* s) { return QString::fromUtf8(s); }

void SetTip(QWidget* w, const QString& tip)
{
    w->setToolTip(tip);
    w->setAccessibleDescription(tip);
}

// A result cell, or a label inside one.
bool InResultCell(const QWidget* w)
{
    for (; w; w = w->parentWidget()) {
        if (const auto* f = qobject_cast<const QFrame*>(w); f && f->frameShape() == QFrame::Panel) return true;
        if (w->isWindow()) break;
    }
    return false;
}

}  // namespace

void TForm1::ApplyTooltips()
{
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this] { pointerAtFocus_ = QCursor::pos(); });
    for (const present::TControlTip& t : present::ControlTips())
        if (QWidget* w = findChild<QWidget*>(QString::fromLatin1(t.control))) SetTip(w, Utf8(t.tooltip));
    // a field's caption explains what the field does
    for (QLineEdit* e : controls_.inputs)
        for (QLabel* l : findChildren<QLabel*>())
            if (l->buddy() == e) l->setToolTip(e->toolTip());
    // a result cell shares the tooltip of its row
    for (const present::TResultCell& c : present::ResultCells()) {
        const char* caption = present::RowCaptionOf(c.region, c.row);
        const char* tip = caption ? present::TooltipFor(caption) : nullptr;
        if (QWidget* panel = findChild<QWidget*>(QString::fromLatin1(c.panel)); panel && tip) SetTip(panel, Utf8(tip));
    }
}

void TForm1::NoteEntries(const TEntries& entries, const merivane::TInputs& in)
{
    // only an entry changes a note: a cycle of another field, or the button,
    // leave it as it is while the value it names stays in force
    for (int i = 0; i < present::kMainInputCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        const TEntry& e = entries[k];
        QLineEdit* field = controls_.inputs[k];
        const auto id = static_cast<present::Input>(i);
        const double inForce = present::StoredValue(in, id);
        if (e.read && e.entered) {
            notes_[k] = present::EntryNote(present::InputRow(id), e.typed, e.reading, e.representation);
            SetEntryNote(field, notes_[k]);
            notedValues_[k] = inForce;
        } else if (HasEntryMark(field) && inForce != notedValues_[k]) {
            notes_[k].clear();
            SetEntryNote(field, notes_[k]);  // what it said is no longer so
        }
    }
}

QString TForm1::HelpTopicFor(const QWidget* w) const
{
    for (; w && w != this; w = w->parentWidget())
        if (const char* topic = present::HelpTopicOf(w->objectName().toLatin1().constData())) return QString::fromLatin1(topic);
    return QString::fromLatin1(present::kHelpMainTopic);
}

void TForm1::ContextHelp()
{
    // the control with the focus, unless the pointer was moved onto a result cell since the focus moved
    const QWidget* target = focusWidget();
    const QPoint pointer = QCursor::pos();
    if (const QWidget* hovered = QApplication::widgetAt(pointer);
        pointer != pointerAtFocus_ && hovered && hovered->window() == this && InResultCell(hovered))
        target = hovered;
    ShowHelpTopic(HelpTopicFor(target));
}

QTextBrowser* TForm1::HelpBrowser() const { return help_ ? help_->Browser() : nullptr; }

void TForm1::bHelpClick() { ShowHelpTopic(QString::number(kHelpTopic)); }

void TForm1::ShowHelpTopic(const QString& anchor)
{
    const bool first = !help_;
    if (first) help_ = new THelpWindow(this);
    help_->ShowTopic(helpFile_, anchor);
    if (first || !help_->isVisible()) help_->PlaceOver(this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}
