#include "platform/TextFiles.h"

#include "platform/TextCodec.h"

#include <QSaveFile>

bool readTextFile(const QString& path, QString& text)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    text = decodeText(file.readAll());
    return true;
}

QStringList splitLines(const QString& text)
{
    QString body = text;
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = body.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool writeTextFile(const QString& path, const QStringList& lines)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString& line : lines)
        file.write(encodeWindows1252(line) + "\r\n");
    return file.commit();
}

bool AppendingTextFile::open(const QString& path)
{
    close();
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    file_ = std::move(file);
    return true;
}

bool AppendingTextFile::writeLine(const QString& line)
{
    if (!file_)
        return false;
    const QByteArray bytes = encodeWindows1252(line) + "\r\n";
    return file_->write(bytes) == bytes.size() && file_->flush();
}

void AppendingTextFile::close()
{
    if (file_) {
        file_->close();
        file_.reset();
    }
}
