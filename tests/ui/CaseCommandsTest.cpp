// SPDX-License-Identifier: GPL-3.0-or-later
// Open Case, Save Case and Save Case As in the main window: a case file opened
// is one undo step, a saved case reads back the same, a refused file changes
// nothing, and the window started with a file shows it.
#include "CaseCommands.h"
#include "CaseDocument.h"
#include "CaseFile.h"
#include "ResultActionsFixture.h"
#include "RowNames.h"

#include <QFile>
#include <QUndoStack>

#include <cmath>

namespace {

namespace present = merivane::present;

// 5000 V, 2 A, 80 %: Pmatch 8000 W; source 0.1 at 0 degrees, load 0.6 at 180.
const char* const kBenchCase = R"({"format": "merivane-case", "version": 1, "name": "Bench load",
 "inputs": {"va": 5000, "ia": 2, "eff": 80, "source": "0.1@0", "load": "0.6@180", "directivity": null},
 "line": {"frequency": 2450, "line": "WR340", "length": 0, "span": 0},
 "display": {"power_unit": "W", "factor_unit": "mag", "meas_unit": "power"}}
)";

// Pload from the closed form Pmatch (1 - |Gl|^2) / |1 - Gs Gl|^2.
double Absorbed(double pmatch, double gs, double gsDeg, double gl, double glDeg)
{
    const double a = (gsDeg + glDeg) * 3.14159265358979323846 / 180;
    const double re = 1 - gs * gl * std::cos(a), im = -gs * gl * std::sin(a);
    return pmatch * (1 - gl * gl) / (re * re + im * im);
}

