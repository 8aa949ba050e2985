// Guidance for new users: a tooltip on every control, a note in a field's
// tooltip when its entry was not taken as typed, and help at the section of
// the control in question.
#include "EntryMark.h"
#include "EntryNotes.h"
#include "Explain.h"
#include "TForm1.h"
#include "ui_TForm1.h"

#include <QApplication>
#include <QCursor>
#include <QFrame>

namespace present = merivane::present;

namespace {

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
    for (std::size_t i = 0; i < controls_.inputs.size(); ++i) t.texts[i] = controls_.inputs[i]->text();
    t.srcRepresentation = ui->cbSrcRfl->currentIndex();
    t.loaRepresentation = ui->cbLoaRfl->currentIndex();
    return t;
}

void TForm1::NoteEntries(const TTypedInputs& typed)
{
    using present::EntryKind;
    const auto text = [&typed](int i) { return typed.texts[static_cast<std::size_t>(i)].toStdString(); };
    const auto shown = [](const QLineEdit* e) { return e->text().toStdString(); };
    SetEntryNote(ui->edAnodeV, present::EntryNote(EntryKind::Volts, text(0), M.Va, shown(ui->edAnodeV)));
    SetEntryNote(ui->edAnodeI, present::EntryNote(EntryKind::Amperes, text(1), M.Ia, shown(ui->edAnodeI)));
    SetEntryNote(ui->edEffic, present::EntryNote(EntryKind::Percent, text(2), static_cast<double>(static_cast<long double>(M.Eff) * 100),
                                                 shown(ui->edEffic)));
    SetEntryNote(ui->edSrcMag, present::ReflectionNote(typed.srcRepresentation, text(3), M.SrcRfl));
    SetEntryNote(ui->edSrcPha, present::EntryNote(EntryKind::Degrees, text(4), M.SrcRfl.Pha, shown(ui->edSrcPha)));
    SetEntryNote(ui->edLoaMag, present::ReflectionNote(typed.loaRepresentation, text(5), M.LoaRfl));
    SetEntryNote(ui->edLoaPha, present::EntryNote(EntryKind::Degrees, text(6), M.LoaRfl.Pha, shown(ui->edLoaPha)));
    SetEntryNote(ui->edDire, present::EntryNote(EntryKind::Decibels, text(7), M.CplDirDb, shown(ui->edDire)));
}

void TForm1::SetEntryNote(QLineEdit* field, const std::string& note)
{
    const QString base = Utf8(present::TooltipFor(field->objectName().toLatin1().constData()));
    SetTip(field, note.empty() ? base : QString::fromStdString(note) + QLatin1Char('\n') + base);
    SetEntryMark(field, !note.empty());
}

QString TForm1::HelpTopicFor(const QWidget* w) const
{
    for (; w && w != this; w = w->parentWidget())
        if (const char* topic = present::HelpTopicOf(w->objectName().toLatin1().constData())) return QString::fromLatin1(topic);
    return QString::fromLatin1(present::kHelpMainTopic);
}

void TForm1::ContextHelp()
{
    const QWidget* target = focusWidget();
    if (const QWidget* hovered = QApplication::widgetAt(QCursor::pos()); hovered && hovered->window() == this && InResultCell(hovered))
        target = hovered;
    ShowHelpTopic(HelpTopicFor(target));
}
