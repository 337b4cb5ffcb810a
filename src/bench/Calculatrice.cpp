#include "bench/Calculatrice.h"
#include "services/ModeleBanc.h"

#include "services/EtatBanc.h"
#include "bench/frmToolBox.h"
#include "platform/Dialogs.h"
#include "platform/ExternalWindow.h"
#include "platform/Forms.h"
#include "platform/SystemServices.h"
#include "services/EtatProgramme.h"
#include "services/RequetesBanc.h"

#include <QAbstractButton>
#include <QAction>
#include <QGuiApplication>
#include <QMdiArea>
#include <QPointer>
#include <QProcess>
#include <QScreen>

namespace {

QPointer<QProcess> processus;


void cocher(bool coche)
{
    Modele().montrerInstrument(ModeleBanc::Instrument::Calculatrice, coche);
}

bool menuCoche()
{
    return Banc().calculatriceOuverte;
}

// The user closed the calculator himself: the box and the menu clear.
void calculatriceFermee()
{
    if (!menuCoche())
        return;
    const std::optional<ChoixBoiteOutils>& boite = BoiteOutilsPubliee();
    frmToolBox* b = Forms().find<frmToolBox>();
    if (b && boite && boite->calculatrice)
        b->chkCalc->setChecked(false); // runs the closing branch
    else
        cocher(false);
}

} // namespace

QStringList& CalculatricesConnues()
{
    static QStringList noms = {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                               QStringLiteral("galculator"), QStringLiteral("mate-calc"), QStringLiteral("xcalc")};
    return noms;
}

QPoint PlaceCalculatrice(const QRect& zoneBanc, const QRect& boiteOutils, const QSize& taille, const QRect& bureau)
{
    QRect place(QPoint(zoneBanc.right() + 1 - taille.width(), zoneBanc.top()), taille);
    if (boiteOutils.isValid() && place.left() <= boiteOutils.right())
        place.moveLeft(boiteOutils.right() + 1);
    return placeInside(place, bureau);
}

bool CalculatriceEnMarche()
{
    return processus && processus->state() != QProcess::NotRunning;
}

void FermerCalculatrice()
{
    if (!processus)
        return;
    QProcess* p = processus;
    processus = nullptr;
    p->disconnect();
    if (p->state() != QProcess::NotRunning) {
        p->terminate();
        if (!p->waitForFinished(1500)) {
            p->kill();
            p->waitForFinished(1500);
        }
    }
    p->deleteLater();
}

void BasculerCalculatrice()
{
    if (menuCoche()) {
        cocher(false);
        FermerCalculatrice();
        return;
    }
    const QString programme = firstInstalledProgram(CalculatricesConnues());
    auto refuser = [](const QString& message) {
        MsgBox(message, vb::Critical, QStringLiteral("Erreur sur chemin d'accès"));
        if (frmToolBox* b = Forms().find<frmToolBox>())
            b->decocherCalculatrice();
    };
    if (programme.isEmpty()) {
        refuser(QStringLiteral("Aucune calculatrice n'est installée sur cet ordinateur (")
                + CalculatricesConnues().join(QStringLiteral(", ")) + QStringLiteral(")."));
        return;
    }
    auto* p = new QProcess;
    p->setProgram(programme);
    QObject::connect(p, &QProcess::finished, p, [] { calculatriceFermee(); });
    p->start();
    if (!p->waitForStarted(3000)) {
        delete p;
        refuser(QStringLiteral("La calculatrice ") + programme + QStringLiteral(" n'a pas pu être lancée."));
        return;
    }
    processus = p;
    moveWindowOfProcess(p, p->processId(), programme, [](const QSize& taille) {
        const QWidget* vue = Forms().mdiArea() ? Forms().mdiArea()->viewport() : nullptr;
        const QScreen* ecran = QGuiApplication::primaryScreen();
        if (!vue || !ecran)
            return QPoint();
        const QWidget* boite = Forms().find<frmToolBox>() ? Forms().find<frmToolBox>()->frame() : nullptr;
        return PlaceCalculatrice(QRect(vue->mapToGlobal(QPoint(0, 0)), vue->size()),
                                 boite ? QRect(boite->mapToGlobal(QPoint(0, 0)), boite->size()) : QRect(),
                                 taille, ecran->availableGeometry());
    });
    static const bool fermetureAjoutee = (AjouterFermeture(&FermerCalculatrice), true);
    (void)fermetureAjoutee;
    cocher(true);
}
