#include "TestHome.h"

#include "platform/ProfileFile.h"

#include <QtTest>

class tst_ProfileFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFileReadsEmpty();
};

void tst_ProfileFile::missingFileReadsEmpty()
{
    TestHome home;
    QCOMPARE(readProfileString(home.path("none.ini"), "Options", "ColorYa"), QString());
}

QTEST_MAIN(tst_ProfileFile)
#include "tst_profilefile.moc"
