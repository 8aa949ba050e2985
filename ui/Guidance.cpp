// Guidance for new users: a tooltip on every control, a note in a field's
// tooltip when its entry was not taken as typed, and help at the section of
// the control in question.
#include "EntryMark.h"
#include "EntryNotes.h"
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
    for (const present::TCellSpec& c : present::ResultCells()) {
        const char* caption = present::RowCaptionOf(c.region, c.row);
        const char* tip = caption ? present::TooltipFor(caption) : nullptr;
        if (QWidget* panel = findChild<QWidget*>(QString::fromLatin1(c.panel)); panel && tip) SetTip(panel, Utf8(tip));
    }
}

TForm1::TTypedInputs TForm1::TypedInputs() const
{
    TTypedInputs t;
    for (std::size_t i = 0; i < controls_.inputs.size(); ++i) {
        t.texts[i] = controls_.inputs[i]->text();
        t.entered[i] = controls_.inputs[i]->isModified();
    }
    t.srcRepresentation = ui->cbSrcRfl->currentIndex();
    t.loaRepresentation = ui->cbLoaRfl->currentIndex();
    return t;
}

void TForm1::NoteEntries(const TTypedInputs& typed)
{
    using present::EntryKind;
    const auto text = [&typed](int i) { return typed.texts[static_cast<std::size_t>(i)].toStdString(); };
    const auto shown = [](const QLineEdit* e) { return e->text().toStdString(); };
    // only an entry changes a note: a cycle of another field, the button, or
    // the written-back text read again leave it as it is
    const std::array<double, 8> inForce = {static_cast<double>(M.Va), M.Ia,        M.Eff,        M.SrcRfl.Mag,
                                           M.SrcRfl.Pha,             M.LoaRfl.Mag, M.LoaRfl.Pha, M.CplDirDb};
    const auto note = [&](int i, QLineEdit* field, const auto& make) {
        const auto k = static_cast<std::size_t>(i);
        if (typed.entered[k]) {
            SetEntryNote(field, make());
            notedValues_[k] = inForce[k];
        } else if (HasEntryMark(field) && inForce[k] != notedValues_[k]) {
            SetEntryNote(field, std::string());  // what it said is no longer so
        }
    };
    note(0, ui->edAnodeV, [&] { return present::EntryNote(EntryKind::Volts, text(0), M.Va, shown(ui->edAnodeV)); });
    note(1, ui->edAnodeI, [&] { return present::EntryNote(EntryKind::Amperes, text(1), M.Ia, shown(ui->edAnodeI)); });
    note(2, ui->edEffic, [&] {
        return present::EntryNote(EntryKind::Percent, text(2), static_cast<double>(static_cast<long double>(M.Eff) * 100),
                                  shown(ui->edEffic));
    });
    note(3, ui->edSrcMag, [&] { return present::ReflectionNote(typed.srcRepresentation, text(3), M.SrcRfl); });
    note(4, ui->edSrcPha, [&] { return present::EntryNote(EntryKind::Degrees, text(4), M.SrcRfl.Pha, shown(ui->edSrcPha)); });
    note(5, ui->edLoaMag, [&] { return present::ReflectionNote(typed.loaRepresentation, text(5), M.LoaRfl); });
    note(6, ui->edLoaPha, [&] { return present::EntryNote(EntryKind::Degrees, text(6), M.LoaRfl.Pha, shown(ui->edLoaPha)); });
    note(7, ui->edDire, [&] { return present::EntryNote(EntryKind::Decibels, text(7), M.CplDirDb, shown(ui->edDire)); });
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
