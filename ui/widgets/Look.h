// The colours of the window's controls, shared by its files.
#pragma once

#include <QColor>

class QPalette;
class QWidget;

// Sets the background of a control in every state.
void SetBackground(QWidget* w, const QColor& c);
QColor InputColour();  // yellow, every input field
QColor CellColour();   // white, a result cell that shows a value
QColor ButtonFace();   // the system's button face

// The desktop's own style and palette, as the program found them before the
// main window set its classic look: the Workbench and its views use them,
// dark themes included.
void RememberDesktopLook();
// Gives w and every widget in it the desktop's style and palette.
void ApplyDesktopLook(QWidget* w);
// The desktop's palette as the Workbench takes it; for a test or a tool that
// shows the Workbench in another palette (a dark one).
void SetDesktopPalette(const QPalette& palette);
