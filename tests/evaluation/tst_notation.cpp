#include "evaluation/Notation.h"

#include <QtTest>

class tst_Notation : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scoring_data();
    void scoring();
};

void tst_Notation::scoring_data()
{
    QTest::addColumn<QString>("signal");   // expected, as the file gives it
    QTest::addColumn<double>("umax");
    QTest::addColumn<double>("freq");
    QTest::addColumn<bool>("alternatif");  // answer
    QTest::addColumn<int>("forme");
    QTest::addColumn<double>("tension");
    QTest::addColumn<double>("frequence");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("pointsMax");
    QTest::addColumn<QString>("ligne");
    QTest::addColumn<QString>("corrections"); // the four labels joined by "|"

    QTest::newRow("sine right") << "Sinusoïdale" << 3.0 << 50.0 << true << 0 << 3.0 << 50.0 << 3 << 3
                                << "Voie A : Signal : Sinus ; Ua = 3,0 ; Fa = 50,0" << "|||";
    QTest::newRow("voltage 4 % high") << "Sinus" << 5.0 << 50.0 << true << 0 << 5.2 << 50.0 << 3 << 3
                                      << "Voie A : Signal : Sinus ; Ua = 5,2 ; Fa = 50,0" << "|||";
    QTest::newRow("voltage 4 % low") << "Sinus" << 5.0 << 50.0 << true << 0 << 4.8 << 50.0 << 3 << 3
                                     << "Voie A : Signal : Sinus ; Ua = 4,8 ; Fa = 50,0" << "|||";
    QTest::newRow("voltage 6 % high") << "Sinus" << 5.0 << 50.0 << true << 0 << 5.3 << 50.0 << 2 << 3
                                      << "Voie A : Signal : Sinus ; Ua = 5,3 (FAUX) ; Fa = 50,0" << "||5,00 V|";
    QTest::newRow("voltage exactly 5 % off") << "Sinus" << 5.0 << 50.0 << true << 0 << 5.25 << 50.0 << 2 << 3
                                             << "Voie A : Signal : Sinus ; Ua = 5,3 (FAUX) ; Fa = 50,0" << "||5,00 V|";
    QTest::newRow("frequency 6 % low") << "Sinus" << 3.0 << 1000.0 << true << 0 << 3.0 << 940.0 << 2 << 3
                                       << "Voie A : Signal : Sinus ; Ua = 3,0 ; Fa = 940,0 (FAUX)" << "|||1000 Hz";
    QTest::newRow("expected 0 V") << "Cc" << 0.0 << 0.0 << false << 0 << 0.1 << 0.0 << 1 << 2
                                  << "Voie A : Signal : Cc ; Ua = 0,1 (FAUX)" << "||0,00 V|";
    QTest::newRow("square both spellings") << "Carrée" << 4.0 << 1000.0 << true << 1 << 4.0 << 1000.0 << 3 << 3
                                           << "Voie A : Signal : Carre ; Ua = 4,0 ; Fa = 1000,0" << "|||";
    QTest::newRow("square, scope word") << "Carre" << 4.0 << 1000.0 << true << 1 << 4.0 << 1000.0 << 3 << 3
                                        << "Voie A : Signal : Carre ; Ua = 4,0 ; Fa = 1000,0" << "|||";
    QTest::newRow("triangle both spellings") << "Triangulaire" << 2.0 << 100.0 << true << 2 << 2.0 << 100.0 << 3 << 3
                                             << "Voie A : Signal : Triangle ; Ua = 2,0 ; Fa = 100,0" << "|||";
    QTest::newRow("DC expected, AC answered") << "Cc" << 5.0 << 0.0 << true << 1 << 5.0 << 50.0 << 1 << 2
                                              << "Voie A : Signal : Carre (FAUX) ; Ua = 5,0" << "Tension continue|||";
    QTest::newRow("AC expected, DC answered") << "Sinusoïdale" << 3.0 << 50.0 << false << 0 << 3.0 << 0.0 << 1 << 3
                                              << "Voie A : Signal : Cc (FAUX) ; Ua = 3,0 ; Fa = 0,0 (FAUX)"
                                              << "Tension alternative|Sinusoïdale||50 Hz";
    QTest::newRow("wrong waveform") << "Triangulaire" << 2.0 << 100.0 << true << 0 << 2.0 << 100.0 << 2 << 3
                                    << "Voie A : Signal : Sinus (FAUX) ; Ua = 2,0 ; Fa = 100,0" << "|Triangulaire||";
    QTest::newRow("alternator right") << "Dyn" << 4.0 << 20.0 << true << 3 << 6.0 << 20.0 << 3 << 3
                                      << "Voie A : Signal : Dyn ; Ua = 6,0 ; Fa = 20,0" << "|||";
    QTest::newRow("alternator answered as sine") << "Dyn" << 4.0 << 20.0 << true << 0 << 6.0 << 20.0 << 1 << 3
                                                 << "Voie A : Signal : Sinus (FAUX) ; Ua = 6,0 (FAUX) ; Fa = 20,0"
                                                 << "|Alternateur vélo|6,00 V|";
    QTest::newRow("alternator answered at 0 Hz") << "Dyn" << 4.0 << 20.0 << true << 3 << 6.0 << 0.0 << 2 << 3
                                                 << "Voie A : Signal : Dyn ; Ua = 6,0 ; Fa = 0,0 (FAUX)" << "|||20 Hz";
    QTest::newRow("DC picture with a frequency") << "Cc" << 5.0 << 50.0 << false << 0 << 5.0 << 0.0 << 2 << 2
                                                 << "Voie A : Signal : Cc ; Ua = 5,0" << "|||";
    QTest::newRow("reversed DC level") << "Cc" << -4.5 << 0.0 << false << 0 << 4.5 << 0.0 << 2 << 2
                                       << "Voie A : Signal : Cc ; Ua = 4,5" << "|||";
    QTest::newRow("AC at 0 Hz answered 0") << "Sinus" << 3.0 << 0.0 << true << 0 << 3.0 << 0.0 << 3 << 3
                                           << "Voie A : Signal : Sinus ; Ua = 3,0" << "|||";
    QTest::newRow("AC at 0 Hz answered 50") << "Sinus" << 3.0 << 0.0 << true << 0 << 3.0 << 50.0 << 2 << 3
                                            << "Voie A : Signal : Sinus ; Ua = 3,0 ; Fa = 50,0 (FAUX)" << "|||0 Hz";
}

