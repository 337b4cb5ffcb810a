#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A fresh home for one test case: HOME and the XDG folders point into a
// temporary folder, the classroom variables are cleared, and the program's
// shared state is reset. Everything is restored when it goes.
class TestHome {
public:
    TestHome();
    ~TestHome();
    TestHome(const TestHome&) = delete;
    TestHome& operator=(const TestHome&) = delete;

    QString path(const QString& relative = QString()) const;
    QString documents() const { return path(QStringLiteral("Documents")); }
    QString dataHome() const { return path(QStringLiteral(".local/share")); }
    QString cacheHome() const { return path(QStringLiteral(".cache")); }

    static bool writeFile(const QString& path, const QByteArray& bytes);
    static QByteArray readFile(const QString& path);
    // A FIFO at that path, as a student could plant one.
    static bool makeFifo(const QString& path);
    // The permission bits of the path itself (a link is not followed); 0
    // when it does not exist.
    static unsigned modeOf(const QString& path);

private:
    QTemporaryDir dir_;
    QByteArray saved_[7];
};
