// The slow hash of the teacher password: what it gives is checked by
// libsodium's own reader, and a text that is no Argon2id hash is told apart
// from a wrong password. Each hash costs 64 MiB and a fraction of a second:
// two are made here.

#include "platform/PasswordHash.h"

#include <QtTest>

class tst_PasswordHash : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hashChecksItsPasswordOnly();
    void malformedHashes_data();
    void malformedHashes();
};

void tst_PasswordHash::hashChecksItsPasswordOnly()
{
    const std::optional<QByteArray> h = hashPassword("tableau noir");
    QVERIFY(h);
    QVERIFY2(h->startsWith("$argon2id$v=19$m=65536,t=2,p=1$"), h->constData());
    QVERIFY(isPasswordHash(*h));
    QCOMPARE(checkPassword(*h, "tableau noir"), PasswordCheck::Match);
    QCOMPARE(checkPassword(*h, "tableau noi"), PasswordCheck::Mismatch);
    QCOMPARE(checkPassword(*h, ""), PasswordCheck::Mismatch);
    // A fresh salt each time: the same password never gives the same text.
    const std::optional<QByteArray> encore = hashPassword("tableau noir");
    QVERIFY(encore && *encore != *h);
}

void tst_PasswordHash::malformedHashes_data()
{
    QTest::addColumn<QByteArray>("texte");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("the password itself") << QByteArray("Secret");
    QTest::newRow("older SHA-256 value") << QByteArray("sha256$00$7f30");
    QTest::newRow("Argon2i, not Argon2id")
        << QByteArray("$argon2i$v=19$m=65536,t=2,p=1$c29tZXNhbHRzb21lc2FsdA$RdescudvJCsgt3ub+b+dWRWJTmaaJObG");
    QTest::newRow("cut short") << QByteArray("$argon2id$v=19$m=65536,t=2");
    QTest::newRow("no parameters") << QByteArray("$argon2id$$$");
}

void tst_PasswordHash::malformedHashes()
{
    QFETCH(QByteArray, texte);
    QVERIFY(!isPasswordHash(texte));
    QCOMPARE(checkPassword(texte, "Secret"), PasswordCheck::Malformed);
}

QTEST_GUILESS_MAIN(tst_PasswordHash)
#include "tst_passwordhash.moc"
