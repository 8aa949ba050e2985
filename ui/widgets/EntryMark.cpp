#include "EntryMark.h"

#include "Explain.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>

namespace {

const QColor kMarkColour(224, 112, 0);
const char* const kProperty = "entryMarked";
// The colours a sunken bevel is drawn with.
constexpr QPalette::ColorRole kBevel[] = {QPalette::Shadow, QPalette::Dark, QPalette::Mid, QPalette::Midlight,
                                          QPalette::Light};

}  // namespace

void SetEntryMark(QLineEdit* field, bool marked)
{
    if (HasEntryMark(field) == marked) return;
    QPalette p = field->palette();
    const QPalette standard = QApplication::palette(field);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        for (QPalette::ColorRole role : kBevel) p.setColor(group, role, marked ? kMarkColour : standard.color(group, role));
    field->setPalette(p);
    field->setProperty(kProperty, marked);
}

bool HasEntryMark(const QLineEdit* field) { return field->property(kProperty).toBool(); }

void SetEntryNote(QLineEdit* field, const std::string& note)
{
    const char* explained = merivane::present::TooltipFor(field->objectName().toLatin1().constData());
    const QString base = QString::fromUtf8(explained ? explained : "");
    const QString tip = note.empty() ? base : QString::fromStdString(note) + (base.isEmpty() ? QString() : QLatin1Char('\n') + base);
    field->setToolTip(tip);
    field->setAccessibleDescription(tip);
    SetEntryMark(field, !note.empty());
}

void SetMeasuredNote(QLineEdit* field, const std::string& measuredNote, const std::string& entryNote)
{
    static const char* const kMeasured = "merivaneMeasuredNote";
    if (measuredNote.empty()) {
        if (!field->property(kMeasured).toBool()) return;
        field->setProperty(kMeasured, false);
        SetEntryNote(field, entryNote);
        return;
    }
    const char* explained = merivane::present::TooltipFor(field->objectName().toLatin1().constData());
    QString tip = QString::fromStdString(measuredNote);
    if (explained && *explained) tip += QLatin1Char('\n') + QString::fromUtf8(explained);
    field->setToolTip(tip);
    field->setAccessibleDescription(tip);
    field->setProperty(kMeasured, true);
}
