#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QColorDialog;
class QPrinter;
class QWidget;

// Message-box styles and answers with the values the program's texts use.
namespace vb {
enum MsgBoxStyle : int {
    OKOnly = 0,
    OKCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
    DefaultButton2 = 256,
    DefaultButton3 = 512,
    SystemModal = 4096,
    SetForeground = 65536,
};
enum MsgBoxResult : int { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
} // namespace vb

// A file dialog. The filter is written "Description (*.ext)|*.ext|..." and
// mustExist asks for an existing file.
struct FileDialogRequest {
    QString title;
    QString initialDir;
    QString filter;
    QString fileName;
    bool mustExist = false;
    // A save dialog asks before replacing a file, unless its caller asks.
    bool confirmOverwrite = true;
};

// Every message box, input box, file dialog and modal window goes through
// this service, so that tests can answer them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Returns a vb::MsgBoxResult.
    virtual int msgBox(const QString& prompt, int style, const QString& title) = 0;
    // std::nullopt when the user cancels.
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
    // The chosen full path, std::nullopt when the user cancels.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
    // Shows a window modally and returns once it is closed or hidden.
    virtual void showModal(QWidget* window) = 0;
    // Runs a colour dialog set up by the caller; the chosen colour (RGB,
    // red in the low byte), std::nullopt when the user cancels.
    virtual std::optional<int> chooseColor(QColorDialog& dialog) = 0;
    // The printer set-up dialog on the printer (a printer, or printing to a
    // PDF file); false when the user cancels, the printer then unchanged.
    virtual bool setUpPrinter(QPrinter& printer) = 0;
    virtual void beep() = 0;
};

Dialogs& dialogs();
// Replaces the service (tests); nullptr restores the Qt dialogs.
void setDialogs(Dialogs* service);

// The program's title, used by boxes that carry no title of their own.
QString programTitle();

// Shorthand for dialogs().msgBox; an empty title gives the program's title.
int MsgBox(const QString& prompt, int style = vb::OKOnly, const QString& title = QString());

// "Texte (*.txt)|*.txt" → Qt's name filters.
QStringList qtNameFilters(const QString& filter);
