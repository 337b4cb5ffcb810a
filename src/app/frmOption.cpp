#include "app/frmOption.h"

frmOption::frmOption() : VbForm(QString::fromLatin1(kNom), false)
{
    setWindowTitle(QStringLiteral("Options"));
}
