// A thin orange frame around an input field whose last entry was not taken as
// typed; the field's tooltip says why. The field's own bevel is drawn in
// orange, so nothing is added to the window and the field keeps its colour.
#pragma once

#include <string>

class QLineEdit;

void SetEntryMark(QLineEdit* field, bool marked);
bool HasEntryMark(const QLineEdit* field);

// Starts the field's tooltip (and what a screen reader hears of it) with the
// note, before the field's own explanation, and marks the field; an empty
// note gives the explanation alone and takes the mark away.
void SetEntryNote(QLineEdit* field, const std::string& note);
// While a measured load is in force its note (file, port, frequency) leads
// the load field's tooltip, without the entry's mark; an empty measuredNote
// puts entryNote back where a measured note was.
void SetMeasuredNote(QLineEdit* field, const std::string& measuredNote, const std::string& entryNote);
