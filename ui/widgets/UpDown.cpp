#include "UpDown.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <charconv>

namespace {

// A whole decimal number: an optional sign and digits, nothing else.
bool WholeNumber(const QString& text, long long& value)
{
    const QByteArray a = text.toLatin1();
    const char* b = a.constData();
    const char* e = b + a.size();
    if (b != e && *b == '+') ++b;
    if (b == e) return false;
    const auto res = std::from_chars(b, e, value);
    return res.ec == std::errc() && res.ptr == e;
}

}  // namespace

TUpDown::TUpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    setFocusPolicy(Qt::NoFocus);
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
        b->setIconSize(QSize(7, 4));
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setAccessibleName(tr("Up"));
    down_->setAccessibleName(tr("Down"));
    connect(up_, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void TUpDown::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const int h = height() / 2;
    up_->setGeometry(0, 0, width(), h);
    down_->setGeometry(0, h, width(), height() - h);
}

void TUpDown::SetAssociate(QLineEdit* edit)
{
    if (associate_) associate_->removeEventFilter(this);
    associate_ = edit;
    if (associate_) associate_->installEventFilter(this);
}

void TUpDown::SetRange(int min, int max)
{
    min_ = min;
    max_ = max;
    if (position_ < min_) position_ = min_;
    if (position_ > max_) position_ = max_;
}

int TUpDown::Position()
{
    long long v = 0;
    if (associate_ && WholeNumber(associate_->text(), v) && v >= min_ && v <= max_) position_ = static_cast<int>(v);
    return position_;
}

void TUpDown::SetPosition(int value)
{
    if (value < min_) value = min_;
    if (value > max_) value = max_;
    position_ = value;
}

void TUpDown::Step(int direction)
{
    if (!isEnabled()) return;
    // a whole number typed and not yet read is where the step starts; the
    // field's text otherwise is the program's, and the position the value's
    const int old = associate_ && associate_->isModified() ? Position() : position_;
    long long next = static_cast<long long>(old) + static_cast<long long>(direction) * step_;
    if (next > max_) next = wrap_ ? min_ : max_;
    if (next < min_) next = wrap_ ? max_ : min_;
    if (next == old) return;
    position_ = static_cast<int>(next);
    if (associate_) associate_->setText(QString::number(position_));
    emit clicked();
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == associate_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            Step(key->key() == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
