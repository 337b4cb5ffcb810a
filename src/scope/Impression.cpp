#include "scope/Impression.h"

#include "services/ModeleBanc.h"

#include "services/FichierINI.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/OutputDevices.h"
#include "platform/PictureBox.h"
#include "platform/TextFiles.h"
#include "scope/CourbeWavix.h"
#include "services/PanneauScope.h"
#include "scope/Signaux.h"
#include "scope/SortiesEcran.h"
#include "scope/frmWavix.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <climits>

namespace {

const QString kImpression = QStringLiteral("Impression");

QString cle(const char* debut, int voie)
{
    return QString::fromLatin1(debut) + (voie == 0 ? QStringLiteral("A") : QStringLiteral("B"));
}

// The item of a list at the index stored under the key; the first item when
// the index lies outside the list.
QString itemChoisi(const QStringList& liste, const QString& cleIndex)
{
    return liste.at(LirePreferenceINI(kImpression, cleIndex, 0, 0, int32_t(liste.size()) - 1));
}

} // namespace

const QStringList& StylesLigneImpression()
{
    static const QStringList styles{QStringLiteral("ligne pleine"), QStringLiteral("tiret"), QStringLiteral("point"),
                                    QStringLiteral("tiret-point"), QStringLiteral("tiret-point-point")};
    return styles;
}

const QStringList& MotifsMarque()
{
    static const QStringList motifs = [] {
        QStringList m;
        for (char16_t s : {u'\u25C6', u'\u25CF', u'\u25A1', u'\u29EB', u'\u25A0', u'\u25CB'})
            m << QString(QChar(s));
        return m;
    }();
    return motifs;
}

const QStringList& TaillesMarque()
{
    static const QStringList tailles{QStringLiteral("8"), QStringLiteral("10"), QStringLiteral("12"),
                                     QStringLiteral("14"), QStringLiteral("16")};
    return tailles;
}

ChoixImpression LireChoixImpression(int voie)
{
    ChoixImpression choix;
    choix.style = LirePreferenceINI(kImpression, cle("Style Ligne Voie ", voie), 0, 0,
                                    int32_t(StylesLigneImpression().size()) - 1);
    choix.marques = LirePreferenceINI(kImpression, cle("Marque Voie ", voie), 1, INT_MIN, INT_MAX) == 0;
    QString symbole = itemChoisi(MotifsMarque(), cle("Motif Marque Voie ", voie));
    while (symbole.startsWith(QLatin1Char(' ')))
        symbole.remove(0, 1);
    choix.symbole = symbole;
    choix.taille = itemChoisi(TaillesMarque(), cle("Taille Marque Voie ", voie)).toDouble();
    if (!(choix.taille > 0))
        choix.taille = 8;
    return choix;
}

QList<QPointF> PointsMarques(int voie)
{
    QList<QPointF> points;
    if (voie != 0 && voie != 1)
        return points;
    const EtatVoie& v = Banc().voies[size_t(voie)];
    if (v.Sensibilite == 0)
        return points;
    const FormeOnde forme = FormeDuMot(v.FormeSignal);
    // On the trace: without its DC level in AC coupling.
    const double continu = ContinuBloque(voie, forme, v.Amplitude, v.RapportCyclique, v.Decalage);
    const double baseTemps = Panneau().secondesParDivision();
    for (int x = -500; x <= 500; x += 100) {
        const double t = (x + 500) / 100.0 * baseTemps;
        const std::optional<double> u = ValeurOnde(forme, NiveauxHarmo(voie), t, v.Frequence, v.Amplitude, v.RapportCyclique,
                                                   v.Decalage);
        if (!u)
            return {};
        points << QPointF(x, (*u - continu) * 100 / v.Sensibilite + v.PositionVerticale);
    }
    return points;
}

void TracerMarques(PictureBox* ecran, int voie, const ChoixImpression& choix)
{
    ecran->FontName = kPoliceMarques;
    ecran->FontSize = choix.taille;
    ecran->ForeColor = Banc().voies[size_t(voie == 0 ? 0 : 1)].CouleurTrace;
    for (const QPointF& p : PointsMarques(voie)) {
        ecran->CurrentX = p.x() - 14;
        ecran->CurrentY = p.y() + 14;
        ecran->Print(choix.symbole);
    }
}

