// A pair of up/down arrows bound to a line edit, holding an integer position.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr);

    void SetAssociate(QLineEdit* edit);

    void SetRange(int min, int max);
    void SetIncrement(int step) { step_ = step; }
    void SetWrap(bool wrap) { wrap_ = wrap; }
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Increment() const { return step_; }

    // Takes the bound edit's text as the position when it is a whole decimal
    // number within Min..Max; otherwise the position stays as it was.
    int Position();
    // The position as last set or stepped, whatever the edit holds.
    int Current() const { return position_; }
    // Takes the value, limited to Min..Max. It does not write into the bound
    // edit: the edit keeps the value in force. Emits nothing.
    void SetPosition(int value);

    // One arrow click: +1 steps up, -1 steps down, from the position (or from
    // a whole number typed into the edit and not yet read); writes the new
    // position into the edit.
    void Step(int direction);

signals:
    // An arrow click or arrow key changed the position.
    void clicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
    QLineEdit* associate_ = nullptr;
    int min_ = 0, max_ = 100, step_ = 1, position_ = 0;
    bool wrap_ = false;
};
