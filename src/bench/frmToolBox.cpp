#include "bench/frmToolBox.h"

#include "platform/FormDesign.h"

namespace {

const FormDesign kDesign{"", 690, 10890, {}};

} // namespace

frmToolBox::frmToolBox() : VbForm(QString::fromLatin1(kNom))
{
    buildForm(this, kDesign);
}

void frmToolBox::Form_Load()
{
    // Always at the top-left corner; it keeps no position.
    Move(0, 0);
}