bool PeindrePage(QPaintDevice& support, const PageWavix& page)
{
    QPainter p;
    if (!p.begin(&support))
        return false;
    const double kx = support.logicalDpiX() / kTwipsParPouce;
    const double ky = support.logicalDpiY() / kTwipsParPouce;

    const QFont texte(QStringLiteral("Arial"), 12);
    const QFont glyphe(kPoliceMarques, 12);
    const QFontMetricsF mesureTexte(texte, &support);
    const QFontMetricsF mesureGlyphe(glyphe, &support);
    const double ligne = std::max(mesureTexte.height(), mesureGlyphe.height());
    const double ascent = std::max(mesureTexte.ascent(), mesureGlyphe.ascent());
    p.setPen(Qt::black);
    double y = 0;
    for (const QString& symbole : page.legendes) {
        p.setFont(texte);
        p.drawText(QPointF(0, y + ascent), kLegendeMarque);
        p.setFont(glyphe);
        p.drawText(QPointF(mesureTexte.horizontalAdvance(kLegendeMarque), y + ascent), symbole);
        y += ligne;
    }

    const QSizeF taille = page.ecran.deviceIndependentSize() * kTwipsParPixel;
    p.drawImage(QRectF(kEcranPageX * kx, kEcranPageY * ky, taille.width() * kx, taille.height() * ky), page.ecran);
    return p.end();
}

PageWavix PreparerPage(frmWavix& scope)
{
    const std::array<ChoixImpression, 2> choix{LireChoixImpression(0), LireChoixImpression(1)};
    PictureBox* ecran = scope.picEcran;
    ecran->DrawWidth = 1;
    for (int voie = 0; voie < 2; ++voie)
        Modele().reglerAspectVoie(voie, Banc().voies[size_t(voie)].CouleurTrace, choix[size_t(voie)].style);
    RedessinerPourSortie(scope, kCouleursImpression);

    PageWavix page;
    // The markers follow a channel's own waveform: none on a sum or a figure.
    if (!Panneau().modeAllume(ModeVoies::ADD) && !Panneau().modeAllume(ModeVoies::XY)) {
        for (int voie = 0; voie < 2; ++voie) {
            const ChoixImpression& c = choix[size_t(voie)];
            if (!c.marques)
                continue;
            TracerMarques(ecran, voie, c);
            page.legendes << c.symbole;
        }
    }
    ImprimerPied(ecran, QStringLiteral("Arial"), 7);
    page.ecran = ecran->Image();
    return page;
}

namespace {

// A printout to a PDF file is made whole first, then put in place at once:
// a full disk or a file that cannot be written leaves no empty or cut file
// that would pass for the printout.
bool imprimerDansFichier(const QPrinter& imprimante, const PageWavix& page)
{
    QBuffer contenu;
    contenu.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&contenu);
        pdf.setPdfVersion(imprimante.pdfVersion());
        pdf.setResolution(imprimante.resolution());
        pdf.setPageLayout(imprimante.pageLayout());
        pdf.setCreator(imprimante.creator());
        pdf.setTitle(imprimante.docName());
        if (!PeindrePage(pdf, page))
            return false;
    }
    return replaceFileBytes(imprimante.outputFileName(), contenu.data()) == FileStatus::Ok;
}

} // namespace

void ImprimerCourbes()
{
    frmWavix* scope = Forms().find<frmWavix>();
    if (!scope)
        return;
    QPrinter& imprimante = chosenPrinter();
    if (!printerReady(imprimante)) {
        MsgBox(QStringLiteral("Aucune imprimante n'est installée ni choisie.\r\n"
                              "Choisissez une imprimante, ou l'impression dans un fichier PDF, "
                              "avec « Configuration imprimante » du menu Fichier."),
               vb::Exclamation, QStringLiteral("Wavix"));
        return;
    }
    bool imprime = false;
    try {
        PageWavix page;
        {
            EcranFige fige(*scope);
            page = PreparerPage(*scope);
        }
        imprime = imprimante.outputFormat() == QPrinter::PdfFormat
            ? imprimerDansFichier(imprimante, page)
            : PeindrePage(imprimante, page) && imprimante.printerState() != QPrinter::Error;
    } catch (...) {
        imprime = false;
    }
    if (imprime)
        return;
    QString message = QStringLiteral("L'impression des wavixgrammes a échoué : ");
    if (imprimante.outputFormat() == QPrinter::PdfFormat)
        message += QStringLiteral("le fichier ") + imprimante.outputFileName()
                   + QStringLiteral(" n'a pas pu être écrit.");
    else
        message += QStringLiteral("l'imprimante ") + imprimante.printerName()
                   + QStringLiteral(" n'a pas accepté la page. Vérifiez qu'elle est allumée et prête.");
    MsgBox(message, vb::Critical, QStringLiteral("Wavix"));
}
