// File names as the windows hold them. On Linux a name is bytes, and not
// every name is UTF-8: a file named on a computer set to code page 874 must
// still open. Each byte that is no part of UTF-8 is held as a lone surrogate,
// U+DC80 to U+DCFF, which no decoded name contains, so that the bytes come
// back exactly; QFile's own decoding would turn them into U+FFFD for good.
// Windows names are UTF-16 and go to the file layer as UTF-8, which it widens
// again for the wide Windows calls.
#pragma once

#include <QByteArray>
#include <QString>

class QUrl;

namespace qrv::gui {

QString LocalNameFromBytes(const QByteArray& bytes);
QByteArray LocalNameBytes(const QString& name);
// The local file `url` names, its bytes kept; empty when it names none.
QString LocalFileOfUrl(const QUrl& url);
// A path whose file name lost bytes to QFile's decoding, as Qt's own file
// dialog gives it, matched to the one entry of its folder whose name decodes
// the same way; `path` itself when there is no single such entry.
QString RecoverLocalName(const QString& path);

} // namespace qrv::gui
