#include "ui/MDIForm1.h"

#include "advisories/advisor.h"
#include "core/fields.h"
#include "core/text.h"
#include "files/file_error.h"
#include "journal/digest.h"
#include "runs/ports.h"
#include "ui/FrmEdit.h"
#include "ui/advisory_settings.h"
#include "ui/dialogs.h"
#include "ui/frmHistory.h"
#include "ui/frmSelFile.h"
#include "ui/frmSendData.h"
#include "ui/gui_user_port.h"
#include "ui/help_page.h"
#include "ui/language.h"
#include "ui/local_names.h"
#include "ui/verdict.h"
#include "version.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QStatusBar>
#include <iterator>
#include <memory>
#include <utility>

namespace qrv::gui {

namespace {

// Qt names the items of a subwindow's system menu once, as it makes them;
// they follow the language from here, in Qt's order.
void RetranslateSystemMenu(const QMdiSubWindow& window) {
    static constexpr const char* kQtContext = "QMdiSubWindow";
    static constexpr const char* kItems[] = {"&Restore",  "&Move",        "&Size", "Mi&nimize",
                                             "Ma&ximize", "Stay on &Top", "&Close"};
    std::size_t item = 0;
    for (QAction* action : window.systemMenu()->actions())
        if (!action->isSeparator() && item < std::size(kItems))
            action->setText(QCoreApplication::translate(kQtContext, kItems[item++]));
}

// The clerk's settings, and what this run compares with, as the advisories take them.
AdvisorySettings SettingsForRun(const QString& earlierFile) {
    const AdvisoryOptions options = LoadAdvisoryOptions();
    const QDate today = QDate::currentDate();
    return {double(options.thresholdPercent),
            options.thresholdMinimum,
            options.leadDays,
            LocalNameBytes(options.holidayFile).toStdString(),
            earlierFile.isEmpty() ? std::string() : LocalNameBytes(earlierFile).toStdString(),
            std::chrono::year_month_day{std::chrono::year{today.year()},
                                        std::chrono::month{static_cast<unsigned>(today.month())},
                                        std::chrono::day{static_cast<unsigned>(today.day())}}};
}

// The control record's company code as the run read it, trimmed; empty before the run read one.
QString CompanyCodeOf(Format format, const RunResult& result) {
    if (!result.controlLine)
        return {};
    const Fields fields = SplitRecord(*result.controlLine, FormatTable(format).controlLayout);
    return QString::fromLatin1(Trim(fields[control::CompanyCode]));
}

} // namespace

MDIForm1::MDIForm1() {
    setObjectName("MDIForm1");
    setWindowTitle(AppTitle());
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName("mdiArea");
    // The advisories window keeps its size when the clerk turns to it from the maximized result window.
    mdiArea_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
    setCentralWidget(mdiArea_);
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &MDIForm1::onSubWindowActivated);

    setAcceptDrops(true);

    // Where the platform's own close key for child windows is not Ctrl+F4.
    if (!QKeySequence::keyBindings(QKeySequence::Close).contains(QKeySequence(Qt::CTRL | Qt::Key_F4)))
        connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4), this), &QShortcut::activated, mdiArea_,
                &QMdiArea::closeActiveSubWindow);
    // The last run's verdict stays until the next run; messages such as
    // "Letter saved" cover it only for a while.
    verdict_ = new QLabel(this);
    verdict_->setObjectName("verdict");
    statusBar()->addWidget(verdict_, 1);

    start_ = menuBar()->addMenu(QString());
    start_->setObjectName("start_menu");
    auto* formats = new QActionGroup(this);
    // The formats' names, the same in every language, as the chooser and the verdict give them.
    KVT_10m_ = start_->addAction("Format &10 M", this, &MDIForm1::KVT_10m_Click);
    KVT_10m_->setObjectName("KVT_10m");
    KVT_100m_ = start_->addAction("Format 1&00 M", this, &MDIForm1::KVT_100m_Click);
    KVT_100m_->setObjectName("KVT_100m");
    for (QAction* item : {KVT_10m_, KVT_100m_}) {
        item->setCheckable(true);
        formats->addAction(item);
    }
    KVT_10m_->setChecked(true);
    start_->addSeparator()->setObjectName("mnuSep01");
    KVT_exit_ = start_->addAction(QString(), this, &MDIForm1::KVT_exit_Click);
    KVT_exit_->setObjectName("KVT_exit");

    edit_ = menuBar()->addMenu(QString());
    edit_->setObjectName("edit_menu");
    clearEarlier_ = edit_->addAction(QString(), this, [this] {
        if (FrmEdit* result = findResultWindow())
            result->clearEarlierRuns();
    });
    clearEarlier_->setObjectName("clearEarlierChecks");
    history_ = edit_->addAction(QString(), this, &MDIForm1::showHistory);
    history_->setObjectName("historyOfChecks");
    connect(edit_, &QMenu::aboutToShow, this,
            [this] { clearEarlier_->setEnabled(findResultWindow() != nullptr); });
    edit_->addSeparator();
    compareEarlier_ = edit_->addAction(QString(), this, &MDIForm1::CompareEarlier_Click);
    compareEarlier_->setObjectName("CompareEarlier");
    advisorySettings_ = edit_->addAction(QString(), this, &MDIForm1::AdvisorySettings_Click);
    advisorySettings_->setObjectName("AdvisorySettings");

    help_ = menuBar()->addMenu(QString());
    help_->setObjectName("help_menu");
    howTo_ = help_->addAction(QString(), this, [this] { ShowHelpPage(this); });
    howTo_->setObjectName("howToCheck");
    howTo_->setShortcut(QKeySequence::HelpContents);
    about_ = help_->addAction(QString(), this, &MDIForm1::about_Click);
    about_->setObjectName("about");

    addLanguageMenu();
    retranslateUi();
}

