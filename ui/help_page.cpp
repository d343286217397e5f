#include "ui/help_page.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

namespace qrv::gui {

void ShowHelpPage(QWidget* parent) {
    if (auto* open = parent->findChild<QDialog*>(QStringLiteral("helpPage"))) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("helpPage"));
    dialog->setWindowTitle(QStringLiteral("How to check a file"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* page = new QTextBrowser(dialog);
    page->setObjectName(QStringLiteral("helpText"));
    page->setOpenLinks(false);
    QFile html(QStringLiteral(":/help/how-to-check.html"));
    if (html.open(QIODevice::ReadOnly))
        page->setHtml(QString::fromUtf8(html.readAll()));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(page);
    layout->addWidget(buttons);
    // As wide as 90 characters and as tall as the page at that width, so that
    // it reads without scrolling wherever the screen has the room.
    const int width = page->fontMetrics().averageCharWidth() * 90;
    const std::unique_ptr<QTextDocument> measured(page->document()->clone());
    measured->setTextWidth(width);
    const int frame = 2 * page->frameWidth();
    page->setMinimumSize(width + frame, static_cast<int>(std::ceil(measured->size().height())) + frame);
    const QSize wanted = dialog->sizeHint();
    page->setMinimumSize(0, 0);
    dialog->resize(wanted.boundedTo(parent->screen()->availableGeometry().size()));
    dialog->show();
}

} // namespace qrv::gui
