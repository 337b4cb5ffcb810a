#include "help/frmTip.h"

frmTip::frmTip() : VbForm(QString::fromLatin1(kNom), false)
{
    setWindowTitle(QStringLiteral("Astuce du jour"));
}