void tst_Notation::scoring()
{
    QFETCH(QString, signal);
    QFETCH(double, umax);
    QFETCH(double, freq);
    QFETCH(bool, alternatif);
    QFETCH(int, forme);
    QFETCH(double, tension);
    QFETCH(double, frequence);
    QFETCH(int, points);
    QFETCH(int, pointsMax);
    QFETCH(QString, ligne);
    QFETCH(QString, corrections);
    const NoteVoie n = NoterVoie(0, ReponseVoie{alternatif, forme, tension, frequence}, AttenduVoie{signal, umax, freq});
    QCOMPARE(n.points, points);
    QCOMPARE(n.pointsMax, pointsMax);
    QCOMPARE(n.ligne, ligne);
    QCOMPARE(QStringList(n.corrections.begin(), n.corrections.end()).join('|'), corrections);
    if (alternatif && forme == 3)
        QVERIFY(qAbs(n.amplitude - tension / 1.5) < 1e-12);
    // CH2 writes the same with its own names.
    const NoteVoie b = NoterVoie(1, ReponseVoie{alternatif, forme, tension, frequence}, AttenduVoie{signal, umax, freq});
    QCOMPARE(b.ligne, QString(ligne).replace("Voie A", "Voie B").replace("Ua =", "Ub =").replace("Fa =", "Fb ="));
}

QTEST_MAIN(tst_Notation)
#include "tst_notation.moc"
