#include "platform/AssociateFile.h"

#include "platform/TextFiles.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QXmlStreamWriter>

namespace {

std::function<void(const QString&)>& updater()
{
    static std::function<void(const QString&)> current;
    return current;
}

QString dotted(const QString& extension)
{
    return extension.startsWith(QLatin1Char('.')) ? extension : QLatin1Char('.') + extension;
}

// "Wavix_File" gives "wavix-file".
QString baseName(const FileType& type)
{
    return type.className.toLower().replace(QLatin1Char('_'), QLatin1Char('-'));
}

} // namespace

QString mimeTypeName(const FileType& type)
{
    const QString media = type.parentType.startsWith(QLatin1String("text/")) ? QStringLiteral("text")
                                                                               : QStringLiteral("application");
    return media + QStringLiteral("/x-") + baseName(type);
}

QByteArray mimePackage(const FileType& type)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeDefaultNamespace(QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
    w.writeStartElement(QStringLiteral("mime-info"));
    w.writeStartElement(QStringLiteral("mime-type"));
    w.writeAttribute(QStringLiteral("type"), mimeTypeName(type));
    w.writeEmptyElement(QStringLiteral("sub-class-of"));
    w.writeAttribute(QStringLiteral("type"), type.parentType);
    w.writeTextElement(QStringLiteral("comment"), type.description);
    w.writeEmptyElement(QStringLiteral("generic-icon"));
    w.writeAttribute(QStringLiteral("name"), type.icon);
    // Globs are matched whatever the case: "*.qvt" also takes "Exo.Qvt".
    w.writeEmptyElement(QStringLiteral("glob"));
    w.writeAttribute(QStringLiteral("pattern"), QLatin1Char('*') + dotted(type.extension).toLower());
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return xml;
}

void CreateFileAssociation(const FileType& type)
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        return;
    const QString mimeFolder = dataHome + QStringLiteral("/mime");
    const QString packages = mimeFolder + QStringLiteral("/packages");
    const QString file = packages + QLatin1Char('/') + baseName(type) + QStringLiteral(".xml");
    const QByteArray wanted = mimePackage(type);
    // Rewritten only when it differs, so that an unchanged start-up leaves
    // the file and the database alone.
    QByteArray present;
    if (readFileBytes(file, present, wanted.size() + 1) == FileStatus::Ok && present == wanted)
        return;
    if (!QDir().mkpath(packages) || replaceFileBytes(file, wanted, kModeFichierPrive) != FileStatus::Ok)
        return;
    if (updater())
        updater()(mimeFolder);
    else
        QProcess::startDetached(QStringLiteral("update-mime-database"), {mimeFolder});
}

void setMimeDatabaseUpdater(std::function<void(const QString&)> u)
{
    updater() = std::move(u);
}
