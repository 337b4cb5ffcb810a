#pragma once

#include <QString>

// A folder with little room, as a full disk or a quota leaves it: a tmpfs of
// the given size mounted there when the tests may mount one (as root, in a
// container that allows it); otherwise an ordinary folder where the
// program's writes to its files fail past that many bytes, as the device of
// a full disk does, while files elsewhere keep their room
// (WAVIX_PETIT_DISQUE=ecrivain chooses it even as root).
class PetitDisque {
public:
    PetitDisque(const QString& dossier, qint64 taille);
    ~PetitDisque();
    PetitDisque(const PetitDisque&) = delete;
    PetitDisque& operator=(const PetitDisque&) = delete;

    bool monte() const { return monte_; }
    // Space comes back (the disk is cleaned, the quota raised).
    void liberer();

private:
    QString dossier_;
    bool monte_ = false;
    qint64 reste_ = 0;
    bool libre_ = false;
};
