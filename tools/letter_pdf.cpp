// letter-pdf SUMMARY 100M|10M HASH OUT.pdf: prints the covering letter of a
// summary file to a PDF, as the letter window's "Print" would.
#include "report/letter.h"
#include "report/print_report.h"
#include "ui/thai_text.h"

#include <QGuiApplication>
#include <QPrinter>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const std::optional<qrv::Format> format = argc == 5 ? qrv::FormatFromName(argv[2]) : std::nullopt;
    if (!format) {
        std::fprintf(stderr, "usage: letter-pdf SUMMARY 100M|10M HASH OUT.pdf\n");
        return 2;
    }
    qrv::gui::InstallThaiFontSubstitutions();
    // The summary file's first line is the control line its run wrote.
    std::ifstream summary(argv[1], std::ios::binary);
    std::string controlLine;
    if (!std::getline(summary, controlLine)) {
        std::fprintf(stderr, "letter-pdf: cannot read %s\n", argv[1]);
        return 1;
    }
    if (controlLine.ends_with('\r'))
        controlLine.pop_back();
    try {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromLocal8Bit(argv[4]));
        qrv::PrintReport(printer, qrv::LetterForRun(controlLine, std::stoi(argv[3]), *format, qrv::Today()),
                         1);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
