// A thin orange frame over an input field whose last entry was not taken as
// typed; the field's tooltip says why.
#pragma once

#include <QWidget>

class QLineEdit;

class TEntryMark : public QWidget {
    Q_OBJECT
public:
    // Made hidden, as a child of the field that covers it. Make it before
    // the field handles any event: it watches the field's size.
    explicit TEntryMark(QLineEdit* field);

    // The field's mark; nullptr when it has none.
    static TEntryMark* Of(QLineEdit* field);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
