#include "widgets/qt_print_service.h"

#include <QFont>
#include <QFontMetrics>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/file_choice.h"
#include "core/text.h"
#include "core/user_dialogs.h"

namespace orb {

namespace {

// A file name made of a document's title: no folder separator, never empty.
std::string pdfFileName(const std::string& title) {
    std::string name = trimmed(title);
    for (char& c : name) {
        if (c == '/' || c == '\\') {
            c = '-';
        }
    }
    return (name.empty() ? std::string("Print") : name) + ".pdf";
}

}  // namespace

bool QtPrintService::print(const std::vector<PrintLine>& lines, const std::string& title) {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        return printToChosenPdf(lines, title);
    }
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(title));
    if (!render(printer, lines)) {
        dialogs_.message("The printer " + printer.printerName().toStdString() + " could not print.",
                         UserDialogs::Icon::Critical);
        return false;
    }
    return true;
}

bool QtPrintService::printToChosenPdf(const std::vector<PrintLine>& lines,
                                      const std::string& title) {
    const std::string path =
        FileChoice(dialogs_, settings_)
            .saveFile(FileKind::Pdf, "PDF file (*.pdf)|*.pdf|All files (*)|*", pdfFileName(title));
    if (path.empty()) {
        return false;
    }
    if (!printToPdf(lines, QString::fromStdString(path))) {
        dialogs_.message("The file " + path + " could not be written.",
                         UserDialogs::Icon::Critical);
        return false;
    }
    return true;
}

bool QtPrintService::printToPdf(const std::vector<PrintLine>& lines, const QString& path) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    return render(printer, lines);
}

bool QtPrintService::render(QPrinter& printer, const std::vector<PrintLine>& lines) {
    // The lines start inside the margins, not at the paper's edge.
    printer.setPageMargins(QMarginsF(20, 15, 15, 15), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    const int pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    int y = 0;
    for (const PrintLine& line : lines) {
        // A font that is not installed gives way to the closest one of its kind.
        QFont font(QString::fromStdString(line.fontName), line.fontSize);
        font.setStyleHint(line.fontName.starts_with("Courier") ? QFont::TypeWriter
                                                               : QFont::SansSerif);
        painter.setFont(font);
        const QFontMetrics metrics = painter.fontMetrics();
        if (y > 0 && y + metrics.lineSpacing() > pageHeight) {
            if (!printer.newPage()) {
                painter.end();
                return false;
            }
            y = 0;
        }
        painter.drawText(0, y + metrics.ascent(), QString::fromStdString(line.text));
        y += metrics.lineSpacing();
    }
    return painter.end();
}

}  // namespace orb