// Named in both languages, and each language in its own, so that a clerk
// who reads only one of them finds the way back.
void MDIForm1::addLanguageMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("ภาษา / Language"));
    menu->setObjectName("language_menu");
    auto* languages = new QActionGroup(this);
    const auto add = [&](const QString& name, const char* objectName, Language language) {
        QAction* item = menu->addAction(name, menu, [language] {
            UseLanguage(language);
            SaveLanguage(language);
        });
        item->setObjectName(QString::fromLatin1(objectName));
        item->setCheckable(true);
        item->setChecked(CurrentLanguage() == language);
        languages->addAction(item);
        return item;
    };
    english_ = add(QStringLiteral("English"), "english", Language::English);
    thai_ = add(QStringLiteral("ไทย"), "thai", Language::Thai);
}

void MDIForm1::retranslateUi() {
    verdict_->setAccessibleName(tr("Verdict"));
    start_->setTitle(tr("&start"));
    KVT_exit_->setText(tr("E&xit"));
    // Not Alt+E: the chooser's "&Edit Data" answers that while the chooser is up.
    edit_->setTitle(tr("E&dit"));
    clearEarlier_->setText(tr("&Clear earlier checks"));
    history_->setText(tr("&History of checks…"));
    compareEarlier_->setText(tr("Com&pare with earlier file..."));
    advisorySettings_->setText(tr("&Advisory settings..."));
    help_->setTitle(tr("&Help"));
    howTo_->setText(tr("&How to check a file"));
    about_->setText(tr("&About QRV Edit Data"));
    (CurrentLanguage() == Language::Thai ? thai_ : english_)->setChecked(true);
    for (const QMdiSubWindow* window : mdiArea_->subWindowList())
        RetranslateSystemMenu(*window);
    // What the status bar said was in the language before.
    statusBar()->clearMessage();
    if (verdictText_)
        showVerdict();
}

void MDIForm1::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QMainWindow::changeEvent(event);
}

MDIForm1::~MDIForm1() {
    // The subwindows go after this destructor, and their going activates the
    // others, which must no longer reach this half-destroyed window.
    mdiArea_->disconnect(this);
}

template <class Window> QMdiSubWindow* MDIForm1::findSubWindow() const {
    // A closed subwindow leaves this list at once, before it is deleted.
    for (QMdiSubWindow* window : mdiArea_->subWindowList())
        if (qobject_cast<Window*>(window->widget()))
            return window;
    return nullptr;
}

template <class Window> Window* MDIForm1::findChildWindow() const {
    QMdiSubWindow* window = findSubWindow<Window>();
    return window ? qobject_cast<Window*>(window->widget()) : nullptr;
}

FrmEdit* MDIForm1::findResultWindow() const {
    return findChildWindow<FrmEdit>();
}

frmSendData* MDIForm1::findCoveringLetter() const {
    return findChildWindow<frmSendData>();
}

frmAdvisories* MDIForm1::findAdvisories() const {
    return findChildWindow<frmAdvisories>();
}

void MDIForm1::addMaximized(QWidget* child) {
    QMdiSubWindow* window = mdiArea_->addSubWindow(child);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->showMaximized();
}

