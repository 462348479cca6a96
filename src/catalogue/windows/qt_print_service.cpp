#include "catalogue/windows/qt_print_service.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/file_choice.h"
#include "core/user_dialogs.h"

namespace orb {

bool QtPrintService::print(const std::vector<PrintLine>& lines) {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const std::string path =
            FileChoice(dialogs_, settings_)
                .saveFile(FileKind::Pdf, "PDF file (*.pdf)|*.pdf|All files (*)|*", "Styles.pdf");
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
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    if (!render(printer, lines)) {
        dialogs_.message("The printer " + printer.printerName().toStdString() + " could not print.",
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
