#include "platform/OutputDevices.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace {

std::unique_ptr<QPrinter>& printer()
{
    static std::unique_ptr<QPrinter> instance;
    return instance;
}

std::function<bool(const QImage&)>& clipboardWriter()
{
    static std::function<bool(const QImage&)> writer;
    return writer;
}

} // namespace

QPrinter& chosenPrinter()
{
    if (!printer())
        printer() = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer();
}

void resetChosenPrinter()
{
    printer().reset();
}

bool printerReady(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return !printer.outputFileName().isEmpty();
    return !printer.printerName().isEmpty() && !QPrinterInfo::printerInfo(printer.printerName()).isNull();
}

void setClipboardWriter(std::function<bool(const QImage&)> writer)
{
    clipboardWriter() = std::move(writer);
}

bool copyImageToClipboard(const QImage& image)
{
    if (clipboardWriter())
        return clipboardWriter()(image);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard || image.isNull())
        return false;
    clipboard->clear();
    clipboard->setImage(image);
    // What the clipboard holds now tells whether it took the picture.
    const QMimeData* held = clipboard->mimeData();
    return held && held->hasImage();
}
