// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepWindow.h"

#include "SweepView.h"

#include <QScreen>
#include <QShortcut>

#include <algorithm>
#include <QVBoxLayout>

TSweepWindow::TSweepWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("SweepWindow"));
    setWindowTitle(QStringLiteral("Line Sweep - Merivane"));
    setAccessibleName(QStringLiteral("Line Sweep"));
    // The main window's close ends the program; this one never holds it up.
    setAttribute(Qt::WA_QuitOnClose, false);
    QFont f = owner ? owner->font() : font();
    f.setPixelSize(13);
    f.setBold(false);
    setFont(f);
    view_ = new TSweepView(TSweepView::Kind::Window, this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, &QWidget::close);
    resize(960, 560);
}

void TSweepWindow::PlaceOver(QWidget* owner)
{
    const QScreen* s = owner->screen();
    if (!s) return;
    const QRect work = s->availableGeometry();
    resize(std::min(960, work.width() * 9 / 10), std::min(560, work.height() * 9 / 10));
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(owner->frameGeometry().center());
    frame.moveLeft(std::clamp(frame.left(), work.left(), std::max(work.left(), work.right() - frame.width())));
    frame.moveTop(std::clamp(frame.top(), work.top(), std::max(work.top(), work.bottom() - frame.height())));
    move(frame.topLeft());
}
