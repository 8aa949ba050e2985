#include "HelpWindow.h"

#include <QFileInfo>
#include <QKeySequence>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QSize kPreferred(640, 560);
// Room left for the frame and title bar that the window manager adds.
constexpr int kFrameWidth = 16;
constexpr int kFrameHeight = 40;

}  // namespace

QRect HelpGeometry(const QRect& available, const QRect& over, const QSize& preferred)
{
    const int w = std::max(1, std::min(preferred.width(), available.width() - kFrameWidth));
    const int h = std::max(1, std::min(preferred.height(), available.height() - kFrameHeight));
    QRect r(0, 0, w, h);
    r.moveCenter(over.center());
    // wholly inside the available area, frame included
    const int maxLeft = available.right() + 1 - kFrameWidth / 2 - w;
    const int maxTop = available.bottom() + 1 - kFrameWidth / 2 - h;
    r.moveLeft(std::max(available.left() + kFrameWidth / 2, std::min(r.left(), maxLeft)));
    r.moveTop(std::max(available.top() + (kFrameHeight - kFrameWidth / 2), std::min(r.top(), maxTop)));
    return r;
}

THelpWindow::THelpWindow(QWidget* owner) : QWidget(owner, Qt::Window), browser_(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Merivane Help"));
    setAccessibleName(QStringLiteral("Merivane Help"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    browser_->setObjectName(QStringLiteral("HelpBrowser"));
    browser_->setAccessibleName(QStringLiteral("Help"));
    browser_->setOpenExternalLinks(true);
    layout->addWidget(browser_);
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* close = new QShortcut(key, this);
        close->setContext(Qt::WindowShortcut);
        connect(close, &QShortcut::activated, this, &QWidget::close);
    }
    resize(kPreferred);
}

void THelpWindow::ShowTopic(const QString& file, const QString& anchor)
{
    if (QFileInfo::exists(file)) {
        QUrl url = QUrl::fromLocalFile(file);
        url.setFragment(anchor);
        browser_->setSource(url);
    } else {
        browser_->setSource(QUrl());
        browser_->setPlainText(QStringLiteral("Cannot find the help file %1.").arg(file));
    }
}

void THelpWindow::PlaceOver(const QWidget* owner)
{
    const QScreen* screen = owner->screen();
    if (!screen) return;
    setGeometry(HelpGeometry(screen->availableGeometry(), owner->frameGeometry(), kPreferred));
}
