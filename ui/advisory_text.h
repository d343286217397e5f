// The advisories and their problems in the program's language. The layers
// below say them in English, as qrv-check prints them; here each sentence is
// matched against the English shapes those layers make, and the shape's
// translation is filled with what varies (accounts, lines, amounts, dates),
// each part put into the language the same way.
#pragma once

#include <QString>

namespace qrv::gui {

// `english` in the windows' language; itself under English, or when no shape
// matches.
QString AdvisoryText(const QString& english);

} // namespace qrv::gui
