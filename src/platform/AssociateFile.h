#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

// A file type of the program, as the desktop learns it: files whose name
// ends in the extension are of this type, a kind of the parent type (so the
// parent's program opens them), shown with the description and the icon.
struct FileType {
    QString extension;   // ".Qvt"; a missing dot is put in front
    QString className;   // "Wavix_File", which names the type
    QString description; // shown by the file manager
    QString parentType;  // "text/plain": the text editor opens them
    QString icon;        // a theme icon name
};

// The type's name: "text/x-" or "application/x-" and the class name in
// lower case with "-" for "_" ("Wavix_File" gives "text/x-wavix-file" under
// a text parent).
QString mimeTypeName(const FileType& type);
// The shared-mime-info package that describes the type: its glob (matched
// whatever the case), comment, icon and parent.
QByteArray mimePackage(const FileType& type);

// Registers the type for the user in "<data home>/mime/packages" and
// refreshes the user's type database when the description changed. Every
// failure is silent: an unwritable folder leaves things as they were.
void CreateFileAssociation(const FileType& type);
// The refresh of the type database run on a "mime" folder; tests state
// their own, nullptr restores update-mime-database.
void setMimeDatabaseUpdater(std::function<void(const QString& mimeFolder)> updater);
