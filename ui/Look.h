// The colours of the window's controls, shared by its files.
#pragma once

#include <QColor>

class QWidget;

// Sets the background of a control in every state.
void SetBackground(QWidget* w, const QColor& c);
QColor InputColour();  // yellow, every input field
QColor CellColour();   // white, a result cell that shows a value
QColor ButtonFace();   // the system's button face
