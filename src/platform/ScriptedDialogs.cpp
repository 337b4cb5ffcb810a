#include "platform/ScriptedDialogs.h"

#include <QColorDialog>
#include <QPointer>
#include <QWidget>

ScriptedDialogs::ScriptedDialogs()
{
    setDialogs(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    setDialogs(nullptr);
}

ScriptedDialogs& ScriptedDialogs::answerMessage(int result)
{
    answers_.push_back({Kind::Message, result, std::nullopt, {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerInput(std::optional<QString> text)
{
    answers_.push_back({Kind::Input, 0, std::move(text), {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerFile(std::optional<QString> path)
{
    answers_.push_back({Kind::OpenFile, 0, std::move(path), {}});
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerModal(std::function<void(QWidget*)> action)
{
    answers_.push_back({Kind::Modal, 0, std::nullopt, std::move(action)});
    return *this;
}

QList<ScriptedDialogs::Shown> ScriptedDialogs::messages() const
{
    QList<Shown> result;
    for (const Shown& s : shown_)
        if (s.kind == Kind::Message)
            result << s;
    return result;
}

ScriptedDialogs& ScriptedDialogs::answerColour(std::optional<int> rgb,
                                               std::function<void(QColorDialog*)> look)
{
    Answer answer{Kind::Colour, rgb.value_or(0), std::nullopt, {}, std::move(look)};
    if (!rgb)
        answer.text = QString(); // marks the cancel
    answers_.push_back(std::move(answer));
    return *this;
}

ScriptedDialogs& ScriptedDialogs::answerPrinter(bool accept, std::function<void(QPrinter&)> choose)
{
    Answer answer{Kind::Printer, accept ? 1 : 0, std::nullopt, {}, {}};
    answer.choose = std::move(choose);
    answers_.push_back(std::move(answer));
    return *this;
}

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::take(Kind kind)
{
    const Kind wanted = kind == Kind::SaveFile ? Kind::OpenFile : kind;
    if (answers_.empty() || answers_.front().kind != wanted) {
        ++unexpected_;
        return std::nullopt;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

int ScriptedDialogs::msgBox(const QString& prompt, int style, const QString& title)
{
    shown_ << Shown{Kind::Message, title, prompt, style};
    if (auto answer = take(Kind::Message))
        return answer->result;
    // Unscripted: the cancelling answer of the box.
    switch (style & 0x7) {
    case vb::OKCancel: case vb::RetryCancel: case vb::YesNoCancel: return vb::Cancel;
    case vb::YesNo: return vb::No;
    case vb::AbortRetryIgnore: return vb::Abort;
    default: return vb::OK;
    }
}

std::optional<QString> ScriptedDialogs::inputBox(const QString& prompt, const QString& title,
                                                 const QString&)
{
    shown_ << Shown{Kind::Input, title, prompt, 0};
    if (auto answer = take(Kind::Input))
        return answer->text;
    return std::nullopt;
}

std::optional<QString> ScriptedDialogs::openFile(const FileDialogRequest& request)
{
    shown_ << Shown{Kind::OpenFile, request.title, request.initialDir, 0};
    fileRequests_ << request;
    if (auto answer = take(Kind::OpenFile))
        return answer->text;
    return std::nullopt;
}

std::optional<QString> ScriptedDialogs::saveFile(const FileDialogRequest& request)
{
    shown_ << Shown{Kind::SaveFile, request.title, request.initialDir, 0};
    fileRequests_ << request;
    if (auto answer = take(Kind::SaveFile))
        return answer->text;
    return std::nullopt;
}

void ScriptedDialogs::showModal(QWidget* window)
{
    shown_ << Shown{Kind::Modal, window ? window->windowTitle() : QString(),
                    window ? window->objectName() : QString(), 0};
    QPointer<QWidget> guard(window);
    if (auto answer = take(Kind::Modal); answer && answer->action && guard)
        answer->action(guard);
    if (guard && guard->isVisible())
        guard->close();
}

std::optional<int> ScriptedDialogs::chooseColor(QColorDialog& dialog)
{
    shown_ << Shown{Kind::Colour, dialog.windowTitle(), QString(), 0};
    auto answer = take(Kind::Colour);
    if (!answer)
        return std::nullopt;
    if (answer->look) {
        dialog.show();
        answer->look(&dialog);
        dialog.hide();
    }
    if (answer->text)
        return std::nullopt;
    return answer->result;
}

bool ScriptedDialogs::setUpPrinter(QPrinter& printer)
{
    shown_ << Shown{Kind::Printer, QStringLiteral("Configuration imprimante"), QString(), 0};
    auto answer = take(Kind::Printer);
    if (!answer || answer->result == 0)
        return false;
    if (answer->choose)
        answer->choose(printer);
    return true;
}
