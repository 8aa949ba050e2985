// The help document in a window of its own, over the main window.
#pragma once

#include <QRect>
#include <QWidget>

class QTextBrowser;

// Where the help window goes: its preferred size, shrunk to fit the screen's
// available area with room for a window frame, centred over the main window
// and then moved wholly into that area.
QRect HelpGeometry(const QRect& available, const QRect& over, const QSize& preferred);

class THelpWindow : public QWidget {
    Q_OBJECT
public:
    // A window of its own that closes with its owner; Esc and Ctrl+W close it.
    explicit THelpWindow(QWidget* owner);

    QTextBrowser* Browser() const { return browser_; }
    // Shows the document at the anchor; a missing file is named in the window.
    void ShowTopic(const QString& file, const QString& anchor);
    // Sizes and places the window over the owner, on the owner's screen.
    void PlaceOver(const QWidget* owner);

private:
    QTextBrowser* browser_;
};