FrmEdit& MDIForm1::openResultWindow() {
    if (FrmEdit* open = findResultWindow())
        return *open;
    auto* result = new FrmEdit;
    connect(result, &FrmEdit::coveringLetterRequested, this, &MDIForm1::showCoveringLetter);
    connect(result, &FrmEdit::rowsExported, this, [this](const QString& path) {
        statusBar()->showMessage(tr("Rejected rows exported to %1").arg(QDir::toNativeSeparators(path)));
    });
    connect(result, &FrmEdit::locationChosen, this, [this](const QString& line) {
        if (!line.isEmpty())
            statusBar()->showMessage(line);
    });
    connect(result, &FrmEdit::rowsCopied, this, [this](int count) {
        statusBar()->showMessage(count == 1 ? tr("1 row copied") : tr("%L1 rows copied").arg(count));
    });
    addMaximized(result);
    return *result;
}

void MDIForm1::showResultWindow() {
    if (QMdiSubWindow* window = findSubWindow<FrmEdit>()) {
        window->showMaximized();
        mdiArea_->setActiveSubWindow(window);
    }
}

void MDIForm1::closeResultWindow() {
    if (QMdiSubWindow* window = findSubWindow<FrmEdit>())
        window->close();
}

void MDIForm1::showCoveringLetter() {
    if (QMdiSubWindow* open = findSubWindow<frmSendData>()) {
        mdiArea_->setActiveSubWindow(open);
        return;
    }
    if (!checkedRun_)
        return;
    if (frmSendData* letter = frmSendData::Form_Load(*checkedRun_)) {
        connectLetter(*letter);
        journalLetter(*letter);
        addMaximized(letter);
    }
}

void MDIForm1::connectLetter(frmSendData& letter) {
    connect(&letter, &frmSendData::saved, this, [this](const QString& path) {
        statusBar()->showMessage(tr("Letter saved to %1").arg(QDir::toNativeSeparators(path)));
    });
    connect(&letter, &frmSendData::printed, this, [this](const QString& destination) {
        statusBar()->showMessage(QDir::isAbsolutePath(destination)
                                     ? tr("Letter printed to %1").arg(QDir::toNativeSeparators(destination))
                                     : tr("Letter printed on %1").arg(destination));
    });
    connect(&letter, &frmSendData::sentToPrinter, this, [this](const QString& printer, const QString& held) {
        statusBar()->showMessage(held.isEmpty()
                                     ? tr("Letter sent to %1").arg(printer)
                                     : tr("Letter sent to %1, which holds it: %2").arg(printer, held));
    });
    connect(&letter, &frmSendData::printFailed, statusBar(), &QStatusBar::clearMessage);
}

void MDIForm1::journalLetter(frmSendData& letter) {
    // Whether the letter was saved or printed before its window closed.
    auto settled = std::make_shared<bool>(false);
    const auto record = [this, settled](LetterEntry entry) {
        *settled = *settled || entry.event != LetterEvent::Closed;
        const QString trouble = journal_.recordLetter(std::move(entry));
        if (!trouble.isEmpty())
            statusBar()->showMessage(trouble);
    };
    connect(&letter, &frmSendData::saved, this, [record](const QString& path) {
        const std::string file = LocalNameBytes(path).toStdString();
        std::string sha256;
        try {
            sha256 = DigestOfFile(file).sha256;
        } catch (const FileError&) {
        }
        record({LetterEvent::Saved, {}, file, sha256});
    });
    connect(&letter, &frmSendData::printSettled, this,
            [record](const QString& printer, int job, const QString& state) {
                record({LetterEvent::Printed,
                        {},
                        {},
                        {},
                        printer.toStdString(),
                        job ? std::to_string(job) : std::string(),
                        state.toStdString()});
            });
    connect(&letter, &frmSendData::closing, this, [record, settled] {
        if (!*settled)
            record({LetterEvent::Closed});
    });
}

void MDIForm1::showHistory() {
    if (QMdiSubWindow* open = findSubWindow<frmHistory>()) {
        qobject_cast<frmHistory*>(open->widget())->reload();
        mdiArea_->setActiveSubWindow(open);
        return;
    }
    auto* history = new frmHistory(journal_.path());
    connect(history, &frmHistory::exported, this, [this](const QString& path) {
        statusBar()->showMessage(tr("History of checks exported to %1").arg(QDir::toNativeSeparators(path)));
    });
    addMaximized(history);
}

void MDIForm1::KVT_10m_Click() {
    setFiletype(Format::M10);
    showSelFile();
}

void MDIForm1::KVT_100m_Click() {
    setFiletype(Format::M100);
    showSelFile();
}

void MDIForm1::KVT_exit_Click() {
    close();
}

void MDIForm1::openChooser(Format format, const QString& mediaFile) {
    setFiletype(format);
    chooser().setPath(mediaFile);
    showSelFile();
}

