#include "Prompter.h"

#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

bool TMessageBoxPrompter::Confirm(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void TMessageBoxPrompter::Error(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

void TMessageBoxPrompter::Warning(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

bool TMessageBoxPrompter::CloseWithoutSaving(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::NoButton, parent);
    QPushButton* close = box.addButton(QStringLiteral("Close Without Saving"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == close;
}

IPrompter::SaveChoice TMessageBoxPrompter::SaveChanges(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                    parent);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save: return SaveChoice::Save;
    case QMessageBox::Discard: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;
    }
}

int TMessageBoxPrompter::ChoosePort(QWidget* parent, const QString& file, int ports)
{
    bool ok = false;
    const int port = QInputDialog::getInt(parent, QStringLiteral("Measured Load"),
                                          QStringLiteral("%1 has %2 ports. The load is the reflection of port:")
                                              .arg(QFileInfo(file).fileName())
                                              .arg(ports),
                                          1, 1, ports, 1, &ok);
    return ok ? port : 0;
}
