#include "ui/dimmed_text.h"

#include <cmath>

namespace qrv::gui {

namespace {

constexpr double kReadable = 4.5;

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
    return 0.2126 * Linear(colour.redF()) + 0.7152 * Linear(colour.greenF()) +
           0.0722 * Linear(colour.blueF());
}

QColor Mix(const QColor& from, const QColor& to, double share) {
    const auto channel = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor DimmedText(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor disabled = palette.color(QPalette::Disabled, QPalette::Text);
    constexpr int kSteps = 20;
    for (int step = 0; step < kSteps; ++step) {
        const QColor dimmed = Mix(disabled, text, static_cast<double>(step) / kSteps);
        if (ContrastRatio(dimmed, base) >= kReadable)
            return dimmed;
    }
    return text;
}

} // namespace qrv::gui
