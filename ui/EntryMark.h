// A thin orange frame around an input field whose last entry was not taken as
// typed; the field's tooltip says why. The field's own bevel is drawn in
// orange, so nothing is added to the window and the field keeps its colour.
#pragma once

class QLineEdit;

void SetEntryMark(QLineEdit* field, bool marked);
bool HasEntryMark(const QLineEdit* field);
