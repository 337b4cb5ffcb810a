#include "evaluation/frmExo.h"

#include "platform/FormDesign.h"

frmExo::frmExo() : VbForm(QString::fromLatin1(kNom))
{
    buildForm(this, FormDesign{"", 4125, 4800, {}});
}

void frmExo::preparer(const QString& legende)
{
    setWindowTitle(legende);
}
