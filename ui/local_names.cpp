#include "ui/local_names.h"

#include <QFile>
#include <QUrl>

#ifndef _WIN32
#include "core/text.h"

#include <dirent.h>
#include <memory>
#endif

namespace qrv::gui {

#ifdef _WIN32

// UTF-8, which the file layer turns into the wide names of Windows' calls:
// not the code page, which before Windows 10 1903 is not UTF-8 and has no
// letters for most names.
QString LocalNameFromBytes(const QByteArray& bytes) {
    return QString::fromUtf8(bytes);
}

QByteArray LocalNameBytes(const QString& name) {
    return name.toUtf8();
}

QString LocalFileOfUrl(const QUrl& url) {
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

QString RecoverLocalName(const QString& path) {
    return path;
}

#else

namespace {
constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;
} // namespace

QString LocalNameFromBytes(const QByteArray& bytes) {
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    QString name;
    name.reserve(bytes.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = Utf8SequenceAt(text, at);
        if (length == 0) {
            name += QChar(static_cast<char16_t>(0xDC00 | static_cast<unsigned char>(text[at])));
            ++at;
        } else {
            name += QString::fromUtf8(text.data() + at, static_cast<qsizetype>(length));
            at += length;
        }
    }
    return name;
}

QByteArray LocalNameBytes(const QString& name) {
    QByteArray bytes;
    qsizetype plain = 0; // where the text not yet encoded starts
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        const bool escape =
            unit >= kFirstEscape && unit <= kLastEscape && (i == 0 || !name[i - 1].isHighSurrogate());
        if (!escape)
            continue;
        bytes += name.mid(plain, i - plain).toUtf8();
        bytes += static_cast<char>(unit & 0xFF);
        plain = i + 1;
    }
    return bytes + name.mid(plain).toUtf8();
}

QString LocalFileOfUrl(const QUrl& url) {
    if (!url.isLocalFile())
        return {};
    // The path as sent keeps bytes that are no UTF-8 percent-encoded.
    return LocalNameFromBytes(QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
}

QString RecoverLocalName(const QString& path) {
    const qsizetype slash = path.lastIndexOf(u'/');
    if (!path.contains(QChar::ReplacementCharacter) || slash < 0)
        return path;
    const QString folder = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    const std::unique_ptr<DIR, int (*)(DIR*)> entries(::opendir(LocalNameBytes(folder).constData()),
                                                      ::closedir);
    if (!entries)
        return path;
    QString found;
    while (const dirent* entry = ::readdir(entries.get())) {
        if (QFile::decodeName(entry->d_name) != name)
            continue;
        if (!found.isEmpty())
            return path; // two names decode alike: neither is the clerk's for sure
        found = folder + LocalNameFromBytes(entry->d_name);
    }
    return found.isEmpty() ? path : found;
}

#endif

} // namespace qrv::gui
