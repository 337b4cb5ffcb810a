#include "help/FenetreAide.h"

#include "help/PagesAide.h"

#include <QApplication>
#include <QCollator>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QKeyEvent>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QUrl adressePage(const QString& fichier)
{
    return QUrl(QStringLiteral("qrc") + QString::fromLatin1(kDossierPagesAide) + fichier);
}

} // namespace

FenetreAide::FenetreAide() : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("FenetreAide"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Aide de Wavix"));

    cmdPrecedent = new QPushButton(QStringLiteral("◀ &Précédent"));
    cmdPrecedent->setObjectName(QStringLiteral("cmdPrecedent"));
    cmdSuivant = new QPushButton(QStringLiteral("&Suivant ▶"));
    cmdSuivant->setObjectName(QStringLiteral("cmdSuivant"));
    auto* cmdAccueil = new QPushButton(QStringLiteral("&Accueil"));
    cmdAccueil->setObjectName(QStringLiteral("cmdAccueil"));
    auto* barre = new QHBoxLayout;
    barre->addWidget(cmdPrecedent);
    barre->addWidget(cmdSuivant);
    barre->addWidget(cmdAccueil);
    barre->addStretch();

    lstSommaire = new QListWidget;
    lstSommaire->setObjectName(QStringLiteral("lstSommaire"));
    for (const PageAide& page : PagesAide()) {
        auto* element = new QListWidgetItem(page.titre, lstSommaire);
        element->setData(Qt::UserRole, page.fichier);
    }

    txtIndex = new QLineEdit;
    txtIndex->setObjectName(QStringLiteral("txtIndex"));
    txtIndex->setPlaceholderText(QStringLiteral("Tapez le début du mot cherché"));
    lstIndex = new QListWidget;
    lstIndex->setObjectName(QStringLiteral("lstIndex"));
    struct Entree {
        QString mot;
        QString fichier;
    };
    std::vector<Entree> entrees;
    for (const PageAide& page : PagesAide())
        for (const QString& mot : page.index)
            entrees.push_back({mot, page.fichier});
    QCollator ordre{QLocale(QLocale::French)};
    ordre.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(entrees.begin(), entrees.end(),
                     [&ordre](const Entree& a, const Entree& b) { return ordre.compare(a.mot, b.mot) < 0; });
    for (const Entree& e : entrees) {
        auto* element = new QListWidgetItem(e.mot, lstIndex);
        element->setData(Qt::UserRole, e.fichier);
    }
    auto* pageIndex = new QWidget;
    auto* colonneIndex = new QVBoxLayout(pageIndex);
    colonneIndex->setContentsMargins(4, 4, 4, 4);
    colonneIndex->addWidget(txtIndex);
    colonneIndex->addWidget(lstIndex);

    tabAide = new QTabWidget;
    tabAide->setObjectName(QStringLiteral("tabAide"));
    tabAide->addTab(lstSommaire, QStringLiteral("Sommaire"));
    tabAide->addTab(pageIndex, QStringLiteral("Index"));

    txtPage = new QTextBrowser;
    txtPage->setObjectName(QStringLiteral("txtPage"));
    txtPage->setOpenLinks(true);
    txtPage->setOpenExternalLinks(false);

    auto* partage = new QSplitter;
    partage->addWidget(tabAide);
    partage->addWidget(txtPage);
    partage->setStretchFactor(1, 1);
    // The contents column shows its titles whole.
    int titres = 0;
    for (int i = 0; i < lstSommaire->count(); ++i)
        titres = std::max(titres, lstSommaire->visualItemRect(lstSommaire->item(i)).width());
    titres = std::max(titres, lstSommaire->sizeHintForColumn(0));
    // A long title wraps rather than widen the column past a third of the
    // window: the page keeps the room.
    constexpr int kSommaireMax = 300;
    const int sommaire = std::clamp(titres + 2 * lstSommaire->frameWidth()
                                        + lstSommaire->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 24,
                                    240, kSommaireMax);
    lstSommaire->setWordWrap(true);
    lstSommaire->setTextElideMode(Qt::ElideNone);
    lstSommaire->setResizeMode(QListView::Adjust);
    partage->setSizes({sommaire, 560});

    auto* colonne = new QVBoxLayout(this);
    colonne->addLayout(barre);
    colonne->addWidget(partage, 1);
    resize(sommaire + 620, 600);
    placerDansEcran();


    connect(cmdPrecedent, &QPushButton::clicked, txtPage, &QTextBrowser::backward);
    connect(cmdSuivant, &QPushButton::clicked, txtPage, &QTextBrowser::forward);
    connect(cmdAccueil, &QPushButton::clicked, this, [this] { afficherPage(PagesAide().first().fichier); });
    connect(txtPage, &QTextBrowser::backwardAvailable, cmdPrecedent, &QPushButton::setEnabled);
    connect(txtPage, &QTextBrowser::forwardAvailable, cmdSuivant, &QPushButton::setEnabled);
    connect(txtPage, &QTextBrowser::sourceChanged, this, &FenetreAide::pageChangee);
    cmdPrecedent->setEnabled(false);
    cmdSuivant->setEnabled(false);
    auto ouvrirElement = [this](QListWidgetItem* element) {
        if (element)
            afficherPage(element->data(Qt::UserRole).toString());
    };
    connect(lstSommaire, &QListWidget::itemActivated, this, ouvrirElement);
    connect(lstSommaire, &QListWidget::itemClicked, this, ouvrirElement);
    connect(lstIndex, &QListWidget::itemActivated, this, ouvrirElement);
    connect(lstIndex, &QListWidget::itemClicked, this, ouvrirElement);
    connect(txtIndex, &QLineEdit::textChanged, this, &FenetreAide::filtrerIndex);
    connect(txtIndex, &QLineEdit::returnPressed, this, [this, ouvrirElement] { ouvrirElement(lstIndex->currentItem()); });
}

