#include "ui/command_line.h"

#include "version.h"

#include <QCommandLineParser>

namespace qrv::gui {

namespace {

QString Usage() {
    return QStringLiteral("Usage: qrv-edit [--format 10M|100M] [MEDIA_FILE]\n"
                          "Checks a payroll credit file (a media file) before it goes to the bank.\n"
                          "With a format or a file, starts with the file chooser open on them.\n"
                          "\n"
                          "  --format 10M|100M  the layout of the media file (default 10M)\n"
                          "  -h, --help         show this help and exit\n"
                          "  -v, --version      show the version and exit\n");
}

EarlyExit UsageError(const QString& why) {
    return {2, {}, QStringLiteral("qrv-edit: ") + why + u'\n' + Usage()};
}

} // namespace

std::variant<StartOptions, EarlyExit> ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption format(QStringLiteral("format"), QString(), QStringLiteral("format"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({format, help, version});
    if (!parser.parse(arguments))
        return UsageError(parser.errorText());
    if (parser.isSet(help))
        return EarlyExit{0, Usage(), {}};
    if (parser.isSet(version))
        return EarlyExit{0, QStringLiteral("qrv-edit ") + QString::fromLatin1(kVersion) + u'\n', {}};
    StartOptions options;
    if (parser.isSet(format)) {
        const QString name = parser.value(format);
        options.format = FormatFromName(name.toStdString());
        if (!options.format)
            return UsageError(QStringLiteral("the format is 10M or 100M, not \"%1\"").arg(name));
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return UsageError(QStringLiteral("one media file at most"));
    if (!files.isEmpty())
        options.mediaFile = files.first();
    return options;
}

} // namespace qrv::gui
