#include "ui/help_page.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QTextBrowser>
#include <QVBoxLayout>

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
    dialog->resize(page->fontMetrics().averageCharWidth() * 80, page->fontMetrics().height() * 36);
    dialog->show();
}

} // namespace qrv::gui
