#include "ui/help_page.h"

#include "ui/language.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

namespace qrv::gui {

namespace {

// The dialog's size with the page `width` pixels wide and as tall as its text.
QSize SizeAtWidth(QDialog& dialog, QTextBrowser& page, int width) {
    const std::unique_ptr<QTextDocument> measured(page.document()->clone());
    measured->setTextWidth(width);
    const int frame = 2 * page.frameWidth();
    page.setMinimumSize(width + frame, static_cast<int>(std::ceil(measured->size().height())) + frame);
    const QSize size = dialog.sizeHint();
    page.setMinimumSize(0, 0);
    return size;
}

// As wide as 90 characters, or wider where the screen is too low for the page
// at that width, so that it reads without scrolling wherever the screen has room.
QSize FittingSize(QDialog& dialog, QTextBrowser& page, const QRect& screen) {
    const int step = page.fontMetrics().averageCharWidth() * 10;
    // The window frame's title bar takes some of the screen's height.
    const int height = screen.height() - dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight);
    int width = 9 * step;
    QSize size = SizeAtWidth(dialog, page, width);
    while (size.height() > height && size.width() + step <= screen.width()) {
        width += step;
        size = SizeAtWidth(dialog, page, width);
    }
    return size.boundedTo(screen.size());
}

// The page follows the language of the windows.
class HelpPage : public QDialog {
  public:
    explicit HelpPage(QWidget* parent) : QDialog(parent), page_(new QTextBrowser(this)) {
        setObjectName(QStringLiteral("helpPage"));
        setAttribute(Qt::WA_DeleteOnClose);
        page_->setObjectName(QStringLiteral("helpText"));
        page_->setOpenLinks(false);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
        QObject::connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(page_);
        layout->addWidget(buttons);
        retranslateUi();
    }
    QTextBrowser& page() { return *page_; }

  protected:
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::LanguageChange)
            retranslateUi();
        QDialog::changeEvent(event);
    }

  private:
    void retranslateUi() {
        setWindowTitle(QCoreApplication::translate("HelpPage", "How to check a file"));
        page_->setHtml(HelpPageHtml(CurrentLanguage()));
    }

    QTextBrowser* page_;
};

} // namespace

void ShowHelpPage(QWidget* parent) {
    if (auto* open = parent->findChild<QDialog*>(QStringLiteral("helpPage"))) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* dialog = new HelpPage(parent);
    dialog->resize(FittingSize(*dialog, dialog->page(), parent->screen()->availableGeometry()));
    dialog->show();
}

} // namespace qrv::gui
