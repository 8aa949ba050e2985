// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResultDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

QString TQtResultDialogs::SaveFile(QWidget* parent, const QString& caption, const QString& startPath,
                                   const QString& filters, QString* selectedFilter)
{
    return QFileDialog::getSaveFileName(parent, caption, startPath, filters, selectedFilter);
}

QString TQtResultDialogs::OpenFile(QWidget* parent, const QString& caption, const QString& startFolder,
                                   const QString& filters)
{
    return QFileDialog::getOpenFileName(parent, caption, startFolder, filters);
}

bool TQtResultDialogs::OfferPrint(QWidget* parent, const QString& savedPath)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Merivane"),
                    QStringLiteral("The report is saved in %1.\nPrint it as well?").arg(QDir::toNativeSeparators(savedPath)),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool TQtResultDialogs::SetUpPrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Report"));
    return dialog.exec() == QDialog::Accepted;
}
