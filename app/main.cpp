#include "Environment.h"
#include "TForm1.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv)
{
    merivane::env::ForceUserDataDir();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Merivane"));
    QApplication::setApplicationVersion(merivane::env::GetFileVersionString());
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/merivane.svg")));
    TForm1 window;
    window.FormCreate();
    window.show();
    return QApplication::exec();
}
