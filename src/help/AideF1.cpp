#include "help/AideF1.h"

#include "app/MDIWavix.h"
#include "help/HTMLHelp.h"

#include <QCoreApplication>
#include <QShortcut>
#include <QWidget>

void AfficherRubriqueAide(int rubrique)
{
    MDIWavix* mdi = MDIWavix::instance();
    if (!mdi)
        return;
    HTMLHelp& aide = mdi->AideHTML();
    aide.CHMFile = QCoreApplication::applicationDirPath() + QStringLiteral("/wavix.chm");
    aide.HHTopicID = rubrique;
    aide.HHDisplayTopicID();
}

void InstallerAideF1(QWidget* fenetre, int rubrique)
{
    auto* raccourci = new QShortcut(QKeySequence(Qt::Key_F1), fenetre);
    raccourci->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(raccourci, &QShortcut::activated, fenetre, [rubrique] { AfficherRubriqueAide(rubrique); });
}
