#include "help/AideF1.h"

#include "help/HTMLHelp.h"

#include <QCoreApplication>
#include <QShortcut>
#include <QWidget>

#include <memory>

QString FichierAide()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/wavix.chm");
}

namespace {

bool aidePermise = false;

std::unique_ptr<HTMLHelp>& aideFaite()
{
    static std::unique_ptr<HTMLHelp> aide;
    return aide;
}

} // namespace

HTMLHelp* AideProgramme()
{
    if (!aidePermise)
        return nullptr;
    if (!aideFaite())
        aideFaite() = std::make_unique<HTMLHelp>();
    return aideFaite().get();
}

void PermettreAide(bool permise)
{
    aidePermise = permise;
    if (!permise)
        aideFaite().reset();
}

void FermerAide()
{
    if (aideFaite())
        aideFaite()->HHClose();
    aideFaite().reset();
}

void AfficherRubriqueAide(int rubrique)
{
    HTMLHelp* programme = AideProgramme();
    if (!programme)
        return;
    HTMLHelp& aide = *programme;
    aide.CHMFile = FichierAide();
    aide.HHTopicID = rubrique;
    aide.HHDisplayTopicID();
}

void InstallerAideF1(QWidget* fenetre, int rubrique)
{
    // F1 whatever the shift state: one shortcut per combination of the keys.
    const Qt::KeyboardModifiers touches[] = {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier};
    for (int combinaison = 0; combinaison < 8; ++combinaison) {
        Qt::KeyboardModifiers modificateurs;
        for (int i = 0; i < 3; ++i)
            if (combinaison & (1 << i))
                modificateurs |= touches[i];
        auto* raccourci = new QShortcut(QKeySequence(QKeyCombination(modificateurs, Qt::Key_F1)), fenetre);
        raccourci->setContext(Qt::WidgetWithChildrenShortcut);
        QObject::connect(raccourci, &QShortcut::activated, fenetre, [rubrique] { AfficherRubriqueAide(rubrique); });
    }
}
