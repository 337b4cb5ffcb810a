#pragma once

#include <QFile>
#include <QString>
#include <QStringList>

#include <memory>

// Reads a whole text file (UTF-8 when valid, else Windows-1252).
// Returns false when the file cannot be opened.
bool readTextFile(const QString& path, QString& text);

// Lines of a text file, CR LF or LF separated; a final line end gives no
// extra empty line.
QStringList splitLines(const QString& text);

// Writes the lines in Windows-1252 with CR LF after each, replacing the file
// atomically. Returns false when the file cannot be written.
bool writeTextFile(const QString& path, const QStringList& lines);

// A text file held open for appending: each line is written in Windows-1252
// with CR LF and flushed at once, so a crash loses nothing already written.
class AppendingTextFile {
public:
    bool open(const QString& path);
    bool isOpen() const { return file_ != nullptr; }
    QString path() const { return file_ ? file_->fileName() : QString(); }
    bool writeLine(const QString& line);
    void close();

private:
    std::unique_ptr<QFile> file_;
};
