#pragma once

// Cuts a fuzzer's input into the values a target needs. Built both into the
// libFuzzer targets and into the tests that replay the kept inputs.

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>

class Entree {
public:
    Entree(const uint8_t* data, size_t size) : octets_(reinterpret_cast<const char*>(data), qsizetype(size)) {}

    // The bytes up to the next line feed (not kept), or to the end.
    QByteArray ligne()
    {
        qsizetype fin = octets_.indexOf('\n', pos_);
        if (fin < 0)
            fin = octets_.size();
        const QByteArray l = octets_.mid(pos_, fin - pos_);
        pos_ = qMin(fin + 1, octets_.size());
        return l;
    }
    QString texte() { return QString::fromUtf8(ligne()); }
    // One byte, 0 past the end.
    uint8_t octet() { return pos_ < octets_.size() ? uint8_t(octets_[pos_++]) : 0; }
    // A value in [min, max] taken from the next four bytes.
    double entre(double min, double max)
    {
        uint32_t n = 0;
        for (int i = 0; i < 4; ++i)
            n = (n << 8) | octet();
        return min + (max - min) * (double(n) / 4294967295.0);
    }
    QByteArray reste()
    {
        const QByteArray r = octets_.mid(pos_);
        pos_ = octets_.size();
        return r;
    }

private:
    QByteArray octets_;
    qsizetype pos_ = 0;
};

// A fault the target found: stops the fuzzer and fails the replaying test.
#define EXIGER(condition)                                                                          \
    do {                                                                                           \
        if (!(condition))                                                                          \
            __builtin_trap();                                                                      \
    } while (false)
