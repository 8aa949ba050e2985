#include "Look.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <QStyle>
#include <QStyleFactory>

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


namespace {

struct TDesktopLook {
    QString style;
    QPalette palette;
    bool known = false;
};

TDesktopLook& Desktop()
{
    static TDesktopLook look;
    return look;
}

}  // namespace

void RememberDesktopLook()
{
    TDesktopLook& d = Desktop();
    if (d.known) return;
    d.known = true;
    d.style = QApplication::style() ? QApplication::style()->name() : QString();
    d.palette = QApplication::palette();
}

void ApplyDesktopLook(QWidget* w)
{
    const TDesktopLook& d = Desktop();
    if (!d.known || !w) return;
    // a style reaches no child by itself: each widget is given it; one style
    // object serves them all and lives as long as the program
    static QStyle* style = QStyleFactory::create(d.style);
    if (style) {
        w->setStyle(style);
        for (QWidget* child : w->findChildren<QWidget*>()) child->setStyle(style);
    }
    w->setPalette(d.palette);
}

void SetDesktopPalette(const QPalette& palette)
{
    RememberDesktopLook();
    Desktop().palette = palette;
}
