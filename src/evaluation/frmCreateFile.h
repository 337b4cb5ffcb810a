#pragma once

#include "platform/Forms.h"

#include <QStringList>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The teacher's editor of exercise files: each channel's signal is entered
// in fields, composed into a data line and kept in a list that is saved as
// the file. Field index i belongs to CH1 for 0 and 1 (voltage, frequency),
// to CH2 for 2 and 3; option 2c is DC and 2c+1 AC for channel c.
class frmCreateFile : public VbForm {
    Q_OBJECT
public:
    static constexpr const char* kNom = "frmCreateFile";
    frmCreateFile();

    void Form_Load() override;
    void Form_QueryUnload(bool& cancel, UnloadMode mode) override;

    // Puts the lines of the file being modified in the list (blank lines
    // are left out); saving then offers that file.
    void chargerFichier(const QString& chemin, const QStringList& lignes);
    // The list as it will be written.
    QStringList lignes() const;
    // The file being edited: the one modified or last saved, else empty.
    QString fichier() const { return fichier_; }

    void optSignal_Click(int index);
    void cmdAdd_Click();
    void cmdChange_Click();
    void lstListeData_Click();
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdRemove_Click();
    void cmdErase_Click();
    void cmdSave_Click();
    void cmdEnd_Click();

    std::array<QRadioButton*, 4> optSignal{};
    std::array<QComboBox*, 2> cboAlternatif{};
    std::array<QLabel*, 4> lblData{};
    std::array<QLineEdit*, 4> txtData{};
    QLineEdit* txtCommentaire = nullptr;
    QListWidget* lstListeData = nullptr;
    QPushButton* cmdChange = nullptr;

private:
    enum class Controle { Bon, Arret, Faux };
    Controle verifierChamps(bool ajout);
    QString composerLigne() const;
    bool ligneLisible(const QString& ligne);
    bool commentaireEcrivable();
    void effacerChamps();
    // The waveform list of channel c on the type word of a line.
    void choisirForme(int c, const QString& mot);
    int ligneChoisie() const;
    void deplacer(int sens);

    QString fichier_;
    // The list changed since it was loaded or saved.
    bool modifiee_ = false;
};
