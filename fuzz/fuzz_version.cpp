// The published version text, as the version check reads what it downloaded.

#include "Entree.h"

#include "services/Version.h"
#include "platform/TextCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString publiee = VersionPubliee(decodeText(Entree(data, size).reste()));
    const auto numero = LireNumeroVersion(publiee);
    if (EstPlusRecente(publiee, 2, 15)) {
        // Only "major.minor" digits are ever announced.
        EXIGER(numero && publiee.size() <= 11 && publiee.count(QLatin1Char('.')) == 1);
        for (const QChar c : publiee)
            EXIGER(c == QLatin1Char('.') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')));
    }
    return 0;
}
