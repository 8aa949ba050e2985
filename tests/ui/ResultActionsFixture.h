// SPDX-License-Identifier: GPL-3.0-or-later
// The window with its result actions, their dialogs answered by a fake that
// records how they were opened, and a right-click that reads the menu it opens.
#pragma once

#include "PdfText.h"
#include "ResultActions.h"
#include "ResultDialogs.h"
#include "WindowFixture.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QTimer>

#include <functional>

class TFakeDialogs final : public IResultDialogs {
public:
    QString path;          // the file chosen; empty: cancelled
    QString openPath;      // the file chosen to open; empty: cancelled
    QString filter;        // the filter chosen
    bool print = false;    // the answer to "Print it as well?"
    QString printTo;       // the PDF the printer writes; empty: the print dialog is cancelled
    std::vector<QString> starts, captions;
    int offers = 0;

    QString SaveFile(QWidget*, const QString& caption, const QString& startPath, const QString&, QString* selected) override
    {
        captions.push_back(caption);
        starts.push_back(startPath);
        if (selected) *selected = filter;
        return path;
    }
    QString OpenFile(QWidget*, const QString& caption, const QString& startFolder, const QString&) override
    {
        captions.push_back(caption);
        starts.push_back(startFolder);
        return openPath;
    }
    bool OfferPrint(QWidget*, const QString&) override
    {
        ++offers;
        return print;
    }
    bool SetUpPrinter(QWidget*, QPrinter& printer) override
    {
        if (printTo.isEmpty()) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printTo);
        return true;
    }
};

inline QStringList Lines(const QString& text) { return text.split(QLatin1Char('\n')); }

class ResultActionsTest : public WindowTest {
protected:
    TResultActions& Actions() { return *w->ResultActions(); }
    void ShowWithDialogs()
    {
        Show();
        dialogs = std::make_shared<TFakeDialogs>();
        Actions().SetDialogs(dialogs);
        QGuiApplication::clipboard()->setText(QStringLiteral("sentinel"));
    }
    QString Clip() const { return QGuiApplication::clipboard()->text(); }
    QString Temp(const QString& name) const { return tmp_.filePath(name); }

    // Right-clicks the control and returns the texts and shortcuts of the
    // menu that opens; `inMenu` runs while it is open.
    QStringList OpenMenu(QWidget* control, const std::function<void(QMenu*)>& inMenu = {})
    {
        QStringList items;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            for (const QAction* a : menu->actions())
                items << (a->isSeparator() ? QStringLiteral("-")
                                           : a->text() + QLatin1Char('|') + a->shortcut().toString());
            if (inMenu) inMenu(menu);
            menu->close();
        });
        const QPoint at = control->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, control->mapToGlobal(at));
        QApplication::sendEvent(control, &event);
        QTest::qWait(20);  // a field's menu pops up without a loop of its own
        return items;
    }

    std::shared_ptr<TFakeDialogs> dialogs;

private:
    QTemporaryDir tmp_;
};

// The first cell of every line the copy has, in order, for the window's
