#include "Look.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace {

const QColor kInputColour(255, 255, 0);
const QColor kCellColour(255, 255, 255);

}  // namespace

void SetBackground(QWidget* w, const QColor& c)
{
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Window, c);
        p.setColor(group, QPalette::Base, c);
    }
    w->setPalette(p);
}

QColor InputColour() { return kInputColour; }
QColor CellColour() { return kCellColour; }
QColor ButtonFace() { return QApplication::palette().color(QPalette::Active, QPalette::Button); }

