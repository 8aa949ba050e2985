// The yardstick of start-up: a bare Qt window with the main window's own
// widgets (its form, as the designer file builds them) and nothing else: no
// settings, no model, no handlers. bench/startup.sh times both.
#include "ui_TForm1.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    Ui::TForm1 form;
    form.setupUi(&window);
    // the title the program gives its window, which bench/startup.sh looks for
    window.setWindowTitle(QStringLiteral("HALVIK Power Transmission Calculator"));
    window.show();
    return QApplication::exec();
}
