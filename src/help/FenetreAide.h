#pragma once

#include <QWidget>

class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTextBrowser;

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

    QTextBrowser* txtPage;
    QTabWidget* tabAide;
    QListWidget* lstSommaire;
    QLineEdit* txtIndex;
    QListWidget* lstIndex;
    QPushButton* cmdPrecedent;
    QPushButton* cmdSuivant;

private:
    void pageChangee();
    void filtrerIndex(const QString& debut);
};
