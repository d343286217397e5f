// letter-pdf SUMMARY 100M|10M HASH OUT.pdf: prints the covering letter of a
// summary file to a PDF, as the letter window's "Print" would.
#include "core/file_error.h"
#include "report/letter.h"
#include "report/letter_file.h"
#include "report/print_report.h"
#include "ui/thai_text.h"

#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const std::optional<qrv::Format> format = argc == 5 ? qrv::FormatFromName(argv[2]) : std::nullopt;
    if (!format) {
        std::fprintf(stderr, "usage: letter-pdf SUMMARY 100M|10M HASH OUT.pdf\n");
        return 2;
    }
    qrv::gui::InstallThaiFontSubstitutions();
    const QTemporaryDir dir;
    const std::string letter = dir.filePath(QStringLiteral("outputyyyy.txt")).toStdString();
    try {
        qrv::WriteLetterForSummary(letter, argv[1], argv[3], *format, qrv::Today());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromLocal8Bit(argv[4]));
        qrv::PrintReport(printer, letter, 1);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
