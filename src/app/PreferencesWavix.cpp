#include "app/PreferencesWavix.h"

#include "app/frmOption.h"
#include "platform/Forms.h"

void ChargerPreferences()
{
    if (frmOption* options = Forms().find<frmOption>())
        ChargerPreferencesDans(options);
    else
        Forms().get<frmOption>(); // its load reads them
}
