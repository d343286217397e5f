// The colour of rows and messages of earlier checks: set apart from the
// current run's, yet readable.
#pragma once

#include <QColor>
#include <QPalette>

namespace qrv::gui {

// The contrast ratio of two colours as WCAG defines it, from 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

// The palette's disabled text, moved towards its text until it stands out
// from the base at least 4.5:1; light and dark palettes alike.
QColor DimmedText(const QPalette& palette);

} // namespace qrv::gui
