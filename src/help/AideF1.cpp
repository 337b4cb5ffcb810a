#include "help/AideF1.h"

#include "app/MDIWavix.h"
#include "help/HTMLHelp.h"

#include <QCoreApplication>
#include <QShortcut>
#include <QWidget>

QString FichierAide()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/wavix.chm");
}

void AfficherRubriqueAide(int rubrique)
{
    MDIWavix* mdi = MDIWavix::instance();
    if (!mdi)
        return;
    HTMLHelp& aide = mdi->AideHTML();
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