class CaseCommandsTest : public ResultActionsTest {
protected:
    TCaseCommands& Cases() { return *w->CaseCommands(); }
    int Steps() const { return w->Document()->Stack()->count(); }
    QString WriteFile(const QString& name, const QByteArray& text)
    {
        const QString path = Temp(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        return path;
    }
    void Key(int key, Qt::KeyboardModifiers mods = Qt::ControlModifier) { QTest::keyClick(w.get(), Qt::Key(key), mods); }
};

TEST_F(CaseCommandsTest, AHandWrittenCaseOpensAsOneStepAndUndoReturnsToTheCaseBefore)
{
    ShowWithDialogs();
    const TCaseState before = w->WindowState();
    const double ploadBefore = Model().Pload;
    dialogs->openPath = WriteFile("bench.merivane", kBenchCase);
    Key(Qt::Key_O);

    EXPECT_EQ(dialogs->captions.back(), "Open Case");
    EXPECT_EQ(Model().Va, 5000);
    EXPECT_EQ(Model().Ia, 2);
    EXPECT_EQ(Model().Eff, 0.8);
    EXPECT_EQ(S(Edit("edAnodeV")->text()), "5000");
    EXPECT_EQ(S(Edit("edLoaMag")->text()), "0.6");
    EXPECT_NEAR(Model().Pmatch, 8000, 1e-9);
    EXPECT_NEAR(Model().Pload, Absorbed(8000, 0.1, 0, 0.6, 180), 1e-9);
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(Cases().CaseName(), "Bench load");  // the file's own name
    EXPECT_EQ(Cases().FilePath(), dialogs->openPath);

    Key(Qt::Key_Z);
    EXPECT_TRUE(w->WindowState().c == before.c);
    EXPECT_EQ(Model().Pload, ploadBefore);
    EXPECT_EQ(S(Edit("edAnodeV")->text()), "4000");
    EXPECT_TRUE(prompter->errors.empty());
    EXPECT_TRUE(prompter->warnings.empty());
}

TEST_F(CaseCommandsTest, UndoingAnOpenGivesBackTheFileBeforeSoThatSaveDoesNotOverwriteTheOpenedOne)
{
    ShowWithDialogs();
    dialogs->path = Temp("mine.merivane");
    TypeAndLeave("edAnodeV", "4200");
    Key(Qt::Key_S);  // the case at 4200 V is the file mine.merivane's
    const QString opened = WriteFile("bench.merivane", kBenchCase);
    ASSERT_TRUE(Cases().OpenFile(opened));
    EXPECT_EQ(Cases().FilePath(), opened);

    Key(Qt::Key_Z);
    EXPECT_EQ(Model().Va, 4200);
    EXPECT_EQ(Cases().FilePath(), Temp("mine.merivane"));
    EXPECT_EQ(Cases().CaseName(), "mine");
    const std::size_t asked = dialogs->captions.size();
    Key(Qt::Key_S);  // to mine.merivane, without a dialog; bench.merivane stays as it was
    EXPECT_EQ(dialogs->captions.size(), asked);
    QFile bench(opened);
    ASSERT_TRUE(bench.open(QIODevice::ReadOnly));
    EXPECT_EQ(bench.readAll(), QByteArray(kBenchCase));

    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // redo: the opened file again
    EXPECT_EQ(Model().Va, 5000);
    EXPECT_EQ(Cases().FilePath(), opened);
    EXPECT_EQ(Cases().CaseName(), "Bench load");

    Key(Qt::Key_Z);
    Key(Qt::Key_Z);  // before anything was saved or opened: no file
    EXPECT_EQ(Model().Va, 4000);
    EXPECT_EQ(Cases().FilePath(), Temp("mine.merivane")) << "a save is no step: the file stays";
}

TEST_F(CaseCommandsTest, ACaseWithoutANameIsNamedByItsFile)
{
    ShowWithDialogs();
    QByteArray text(kBenchCase);
    text.replace("\"name\": \"Bench load\",", "");
    ASSERT_TRUE(Cases().OpenFile(WriteFile("line 7.merivane", text)));
    EXPECT_EQ(Cases().CaseName(), "line 7");
}

TEST_F(CaseCommandsTest, WhatTheReaderIgnoredIsShownAsAWarningAndTheCaseIsOpened)
{
    ShowWithDialogs();
    QByteArray text(kBenchCase);
    text.replace("\"va\": 5000", "\"va\": 5000, \"colour\": \"red\"");
    ASSERT_TRUE(Cases().OpenFile(WriteFile("bench.merivane", text)));
    ASSERT_EQ(prompter->warnings.size(), 1u);
    EXPECT_TRUE(prompter->warnings[0].contains("colour")) << S(prompter->warnings[0]);
    EXPECT_EQ(Model().Va, 5000);
}

struct TBadFile {
    const char* name;
    QByteArray text;      // empty: no file at all
    const char* because;  // part of the message
};

class BadCaseFileTest : public CaseCommandsTest, public ::testing::WithParamInterface<TBadFile> {};

TEST_P(BadCaseFileTest, IsRefusedWithTheReasonAndNothingChanges)
{
    ShowWithDialogs();
    prompter->errorsExpected = true;
    TypeAndLeave("edAnodeV", "4500");  // one step, so that undo has something to lose
    const TCaseState before = w->WindowState();
    const int steps = Steps();
    const QString path = GetParam().text.isEmpty() ? Temp("none.merivane") : WriteFile("bad.merivane", GetParam().text);
    dialogs->openPath = path;
    Key(Qt::Key_O);

    ASSERT_EQ(prompter->errors.size(), 1u);
    const std::string message = S(prompter->errors[0]);
    EXPECT_NE(message.find(GetParam().because), std::string::npos) << message;
    EXPECT_NE(message.find(S(path)), std::string::npos) << message;
    EXPECT_TRUE(w->WindowState().c == before.c);
    EXPECT_EQ(Steps(), steps);
    EXPECT_EQ(S(Edit("edAnodeV")->text()), "4500");
    EXPECT_TRUE(Cases().FilePath().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadCaseFileTest,
    ::testing::Values(
        // the stray comma on the 4th line
        TBadFile{"damaged", "{\n \"format\": \"merivane-case\",\n \"version\": 1,\n \"inputs\": ,\n}\n", "line 4, column "},
        TBadFile{"newer", R"({"format": "merivane-case", "version": 2})", "newer than this Merivane reads"},
        TBadFile{"not a number", R"({"format": "merivane-case", "inputs": {"va": "lots"}})", "va"},
        TBadFile{"missing", {}, "no such file"}),
    ROW_NAMES(std::string(r.name)));

TEST_F(CaseCommandsTest, ASavedCaseOpensAsTheSameCaseWithTheSameResults)
{
    ShowWithDialogs();
    Choose("cbLoaRfl", 1);  // the load entered in dB
    TypeAndLeave("edLoaMag", "-12");
    TypeAndLeave("edSrcPha", "-40");
    Choose("cbSrcMism", 2);  // a display choice
    Radio("rbDbm")->click();
    const TCaseState saved = w->WindowState();
    const merivane::TModel m = Model();

    dialogs->path = Temp("round trip");  // no suffix: .merivane is added
    Key(Qt::Key_S);
    EXPECT_EQ(dialogs->captions.back(), "Save Case");
    const QString path = Temp("round trip.merivane");
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_EQ(Cases().FilePath(), path);

    TypeAndLeave("edAnodeV", "3000");
    ASSERT_FALSE(w->WindowState().c == saved.c);
    ASSERT_TRUE(Cases().OpenFile(path));
    EXPECT_TRUE(w->WindowState().c == saved.c)
        << present::CaseFileText(w->WindowState().c) << present::CaseFileText(saved.c);
    EXPECT_EQ(Model().Pload, m.Pload);  // bit for bit
    EXPECT_EQ(Model().PloadMax, m.PloadMax);
    EXPECT_EQ(Model().Pinc, m.Pinc);
    EXPECT_EQ(Cases().CaseName(), "round trip");
    EXPECT_TRUE(prompter->errors.empty());
}

TEST_F(CaseCommandsTest, SaveAsksOnlyTheFirstTimeAndSaveAsAlwaysAsks)
{
    ShowWithDialogs();
    dialogs->path = Temp("first.merivane");
    Key(Qt::Key_S);
    const std::size_t asked = dialogs->captions.size();
    EXPECT_EQ(asked, 1u);

    TypeAndLeave("edAnodeV", "4200");
    Key(Qt::Key_S);  // to the file it has, without a dialog
    EXPECT_EQ(dialogs->captions.size(), asked);
    QFile f(Temp("first.merivane"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const present::TCaseReadResult read = present::ReadCaseFile(f.readAll().toStdString());
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.c.inputs.Va, 4200);

    dialogs->path = Temp("second.merivane");
    Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(dialogs->captions.size(), asked + 1);
    EXPECT_TRUE(QFile::exists(Temp("second.merivane")));
    EXPECT_EQ(Cases().FilePath(), Temp("second.merivane"));

    dialogs->path.clear();  // cancelled: nothing written, the file stays
    Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Cases().FilePath(), Temp("second.merivane"));
}

TEST_F(CaseCommandsTest, AFailedSaveSaysWhyAndKeepsTheFile)
{
    ShowWithDialogs();
    prompter->errorsExpected = true;
    dialogs->path = Temp("no such folder/case.merivane");
    Key(Qt::Key_S);
    ASSERT_EQ(prompter->errors.size(), 1u);
    EXPECT_TRUE(prompter->errors[0].startsWith("Unable to save the case to " + dialogs->path + ": "))
        << S(prompter->errors[0]);
    EXPECT_GT(prompter->errors[0].size(), ("Unable to save the case to " + dialogs->path + ": .").size());
    EXPECT_TRUE(Cases().FilePath().isEmpty());
}

struct TShortcut {
    const char* name;
    int key;
    Qt::KeyboardModifiers mods;
    const char* caption;  // of the dialog it opens
};

class CaseShortcutTest : public CaseCommandsTest, public ::testing::WithParamInterface<TShortcut> {};

TEST_P(CaseShortcutTest, OpensItsDialog)
{
    ShowWithDialogs();
    Key(GetParam().key, GetParam().mods);  // each dialog is cancelled
    ASSERT_EQ(dialogs->captions.size(), 1u);
    EXPECT_EQ(S(dialogs->captions[0]), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(Keys, CaseShortcutTest,
                         ::testing::Values(TShortcut{"open", Qt::Key_O, Qt::ControlModifier, "Open Case"},
                                           TShortcut{"save", Qt::Key_S, Qt::ControlModifier, "Save Case"},
                                           TShortcut{"save_as", Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier,
                                                     "Save Case"},
                                           TShortcut{"export", Qt::Key_E, Qt::ControlModifier, "Export"},
                                           TShortcut{"report", Qt::Key_P, Qt::ControlModifier, "Report"}),
                         ROW_NAMES(std::string(r.name)));

TEST_F(CaseCommandsTest, TheWindowStartedWithAFileShowsItOverTheSettings)
{
    WriteSettings("[Merivane]\nedAnodeV=1234\n");
    w = std::make_unique<TForm1>(prompter);
    StartWindow(*w, {QStringLiteral("merivane"), WriteFile("start.merivane", kBenchCase)});
    EXPECT_EQ(Model().Va, 5000);
    EXPECT_NEAR(Model().Pload, Absorbed(8000, 0.1, 0, 0.6, 180), 1e-9);
    EXPECT_EQ(Steps(), 1);  // Ctrl+Z returns to what the settings gave
    EXPECT_TRUE(w->isVisible());
}

TEST_F(CaseCommandsTest, TheWindowStartedWithABadFileStartsAsUsualAndSaysWhy)
{
    WriteSettings("[Merivane]\nedAnodeV=1234\n");
    prompter->errorsExpected = true;
    w = std::make_unique<TForm1>(prompter);
    StartWindow(*w, {QStringLiteral("merivane"), WriteFile("start.merivane", "{\"format\": ")});
    EXPECT_EQ(Model().Va, 1234);
    ASSERT_EQ(prompter->errors.size(), 1u);
    EXPECT_TRUE(prompter->errors[0].contains("line 1, column")) << S(prompter->errors[0]);
    EXPECT_EQ(Steps(), 0);
    EXPECT_TRUE(w->isVisible());
}

}  // namespace