void FenetreAide::keyPressEvent(QKeyEvent* event)
{
    // Escape, which no control of the window takes, closes the help as it
    // closes every dialog.
    if (event->key() == Qt::Key_Escape && !(event->modifiers() & ~Qt::KeypadModifier)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FenetreAide::placerDansEcran()
{
    const QScreen* ecran = QGuiApplication::primaryScreen();
    if (const QWidget* principale = QApplication::activeWindow())
        ecran = principale->screen();
    if (!ecran)
        return;
    // The window with its frame within the work area, centred in it.
    constexpr int kCadre = 40; // room for the title bar and the borders
    const QRect zone = ecran->availableGeometry();
    const QSize taille(std::min(width(), zone.width() - kCadre), std::min(height(), zone.height() - kCadre));
    resize(taille);
    move(zone.left() + (zone.width() - taille.width()) / 2, zone.top() + (zone.height() - taille.height() - kCadre / 2) / 2);
}

void FenetreAide::afficherPage(const QString& fichier)
{
    const QUrl adresse = adressePage(fichier);
    if (txtPage->source() != adresse)
        txtPage->setSource(adresse);
}

void FenetreAide::afficherSommaire()
{
    tabAide->setCurrentIndex(0);
    if (txtPage->source().isEmpty())
        afficherPage(PagesAide().first().fichier);
    lstSommaire->setFocus();
}

void FenetreAide::afficherIndex()
{
    tabAide->setCurrentIndex(1);
    if (txtPage->source().isEmpty())
        afficherPage(PagesAide().first().fichier);
    txtIndex->setFocus();
}

void FenetreAide::accompagner(QWidget* dialogue)
{
    QWidget* proprietaire = dialogue ? dialogue->window() : nullptr;
    if (proprietaire == dialogue_ && parentWidget() == proprietaire)
        return;
    if (dialogue_)
        dialogue_->removeEventFilter(this);
    const bool visible = isVisible();
    const QRect place = geometry();
    setParent(proprietaire, windowFlags());
    if (visible)
        setGeometry(place);
    dialogue_ = proprietaire;
    if (proprietaire)
        proprietaire->installEventFilter(this);
    if (visible)
        show();
}

bool FenetreAide::eventFilter(QObject* watched, QEvent* event)
{
    // The dialog closes (it is hidden first): the help stays open.
    if (watched == dialogue_ && event->type() == QEvent::Hide)
        accompagner(nullptr);
    return QWidget::eventFilter(watched, event);
}

QString FenetreAide::pageAffichee() const
{
    return QFileInfo(txtPage->source().path()).fileName();
}

// The contents and the caption follow the page on show, whichever way it
// was reached. The page is the one the signal names: the browser tells the
// change before its source() gives the new page.
void FenetreAide::pageChangee(const QUrl& adresse)
{
    const QString fichier = QFileInfo(adresse.path()).fileName();
    for (int i = 0; i < lstSommaire->count(); ++i)
        if (lstSommaire->item(i)->data(Qt::UserRole).toString() == fichier) {
            lstSommaire->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
            lstSommaire->scrollToItem(lstSommaire->item(i));
            break;
        }
    if (const PageAide* page = PageDeFichier(fichier))
        setWindowTitle(QStringLiteral("Aide de Wavix - ") + page->titre);
}

// The index goes to the first entry that starts with what is typed.
void FenetreAide::filtrerIndex(const QString& debut)
{
    const QString cherche = debut.trimmed();
    for (int i = 0; i < lstIndex->count(); ++i)
        if (lstIndex->item(i)->text().startsWith(cherche, Qt::CaseInsensitive)) {
            lstIndex->setCurrentRow(i);
            lstIndex->scrollToItem(lstIndex->item(i), QAbstractItemView::PositionAtTop);
            return;
        }
}
