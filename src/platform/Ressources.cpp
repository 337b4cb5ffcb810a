#include "platform/Ressources.h"

#include <QtGlobal>

void InitialiserRessources()
{
    static const bool fait = [] {
        Q_INIT_RESOURCE(wavix);
        return true;
    }();
    Q_UNUSED(fait)
}
