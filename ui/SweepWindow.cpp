// SPDX-License-Identifier: GPL-3.0-or-later
#include "SweepWindow.h"

#include "SweepView.h"

#include <QShortcut>
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
