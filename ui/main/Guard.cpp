// The window's general error reporting: every handler runs guarded, and an
// error that escapes it is shown in a box captioned "Merivane".
#include "Prompter.h"
#include "TForm1.h"

#include <exception>

void TForm1::Guarded(const std::function<void()>& fn)
{
    struct Busy {
        int& n;
        explicit Busy(int& c) : n(c) { ++n; }
        ~Busy() { --n; }
    } busy(busy_);
    try {
        fn();
    } catch (const std::exception& e) {
        ReportError(QString::fromUtf8(e.what()));
    }
}

void TForm1::ReportError(const QString& message)
{
    QString text = message;
    if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
    prompter_->Error(this, QStringLiteral("Merivane"), text);
}

void TForm1::ReportWarning(const QString& message) { prompter_->Warning(this, QStringLiteral("Merivane"), message); }
