// Modal boxes go through this interface so that tests can answer them.
#pragma once

#include <QString>

class QWidget;

class IPrompter {
public:
    virtual ~IPrompter() = default;
    // A Yes/No question with the confirmation icon, Yes the default. True for Yes.
    virtual bool Confirm(QWidget* parent, const QString& caption, const QString& text) = 0;
    // An error box with the error icon and an OK button.
    virtual void Error(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A warning box with an OK button: something was done, with a remark.
    // Without an override it is shown as an error box.
    virtual void Warning(QWidget* parent, const QString& caption, const QString& text) { Error(parent, caption, text); }
    // A failed save at closing: "Cancel", the default, keeps the window;
    // "Close Without Saving" ends the program. True for the second.
    virtual bool CloseWithoutSaving(QWidget* parent, const QString& caption, const QString& text) = 0;
    // Unsaved changes at closing: Save, Discard or Cancel (the default).
    enum class SaveChoice { Save, Discard, Cancel };
    virtual SaveChoice SaveChanges(QWidget* parent, const QString& caption, const QString& text) = 0;
    // The port of a file of several whose reflection is the load: 1 .. ports,
    // or 0 when the question is cancelled. Without an override, port 1.
    virtual int ChoosePort(QWidget* parent, const QString& file, int ports)
    {
        (void)parent, (void)file, (void)ports;
        return 1;
    }
};

// The real boxes.
class TMessageBoxPrompter final : public IPrompter {
public:
    bool Confirm(QWidget* parent, const QString& caption, const QString& text) override;
    void Error(QWidget* parent, const QString& caption, const QString& text) override;
    void Warning(QWidget* parent, const QString& caption, const QString& text) override;
    bool CloseWithoutSaving(QWidget* parent, const QString& caption, const QString& text) override;
    SaveChoice SaveChanges(QWidget* parent, const QString& caption, const QString& text) override;
    int ChoosePort(QWidget* parent, const QString& file, int ports) override;
};
