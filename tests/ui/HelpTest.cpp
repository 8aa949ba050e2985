// The help window: opened by the button and by F1, closed by Esc and Ctrl+W,
// placed over the main window and wholly on its screen.
#include "HelpWindow.h"
#include "RowNames.h"
#include "WindowFixture.h"

#include <QImage>
#include <QRegularExpression>
#include <QScreen>

namespace {

TEST_F(WindowTest, HelpOpensAtItsTopicAndNamesAMissingFile)
{
    Create();
    // the path is set at start-up, before the button is first pressed
    EXPECT_EQ(S(w->HelpFile()), S(QCoreApplication::applicationDirPath() + "/MerivaneHelp.html"));
    Show();
    Find<QPushButton>("bHelp")->click();
    ASSERT_NE(w->HelpBrowser(), nullptr);
    EXPECT_EQ(S(w->HelpBrowser()->source().fileName()), "MerivaneHelp.html");
    EXPECT_EQ(S(w->HelpBrowser()->source().fragment()), "786");
    EXPECT_TRUE(w->HelpBrowser()->toPlainText().contains("Undefined"));

    // the document looked for beside the executable, not in the working folder
    const QString file = w->HelpFile();
    const QString aside = file + ".aside";
    ASSERT_TRUE(QFile::rename(file, aside));
    Find<QPushButton>("bHelp")->click();
    const QString shown = w->HelpBrowser()->toPlainText();
    ASSERT_TRUE(QFile::rename(aside, file));
    EXPECT_EQ(S(shown), "Cannot find the help file " + S(file) + ".");
}

// Every picture the document names lies beside it and can be drawn: the
// build and the package copy it with the document.
TEST_F(WindowTest, EveryPictureOfTheHelpIsBesideItAndDraws)
{
    QFile file(QCoreApplication::applicationDirPath() + "/MerivaneHelp.html");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    const QRegularExpression img(QStringLiteral("<img src=\"([^\"]+)\""));
    int pictures = 0;
    for (auto it = img.globalMatch(html); it.hasNext(); ++pictures) {
        const QString name = it.next().captured(1);
        QFile picture(QCoreApplication::applicationDirPath() + "/" + name);
        ASSERT_TRUE(picture.open(QIODevice::ReadOnly)) << S(name);
        EXPECT_FALSE(QImage::fromData(picture.readAll()).isNull()) << S(name);
    }
    EXPECT_GE(pictures, 1);
}

TEST_F(WindowTest, F1OpensHelpAndEscOrCtrlWCloseIt)
{
    Show();
    const struct {
        const char* closeName;
        QKeyCombination key;
    } closers[] = {{"Esc", QKeyCombination(Qt::Key_Escape)}, {"Ctrl+W", QKeyCombination(Qt::CTRL | Qt::Key_W)}};
    for (const auto& c : closers) {
        for (const char* from : {"edLoaPha", "cbSrcRfl", "chIdeal"}) {
            QWidget* control = Find<QWidget>(from);
            control->setFocus(Qt::OtherFocusReason);
            w->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
            QTest::keyClick(control, Qt::Key_F1);
            ASSERT_NE(w->HelpBrowser(), nullptr) << from;
            QWidget* help = w->HelpBrowser()->window();
            EXPECT_TRUE(help->isVisible()) << from;
            help->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(help));
            ASSERT_TRUE(QTest::qWaitFor([help] { return QApplication::activeWindow() == help; }));
            QTest::keyClick(w->HelpBrowser(), c.key.key(), c.key.keyboardModifiers());
            EXPECT_FALSE(help->isVisible()) << c.closeName << " after F1 in " << from;
        }
    }
}

TEST_F(WindowTest, HelpOpensOverTheWindowAndWithinTheScreen)
{
    Show();
    Find<QPushButton>("bHelp")->click();
    QWidget* help = w->HelpBrowser()->window();
    const QRect avail = w->screen()->availableGeometry();
    EXPECT_TRUE(avail.contains(help->geometry())) << help->geometry().x() << "," << help->geometry().y();
    EXPECT_LE(std::abs(help->geometry().center().x() - w->frameGeometry().center().x()), 1);
}

// The help window's place: its preferred size shrunk to the screen with room
// for a frame, centred over the main window, and moved wholly on screen.
struct HelpPlace {
    const char* name;
    QRect available, over;
    QRect expected;
};

class HelpGeometryTable : public ::testing::TestWithParam<HelpPlace> {};

TEST_P(HelpGeometryTable, FitsAndCentres)
{
    const HelpPlace& c = GetParam();
    const QRect r = HelpGeometry(c.available, c.over, QSize(640, 560));
    EXPECT_EQ(r, c.expected) << c.name << ": " << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    // with the frame it lies wholly in the available area
    EXPECT_TRUE(c.available.contains(r.adjusted(-8, -32, 8, 8))) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Screens, HelpGeometryTable,
    ::testing::Values(
        // 1024 x 768: the preferred size, centred on the window's centre (512, 384)
        HelpPlace{"room enough", QRect(0, 0, 1024, 768), QRect(240, 196, 545, 375), QRect(193, 104, 640, 560)},
        // 1600 x 1000 at scale 2: 800 x 500 logical pixels, less a 28-pixel panel
        HelpPlace{"scale 2 on 1600x1000", QRect(0, 28, 800, 472), QRect(128, 77, 545, 375), QRect(81, 60, 640, 432)},
        // the window near the right edge of a second screen: pushed back inside
        HelpPlace{"near an edge", QRect(1024, 0, 1280, 1024), QRect(2200, 600, 545, 375), QRect(1656, 456, 640, 560)},
        HelpPlace{"tiny screen", QRect(0, 0, 320, 240), QRect(0, 0, 545, 375), QRect(8, 32, 304, 200)}),
    ROW_NAMES(std::string(r.name)));

}  // namespace
