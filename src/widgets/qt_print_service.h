#pragma once

#include <QString>

#include "core/print_service.h"

class QPrinter;

namespace orb {

class SettingsStore;
class UserDialogs;

// The printer of the windows: the default printer or, when no printer is installed, a PDF file
// that the person chooses.
class QtPrintService : public PrintService {
public:
    QtPrintService(UserDialogs& dialogs, SettingsStore& settings)
        : dialogs_(dialogs), settings_(settings) {}

    bool print(const std::vector<PrintLine>& lines, const std::string& title) override;

    // What print() does when there is no printer: asks for a PDF file, proposing `title` as its
    // name, and prints into it.
    bool printToChosenPdf(const std::vector<PrintLine>& lines, const std::string& title);

    // Prints the lines into the PDF file `path`; false when it cannot be written.
    static bool printToPdf(const std::vector<PrintLine>& lines, const QString& path);

private:
    static bool render(QPrinter& printer, const std::vector<PrintLine>& lines);

    UserDialogs& dialogs_;
    SettingsStore& settings_;
};

}  // namespace orb
