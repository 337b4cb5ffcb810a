#include "platform/Dialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QMessageBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace {

class QtDialogs final : public Dialogs {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override
    {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(title);
        // Texts can carry what a file or a server said: never read as markup.
        box.setTextFormat(Qt::PlainText);
        box.setText(prompt);
        switch (style & 0x70) {
        case vb::Critical: box.setIcon(QMessageBox::Critical); break;
        case vb::Question: box.setIcon(QMessageBox::Question); break;
        case vb::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case vb::Information: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
        }
        struct Button { QMessageBox::StandardButton qt; int result; };
        QList<Button> buttons;
        switch (style & 0x7) {
        case vb::OKCancel: buttons = {{QMessageBox::Ok, vb::OK}, {QMessageBox::Cancel, vb::Cancel}}; break;
        case vb::AbortRetryIgnore:
            buttons = {{QMessageBox::Abort, vb::Abort}, {QMessageBox::Retry, vb::Retry},
                       {QMessageBox::Ignore, vb::Ignore}};
            break;
        case vb::YesNoCancel:
            buttons = {{QMessageBox::Yes, vb::Yes}, {QMessageBox::No, vb::No},
                       {QMessageBox::Cancel, vb::Cancel}};
            break;
        case vb::YesNo: buttons = {{QMessageBox::Yes, vb::Yes}, {QMessageBox::No, vb::No}}; break;
        case vb::RetryCancel: buttons = {{QMessageBox::Retry, vb::Retry}, {QMessageBox::Cancel, vb::Cancel}}; break;
        default: buttons = {{QMessageBox::Ok, vb::OK}}; break;
        }
        QMessageBox::StandardButtons all;
        for (const Button& b : buttons)
            all |= b.qt;
        box.setStandardButtons(all);
        const int defaultIndex = (style & vb::DefaultButton3) ? 2 : (style & vb::DefaultButton2) ? 1 : 0;
        if (defaultIndex < buttons.size())
            box.setDefaultButton(buttons[defaultIndex].qt);
        if (style & (vb::SystemModal | vb::SetForeground)) {
            box.setWindowFlag(Qt::WindowStaysOnTopHint, bool(style & vb::SystemModal));
            box.raise();
            box.activateWindow();
        }
        const auto answer = QMessageBox::StandardButton(box.exec());
        for (const Button& b : buttons)
            if (b.qt == answer)
                return b.result;
        // Escape or the close box: the cancelling button, else the only one.
        for (const Button& b : buttons)
            if (b.result == vb::Cancel || b.result == vb::No)
                return b.result;
        return buttons.first().result;
    }

    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override
    {
        bool ok = false;
        const QString text = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                                   QLineEdit::Normal, defaultText, &ok);
        if (!ok)
            return std::nullopt;
        return text;
    }

    std::optional<QString> openFile(const FileDialogRequest& request) override
    {
        return runFileDialog(request, QFileDialog::AcceptOpen);
    }

    std::optional<QString> saveFile(const FileDialogRequest& request) override
    {
        return runFileDialog(request, QFileDialog::AcceptSave);
    }

    void showModal(QWidget* window) override
    {
        if (!window)
            return;
        QPointer<QWidget> guard(window);
        window->setWindowModality(Qt::ApplicationModal);
        window->show();
        window->raise();
        window->activateWindow();
        QEventLoop loop;
        QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
        HideWatcher watcher(&loop);
        window->installEventFilter(&watcher);
        if (window->isVisible())
            loop.exec(QEventLoop::DialogExec);
        if (guard) {
            guard->removeEventFilter(&watcher);
            guard->setWindowModality(Qt::NonModal);
        }
    }

    std::optional<int> chooseColor(QColorDialog& dialog) override
    {
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        const QColor c = dialog.selectedColor();
        return c.red() + 256 * c.green() + 65536 * c.blue();
    }

    bool setUpPrinter(QPrinter& printer) override
    {
        // The dialog sets the printer up only when it is accepted.
        QPrintDialog dialog(&printer, QApplication::activeWindow());
        dialog.setWindowTitle(QStringLiteral("Configuration imprimante"));
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        // It chooses; the print command prints.
        if (auto* boutons = dialog.findChild<QDialogButtonBox*>())
            if (QPushButton* ok = boutons->button(QDialogButtonBox::Ok))
                ok->setText(QStringLiteral("OK"));
        return dialog.exec() == QDialog::Accepted;
    }

    void beep() override { QApplication::beep(); }

private:
    class HideWatcher final : public QObject {
    public:
        explicit HideWatcher(QEventLoop* loop) : loop_(loop) {}
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Hide)
                loop_->quit();
            return QObject::eventFilter(watched, event);
        }

    private:
        QEventLoop* loop_;
    };

    static std::optional<QString> runFileDialog(const FileDialogRequest& request,
                                                QFileDialog::AcceptMode mode)
    {
        QFileDialog dialog(QApplication::activeWindow(), request.title, request.initialDir);
        dialog.setAcceptMode(mode);
        dialog.setNameFilters(qtNameFilters(request.filter));
        if (mode == QFileDialog::AcceptOpen)
            dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        if (mode == QFileDialog::AcceptSave && !request.confirmOverwrite)
            dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (!request.fileName.isEmpty())
            dialog.selectFile(request.fileName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().first();
    }
};

QtDialogs& qtDialogs()
{
    static QtDialogs instance;
    return instance;
}

Dialogs* current = nullptr;

} // namespace

Dialogs& dialogs()
{
    return current ? *current : static_cast<Dialogs&>(qtDialogs());
}

void setDialogs(Dialogs* service)
{
    current = service;
}

QString programTitle()
{
    return QStringLiteral("Wavix");
}

int MsgBox(const QString& prompt, int style, const QString& title)
{
    return dialogs().msgBox(prompt, style, title.isEmpty() ? programTitle() : title);
}

QStringList qtNameFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        const qsizetype paren = name.indexOf(QLatin1Char('('));
        if (paren >= 0)
            name = name.left(paren).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        result << QStringLiteral("%1 (%2)").arg(name, patterns.trimmed());
    }
    if (result.isEmpty())
        result << QStringLiteral("* (*)");
    return result;
}
