// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs of the result actions, behind an interface so that tests can
// answer them: where to save, which file to open, whether to print the saved
// report, and the print dialog.
#pragma once

#include <QString>

class QPrinter;
class QWidget;

class IResultDialogs {
public:
    virtual ~IResultDialogs() = default;
    // A file to save to, the dialog opened at startPath (a folder and a
    // suggested name); filters as QFileDialog takes them. Empty when
    // cancelled; selectedFilter, when given, gets the chosen filter.
    virtual QString SaveFile(QWidget* parent, const QString& caption, const QString& startPath, const QString& filters,
                             QString* selectedFilter) = 0;
    // A file to open, the dialog opened in startFolder. Empty when cancelled.
    virtual QString OpenFile(QWidget* parent, const QString& caption, const QString& startFolder,
                             const QString& filters) = 0;
    // After the report was saved: true to print it as well.
    virtual bool OfferPrint(QWidget* parent, const QString& savedPath) = 0;
    // The print dialog on the printer; true when the user chose to print.
    virtual bool SetUpPrinter(QWidget* parent, QPrinter& printer) = 0;
};

// The real dialogs: QFileDialog, a Yes/No question (No the default) and
// QPrintDialog.
class TQtResultDialogs final : public IResultDialogs {
public:
    QString SaveFile(QWidget* parent, const QString& caption, const QString& startPath, const QString& filters,
                     QString* selectedFilter) override;
    QString OpenFile(QWidget* parent, const QString& caption, const QString& startFolder,
                     const QString& filters) override;
    bool OfferPrint(QWidget* parent, const QString& savedPath) override;
    bool SetUpPrinter(QWidget* parent, QPrinter& printer) override;
};
