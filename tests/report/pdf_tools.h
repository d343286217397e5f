// Reading a printed PDF back with poppler-utils.
#pragma once

#include <QProcess>
#ifdef _WIN32
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <windows.h>
#endif
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace qrv::test {

#ifdef _WIN32
// Under Wine a Windows program can start a Linux one, but gets neither its
// output nor its exit status. A shell writes both to files, the status last,
// and the test waits for it.
inline QString UnixPath(const QString& path) {
    using UnixFileName = char*(CDECL*)(LPCWSTR);
    const auto unixFileName = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!unixFileName)
        return path;
    char* name = unixFileName(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(path).utf16()));
    const QString unix = QString::fromUtf8(name);
    HeapFree(GetProcessHeap(), 0, name);
    return unix;
}

inline QString RunTool(const QString& program, const QStringList& arguments) {
    QTemporaryDir dir;
    QFile script(dir.filePath(QStringLiteral("run.sh")));
    if (!script.open(QIODevice::WriteOnly) ||
        script.write(
            "cd \"$1\" && shift && \"$@\" >out 2>err; echo $? >status.new && mv status.new status\n") < 0)
        return QStringLiteral("<%1 failed: no script>").arg(program);
    script.close();
    QStringList unixArguments{UnixPath(script.fileName()), UnixPath(dir.path()),
                              QStringLiteral("/usr/bin/") + program};
    for (const QString& argument : arguments)
        unixArguments << (QFileInfo::exists(argument) ? UnixPath(argument) : argument);
    if (!QProcess::startDetached(QStringLiteral("Z:/bin/sh"), unixArguments))
        return QStringLiteral("<%1 failed: not started>").arg(program);
    QFile status(dir.filePath(QStringLiteral("status")));
    for (int waited = 0; !status.exists() && waited < 60000; waited += 20)
        QThread::msleep(20);
    QFile output(dir.filePath(QStringLiteral("out")));
    QFile error(dir.filePath(QStringLiteral("err")));
    if (!status.open(QIODevice::ReadOnly) || status.readAll().trimmed() != "0" ||
        !output.open(QIODevice::ReadOnly))
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, error.open(QIODevice::ReadOnly) ? QString::fromUtf8(error.readAll()) : QString());
    return QString::fromUtf8(output.readAll());
}
#else
inline QString RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>")
            .arg(program, QString::fromLocal8Bit(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}
#endif

inline int PdfPageCount(const QString& pdf) {
    const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const auto match = pages.match(RunTool(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of one page (0 = all pages), one printed line a line.
inline QString PdfText(const QString& pdf, int page = 0) {
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    return RunTool(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
}

// Thai vowel and tone marks written above or below their consonant, which
// pdftotext may drop or move; SARA AM comes back as NIKHAHIT and SARA AA.
inline QString WithoutStackedMarks(QString text) {
    text.remove(QRegularExpression(QStringLiteral("[\\x{0E31}\\x{0E34}-\\x{0E3A}\\x{0E47}-\\x{0E4E}]")));
    return text.replace(QChar(0x0E33), QChar(0x0E32));
}

// Non-empty lines, blanks squeezed, marks removed: what survives a round trip
// through a PDF whatever the font's spacing.
inline QStringList ComparableLines(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(u'\n')) {
        const QString squeezed = WithoutStackedMarks(line).simplified();
        if (!squeezed.isEmpty())
            lines << squeezed;
    }
    return lines;
}

} // namespace qrv::test
