#pragma once

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QUrl;

// The program's help window: the pages on the right, the contents and the
// index on the left, back and forward over the pages seen.
class FenetreAide : public QWidget {
    Q_OBJECT
public:
    FenetreAide();

    void afficherPage(const QString& fichier);
    void afficherSommaire();
    void afficherIndex();
    // The file name of the page on show.
    QString pageAffichee() const;
    // Opened from a modal dialog, the help window is that dialog's own: it
    // takes clicks and keys while the dialog stays open, and stands above
    // it; it stands alone again, where it is, once the dialog goes. nullptr
    // for no dialog.
    void accompagner(QWidget* dialogue);

    QTextBrowser* txtPage;
    QTabWidget* tabAide;
    QListWidget* lstSommaire;
    QLineEdit* txtIndex;
    QListWidget* lstIndex;
    QPushButton* cmdPrecedent;
    QPushButton* cmdSuivant;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Within the work area of the screen it opens on, centred.
    void placerDansEcran();
    void pageChangee(const QUrl& adresse);
    void filtrerIndex(const QString& debut);

    QPointer<QWidget> dialogue_;
};
