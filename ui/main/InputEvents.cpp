// The window's key and focus events: leaving a field and Enter.
#include "TForm1.h"
#include "ui_TForm1.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    // Undo and Redo keys in a field with nothing typed since it was written
    // go to the case's undo steps; with typing pending, the field's own undo
    // takes them.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto* field = qobject_cast<QLineEdit*>(watched);
        const bool edit = key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                          key->keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y) ||
                          key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z);
        if (field && edit && !field->isModified()) return true;  // left unaccepted: the window's shortcut runs
    }
    if (event->type() == QEvent::FocusOut && busy_ == 0) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Only a move of the focus to another control counts as leaving the
        // field; a popup, a window switch or a message box does not.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::MenuBarFocusReason) {
            if (watched == ui->edSrcMag)
                Guarded([this] { edSrcMagExit(); });
            else if (watched == ui->edLoaMag)
                Guarded([this] { edLoaMagExit(); });
            else
                Guarded([this] { edSrcPhaExit(); });
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::keyPressEvent(QKeyEvent* event)
{
    // Enter presses the default button wherever the focus is, except on
    // another button, which Enter presses itself.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* b = qobject_cast<QPushButton*>(focusWidget()))
            b->click();
        else
            ui->bEvaluate->click();
        return;
    }
    QWidget::keyPressEvent(event);
}
