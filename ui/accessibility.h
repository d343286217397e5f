// What a screen reader is told about the windows' controls.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace qrv::gui {

// A caption as a spoken name: "Company Code  :" reads "Company Code".
QString SpokenCaption(const QString& caption);

// `caption` names `field`: it becomes the field's buddy, and the field's
// accessible name is the caption as spoken; `description` says more.
void NameByCaption(QLabel& caption, QWidget& field, const QString& description);

// A read-only line edit tells assistive tools that it is read-only and not
// editable, which Qt's own interface for line edits also claims. Call once,
// after the application object exists.
void InstallReadOnlyFieldAccessibility();

} // namespace qrv::gui
