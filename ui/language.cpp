#include "ui/language.h"

#include "ui/program_settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QTranslator>

namespace qrv::gui {

namespace {

constexpr const char* kLanguageKey = "window/language";

Language current = Language::English;

// The program's own texts, and Qt's texts that its windows show: Debian's Qt
// has no Thai of its own.
QTranslator& ProgramTexts() {
    static QTranslator translator;
    return translator;
}
QTranslator& QtTexts() {
    static QTranslator translator;
    return translator;
}

} // namespace

void UseLanguage(Language language) {
    if (language == current)
        return;
    current = language;
    if (language == Language::English) {
        QCoreApplication::removeTranslator(&ProgramTexts());
        QCoreApplication::removeTranslator(&QtTexts());
        return;
    }
    // Built into the program; a load that fails leaves the texts English.
    if (ProgramTexts().load(QStringLiteral(":/translations/qrv-edit_th.qm")))
        QCoreApplication::installTranslator(&ProgramTexts());
    if (QtTexts().load(QStringLiteral(":/translations/qt_th.qm")))
        QCoreApplication::installTranslator(&QtTexts());
}

Language CurrentLanguage() {
    return current;
}

Language SavedLanguage() {
    return ProgramSettings().value(kLanguageKey).toString() == QStringLiteral("th") ? Language::Thai
                                                                                    : Language::English;
}

void SaveLanguage(Language language) {
    ProgramSettings().setValue(kLanguageKey,
                               language == Language::Thai ? QStringLiteral("th") : QStringLiteral("en"));
}

QString HelpPageHtml(Language language) {
    QFile html(language == Language::Thai ? QStringLiteral(":/help/translations/how-to-check_th.html")
                                          : QStringLiteral(":/help/how-to-check.html"));
    return html.open(QIODevice::ReadOnly) ? QString::fromUtf8(html.readAll()) : QString();
}

} // namespace qrv::gui
