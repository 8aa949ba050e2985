#include "EntryMark.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>

namespace {
const QColor kMarkColour(224, 112, 0);
}

TEntryMark::TEntryMark(QLineEdit* field) : QWidget(field)
{
    setObjectName(QStringLiteral("EntryMark"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(field->rect());
    field->installEventFilter(this);
    hide();
}

TEntryMark* TEntryMark::Of(QLineEdit* field)
{
    return field->findChild<TEntryMark*>(QString(), Qt::FindDirectChildrenOnly);
}

void TEntryMark::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setPen(QPen(kMarkColour, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool TEntryMark::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize && watched == parent()) setGeometry(static_cast<QWidget*>(watched)->rect());
    return QWidget::eventFilter(watched, event);
}
