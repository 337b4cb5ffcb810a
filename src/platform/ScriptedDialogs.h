#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QString>

#include <deque>
#include <functional>
#include <optional>

// Answers dialogs from a script, in order, and records what was shown.
// Installs itself as the dialogs service for its lifetime.
class ScriptedDialogs final : public Dialogs {
public:
    enum class Kind { Message, Input, OpenFile, SaveFile, Modal, Colour, Printer };

    struct Shown {
        Kind kind;
        QString title;
        QString text; // prompt, or the window's object name for a modal window
        int style = 0;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Queue the next answers. A modal window is handed to the action, which
    // fills it in and closes it; a window left open is closed afterwards.
    ScriptedDialogs& answerMessage(int result);
    ScriptedDialogs& answerInput(std::optional<QString> text);
    ScriptedDialogs& answerFile(std::optional<QString> path);
    ScriptedDialogs& answerModal(std::function<void(QWidget*)> action);
    // A colour dialog: the colour chosen (RGB, red in the low byte), or
    // std::nullopt for a cancel; the dialog, set up and shown, is first
    // handed to the optional look, which may read it.
    ScriptedDialogs& answerColour(std::optional<int> rgb,
                                  std::function<void(QColorDialog*)> look = {});
    // The printer set-up dialog: accepted after the optional choice has set
    // the printer up (a PDF file, say), or cancelled.
    ScriptedDialogs& answerPrinter(bool accept, std::function<void(QPrinter&)> choose = {});

    const QList<Shown>& shown() const { return shown_; }
    QList<Shown> messages() const;
    // Every file dialog asked for, in order.
    const QList<FileDialogRequest>& fileRequests() const { return fileRequests_; }
    // Dialogs that came without a scripted answer (they got the cancelling answer).
    int unexpected() const { return unexpected_; }
    bool allAnswered() const { return answers_.empty(); }
    int beeps() const { return beeps_; }

    int msgBox(const QString& prompt, int style, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
    void showModal(QWidget* window) override;
    std::optional<int> chooseColor(QColorDialog& dialog) override;
    bool setUpPrinter(QPrinter& printer) override;
    void beep() override { ++beeps_; }

private:
    struct Answer {
        Kind kind;
        int result = 0;
        std::optional<QString> text;
        std::function<void(QWidget*)> action = {};
        std::function<void(QColorDialog*)> look = {};
        std::function<void(QPrinter&)> choose = {};
    };

    std::optional<Answer> take(Kind kind);

    std::deque<Answer> answers_;
    QList<Shown> shown_;
    QList<FileDialogRequest> fileRequests_;
    int unexpected_ = 0;
    int beeps_ = 0;
};
