// Drives the real window offscreen, with a home folder per test and a prompter
// that answers the modal boxes and fails on any it does not expect.
#pragma once

#include "CaseDocument.h"
#include "IniFile.h"
#include "Prompter.h"
#include "TForm1.h"
#include "Workbench.h"
#include "UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QTabWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class TFakePrompter final : public IPrompter {
public:
    bool answer = true;         // the reply to a confirmation
    bool errorsExpected = false;
    std::vector<QString> confirms, errors, errorCaptions, warnings;

    bool Confirm(QWidget*, const QString& caption, const QString& text) override
    {
        confirms.push_back(caption + QStringLiteral("|") + text);
        return answer;
    }
    void Error(QWidget*, const QString& caption, const QString& text) override
    {
        errors.push_back(text);
        errorCaptions.push_back(caption);
        if (!errorsExpected) ADD_FAILURE() << "unexpected error box: " << text.toStdString();
    }
    // A warning is recorded; it never fails a test by itself.
    void Warning(QWidget*, const QString&, const QString& text) override { warnings.push_back(text); }
    // A failed save at closing is an error box too, with the answer given here.
    bool closeWithoutSaving = false;
    bool CloseWithoutSaving(QWidget* parent, const QString& caption, const QString& text) override
    {
        Error(parent, caption, text);
        return closeWithoutSaving;
    }
    // Unsaved changes at closing: recorded, and answered as set here.
    SaveChoice saveChoice = SaveChoice::Discard;
    std::vector<QString> saveQuestions;
    SaveChoice SaveChanges(QWidget*, const QString& caption, const QString& text) override
    {
        saveQuestions.push_back(caption + QStringLiteral("|") + text);
        return saveChoice;
    }
};

// The first line of a box's text.
inline std::string FirstLine(const QString& q) { return q.section(QLatin1Char('\n'), 0, 0).toStdString(); }

inline std::string S(const QString& q) { return q.toStdString(); }

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home_.isValid());
        qputenv("HOME", home_.path().toLocal8Bit());
        prompter = std::make_shared<TFakePrompter>();
    }
    void TearDown() override
    {
        if (w) {
            prompter->answer = true;
            w->AutoIniFile.reset();  // no save on the way out
            w->hide();
            w.reset();
        }
    }

    QString Home() const { return home_.path(); }
    QString SettingsDir() const { return home_.path() + QStringLiteral("/Halvik/Merivane"); }
    QString SettingsPath() const { return SettingsDir() + QStringLiteral("/Merivane.ini"); }

    void WriteSettings(const QByteArray& text)
    {
        QDir().mkpath(SettingsDir());
        QFile f(SettingsPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

    // A window made and started as the program does it, not yet shown.
    TForm1& Create(bool start = true)
    {
        w = std::make_unique<TForm1>(prompter);
        InstallWorkbench(*w);
        if (start) w->FormCreate();
        return *w;
    }
    // Shown and active, so that focus moves as for a user.
    TForm1& Show()
    {
        if (!w) Create();
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return *w;
    }

    template <class T>
    T* Find(const char* name) const
    {
        T* c = w->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    // The model of the snapshot the window shows: what every result cell is drawn from.
    const merivane::TModel& Model() const { return w->Document()->Snapshot().m; }
    QLineEdit* Edit(const char* n) const { return Find<QLineEdit>(n); }
    QLabel* Label(const char* n) const { return Find<QLabel>(n); }
    QComboBox* Combo(const char* n) const { return Find<QComboBox>(n); }
    QRadioButton* Radio(const char* n) const { return Find<QRadioButton>(n); }
    TUpDown* Spinner(const char* n) const { return Find<TUpDown>(n); }
    QString Text(const char* n) const { return Label(n)->text(); }

    // Types into a field of any window (the Workbench's too) and presses Enter.
    static void Enter(QLineEdit* f, const QString& text)
    {
        f->setFocus(Qt::OtherFocusReason);
        f->selectAll();
        QTest::keyClicks(f, text);
        QTest::keyClick(f, Qt::Key_Return);
    }

    // Types into a field as a user does: focus it, replace its text, and leave
    // it with Tab.
    void TypeAndLeave(const char* field, const QString& text)
    {
        QLineEdit* e = Edit(field);
        e->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(e, Qt::Key_Delete);
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Tab);
    }
    // Chooses a list item as a user does, with the keyboard.
    void Choose(const char* list, int index)
    {
        QComboBox* cb = Combo(list);
        cb->setFocus(Qt::MouseFocusReason);
        const int from = cb->currentIndex() < 0 ? 0 : cb->currentIndex();
        if (cb->currentIndex() < 0) {
            // no selection yet: the first key press selects the first item
            QTest::keyClick(cb, Qt::Key_Home);
        }
        for (int i = from; i < index; ++i) QTest::keyClick(cb, Qt::Key_Down);
        for (int i = from; i > index; --i) QTest::keyClick(cb, Qt::Key_Up);
    }

    std::shared_ptr<TFakePrompter> prompter;
    std::unique_ptr<TForm1> w;

private:
    QTemporaryDir home_;
};