void MDIForm1::openChooserOn(const QString& mediaFile) {
    openChooser(FormatOfFile(LocalNameBytes(mediaFile).toStdString()).value_or(filetype), mediaFile);
}

void MDIForm1::setFiletype(Format format) {
    filetype = format;
    (format == Format::M10 ? KVT_10m_ : KVT_100m_)->setChecked(true);
}

void MDIForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(*event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MDIForm1::dropEvent(QDropEvent* event) {
    event->acceptProposedAction();
    openChooserOn(DroppedFile(*event->mimeData()));
}

// The Qt libraries the program is built with; on Windows the icon needs no Svg.
#ifdef _WIN32
constexpr const char* kQtModules = "Core, Gui, Widgets, PrintSupport";
#else
constexpr const char* kQtModules = "Core, Gui, Widgets, PrintSupport, Svg";
#endif

void MDIForm1::about_Click() {
    const QString text =
        tr("QRV Edit Data %1\n\n"
           "Checks a payroll credit file before it goes to the bank, and prints its covering letter.\n\n"
           "Built with Qt %2 (%3), "
           "under the GNU Lesser General Public License version 3.")
            .arg(QString::fromLatin1(kVersion), QString::fromLatin1(qVersion()),
                 QString::fromLatin1(kQtModules));
    MessageBox::show(this, text, tr("About QRV Edit Data"), QMessageBox::NoIcon, QMessageBox::Ok);
}

frmSelFile& MDIForm1::chooser() {
    if (!selFile_) {
        selFile_ = new frmSelFile(this);
        connect(selFile_, &frmSelFile::checkRequested, this, &MDIForm1::runCheck);
        connect(selFile_, &frmSelFile::fileDropped, this, &MDIForm1::openChooserOn);
    }
    return *selFile_;
}

void MDIForm1::runCheck(const QString& mediaFile, Format format) {
    check(mediaFile, format, std::exchange(nextEarlierFile_, {}), selFile_);
}

void MDIForm1::check(const QString& mediaFile, Format format, const QString& earlierFile,
                     QWidget* messagesOver) {
    onCheckStarting();
    GuiUserPort user(messagesOver, [this] { resultWindow_.flushRows(); });
    resultWindow_.beginRun(format, mediaFile);
    Advisor advisor(format, SettingsForRun(earlierFile));
    JournalWindow window(resultWindow_);
    const std::string path = LocalNameBytes(mediaFile).toStdString();
    const RunResult result = CheckFile(format, path, window, user, &advisor);
    resultWindow_.runEnded(result);
    AdvisoryReport advisories = advisor.report();
    RecordedRun recorded = journal_.recordRun(format, path, result, window,
                                              static_cast<std::int64_t>(advisories.advisories.size()));
    // As qrv-check reports them: the journal's follow the run's, for a run that read the whole file.
    if (result.outcome == RunOutcome::Finished)
        std::move(recorded.advisories.begin(), recorded.advisories.end(),
                  std::back_inserter(advisories.advisories));
    onChecked(mediaFile, format, result, resultWindow_.counts(), earlierFile, std::move(advisories));
    showRecorded(recorded);
}

void MDIForm1::showRecorded(const RecordedRun& recorded) {
    if (FrmEdit* result = findResultWindow(); result && !recorded.summarySha256.empty())
        result->setSummaryDigest(QString::fromStdString(recorded.summarySha256));
    if (!recorded.trouble.isEmpty())
        statusBar()->showMessage(recorded.trouble);
}

void MDIForm1::CompareEarlier_Click() {
    const QString offered =
        lastRun_ ? EarlierCheckedFile(lastRun_->companyCode, lastRun_->mediaFile) : QString();
    const QString folder = !offered.isEmpty() ? offered
                           : lastRun_         ? QFileInfo(lastRun_->mediaFile).absolutePath()
                                              : QString();
    const QString earlier =
        RecoverLocalName(FileDialog::getOpenFileName(this, tr("All Files (*);;Text Files (*.txt)"), folder));
    if (earlier.isEmpty())
        return;
    if (!lastRun_) {
        nextEarlierFile_ = earlier;
        statusBar()->showMessage(tr("No file has been checked yet: the next check compares its file with %1")
                                     .arg(QDir::toNativeSeparators(earlier)));
        return;
    }
    const LastRun run = *lastRun_;
    check(run.mediaFile, run.format, earlier, this);
}

void MDIForm1::AdvisorySettings_Click() {
    (new AdvisorySettingsDialog(this))->open();
}

void MDIForm1::onCheckStarting() {
    checkedRun_.reset();
    if (QMdiSubWindow* letter = findSubWindow<frmSendData>())
        letter->close();
}

void MDIForm1::onChecked(const QString& mediaFile, Format format, const RunResult& result, RunCounts counts,
                         const QString& earlierFile, AdvisoryReport&& advisories) {
    const QString companyCode = CompanyCodeOf(format, result);
    lastRun_ = LastRun{mediaFile, format, companyCode};
    if (result.outcome == RunOutcome::Finished && !companyCode.isEmpty())
        RememberCheckedFile(companyCode, mediaFile);
    counts.advisories = static_cast<std::int64_t>(advisories.advisories.size());
    const std::string_view caption = FormatCaption(format);
    AdvisoryRun shown{
        QStringLiteral("%1 (%2)").arg(QFileInfo(mediaFile).fileName(), QString::fromLatin1(caption)),
        earlierFile,
        std::move(advisories.advisories),
        {}};
    for (const std::string& problem : advisories.problems)
        shown.problems << QString::fromStdString(problem);
    if (result.outcome == RunOutcome::Finished)
        // A finished run's ListErr holds only the comparisons of its totals.
        checkedRun_ = CheckedRun{format,          mediaFile,           *result.controlLine, result.hashTotal,
                                 counts.rejected, counts.messages > 0, shown.advisories};
    showAdvisories(shown);
    statusBar()->clearMessage();
    const std::string path = LocalNameBytes(mediaFile).toStdString();
    const FileLook look{result.outcome == RunOutcome::WrongFormat ? FormatOfFile(path) : std::nullopt,
                        ForeignTextOfFile(path)};
    verdictText_ = [=] {
        return Verdict(mediaFile, format, result, counts, look);
    };
    showVerdict();
}

void MDIForm1::showVerdict() {
    const QString verdict = verdictText_();
    verdict_->setText(verdict);
    // Qt before 6.8 has no announcement event; screen readers hear the
    // change of the named verdict line's description.
    verdict_->setAccessibleDescription(verdict);
}

void MDIForm1::showAdvisories(const AdvisoryRun& run) {
    QMdiSubWindow* window = findSubWindow<frmAdvisories>();
    if (run.advisories.empty() && run.problems.isEmpty()) {
        if (window)
            window->close();
        return;
    }
    if (!window) {
        // Over the lower part of the result window, which stays maximized
        // and active beneath it.
        window = mdiArea_->addSubWindow(new frmAdvisories, Qt::SubWindow | Qt::WindowStaysOnTopHint);
        window->setAttribute(Qt::WA_DeleteOnClose);
        const QRect area = mdiArea_->viewport()->rect();
        const QSize size(area.width() * 2 / 3, area.height() / 3);
        window->setGeometry(QRect(area.bottomRight() - QPoint(size.width(), size.height()), size));
    }
    qobject_cast<frmAdvisories*>(window->widget())->showRun(run);
    QMdiSubWindow* active = mdiArea_->activeSubWindow();
    window->show();
    if (active && active != window)
        mdiArea_->setActiveSubWindow(active);
}

void MDIForm1::showSelFile() {
    chooser().present(filetype);
}

void MDIForm1::onSubWindowActivated(QMdiSubWindow* window) {
    if (!window)
        return;
    keepAdvisoriesOver(window);
    if (auto* result = qobject_cast<FrmEdit*>(window->widget()))
        result->Form_Activate();
}

// The advisories stay over the result window, which stays active beneath
// them. Over any other window they would hide what the clerk works with,
// such as the letter's Save and Print at its foot: there they go beneath.
void MDIForm1::keepAdvisoriesOver(QMdiSubWindow* active) {
    QMdiSubWindow* advisories = findSubWindow<frmAdvisories>();
    const bool over = qobject_cast<FrmEdit*>(active->widget()) != nullptr;
    if (!advisories || advisories == active ||
        advisories->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == over)
        return;
    advisories->setWindowFlag(Qt::WindowStaysOnTopHint, over);
    // A window whose flags change is hidden until shown again.
    advisories->show();
    active->raise();
    if (over)
        advisories->raise();
    mdiArea_->setActiveSubWindow(active);
}

void MDIForm1::closeEvent(QCloseEvent* event) {
    event->setAccepted(MDIForm_Unload());
}

bool MDIForm1::MDIForm_Unload() {
    const auto answer = MessageBox::show(this, tr("Do you want to exit?"), AppTitle(), QMessageBox::NoIcon,
                                         QMessageBox::Ok | QMessageBox::Cancel);
    if (answer != QMessageBox::Ok)
        return false;
    mdiArea_->closeAllSubWindows();
    if (selFile_)
        selFile_->close();
    return true;
}

} // namespace qrv::gui
