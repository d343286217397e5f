// The main window: the frame that holds the result window and the covering
// letter, and the menu that picks the media file's format.
#pragma once

#include "runs/check_run.h"
#include "runs/format.h"
#include "ui/check_journal.h"
#include "ui/checked_run.h"
#include "ui/frmAdvisories.h"
#include "ui/result_window_adapter.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QMdiArea;
class QMdiSubWindow;

namespace qrv {
struct AdvisoryReport;
}

namespace qrv::gui {

class FrmEdit;
class frmAdvisories;
class frmSelFile;
class frmSendData;

class MDIForm1 : public QMainWindow, public ResultWindowHost {
    Q_OBJECT
  public:
    // The format the menu chose; the next run checks the file in it.
    Format filetype = Format::M10;

    MDIForm1();
    ~MDIForm1() override;

    FrmEdit* findResultWindow() const override;
    FrmEdit& openResultWindow() override;
    void showResultWindow() override;
    void closeResultWindow() override;
    // The covering letter window when it is open, else nullptr.
    frmSendData* findCoveringLetter() const;
    // Opens the covering letter window, or brings it forward when it is open.
    void showCoveringLetter();

    // Shows the chooser with `format` chosen and `mediaFile` in its path box.
    void openChooser(Format format, const QString& mediaFile);
    // Shows the chooser on `mediaFile`, in the format whose gate alone its
    // first line passes, else in the menu's format.
    void openChooserOn(const QString& mediaFile);

    // Opens the history of checks, or brings it forward when it is open.
    void showHistory();

    void KVT_10m_Click();
    void KVT_100m_Click();
    void KVT_exit_Click();
    void about_Click();
    // Chooses the earlier file and checks the file on screen again, compared
    // with it; before any check, the next check compares with it.
    void CompareEarlier_Click();
    void AdvisorySettings_Click();
    // The advisories window when it is open, else nullptr.
    frmAdvisories* findAdvisories() const;

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // "ภาษา / Language": English and ไทย, the same in both.
    void addLanguageMenu();
    // Every text of the window and its menus in the language now in use.
    void retranslateUi();
    // The last run's verdict, in the language now in use.
    void showVerdict();
    // Asks, then closes the child windows; true when the program may end.
    bool MDIForm_Unload();
    // The subwindow that holds a child window of type Window, else nullptr.
    template <class Window> QMdiSubWindow* findSubWindow() const;
    template <class Window> Window* findChildWindow() const;
    void addMaximized(QWidget* child);
    // Sets filetype and checks its menu item.
    void setFiletype(Format format);
    // The chooser, created when it does not exist.
    frmSelFile& chooser();
    void showSelFile();
    void onSubWindowActivated(QMdiSubWindow* window);
    // The check run of `mediaFile` in `format`, as the chooser asked for it;
    // its messages open over the chooser.
    void runCheck(const QString& mediaFile, Format format);
    // Compared with `earlierFile` when it is not empty; the run's messages open over `messagesOver`.
    void check(const QString& mediaFile, Format format, const QString& earlierFile, QWidget* messagesOver);
    // A check run replaces the run on screen: the letter of the one before goes.
    void onCheckStarting();
    void onChecked(const QString& mediaFile, Format format, const RunResult& result, RunCounts counts,
                   const QString& earlierFile, AdvisoryReport&& advisories);
    // Opens the advisories window without taking the focus from the result
    // window when the run has advisories or met problems; else closes it.
    void showAdvisories(const AdvisoryRun& run);
    void keepAdvisoriesOver(QMdiSubWindow* active);
    void connectLetter(frmSendData& letter);
    // The letter's events into the journal, and the letter's closing unsaved and unprinted.
    void journalLetter(frmSendData& letter);
    // What the journal says of the run just recorded, in the status bar.
    void showRecorded(const RecordedRun& recorded);

    QMdiArea* mdiArea_;
    QMenu* start_;
    QAction* KVT_10m_;
    QAction* KVT_100m_;
    QAction* KVT_exit_;
    QMenu* edit_;
    QAction* clearEarlier_;
    QAction* history_;
    QAction* compareEarlier_;
    QAction* advisorySettings_;
    QMenu* help_;
    QAction* howTo_;
    QAction* about_;
    QAction* english_ = nullptr;
    QAction* thai_ = nullptr;
    QLabel* verdict_;
    std::function<QString()> verdictText_; // empty before the first run
    QPointer<frmSelFile> selFile_;
    ResultWindowAdapter resultWindow_{*this};
    // The run on screen when it reached the end of its media file; the letter is built from it.
    std::optional<CheckedRun> checkedRun_;
    CheckJournal journal_{DesktopJournalPath()};
    // The file of the last run, whichever way it ended, which a comparison checks again.
    struct LastRun {
        QString mediaFile;
        Format format;
        QString companyCode; // empty when the run did not read a control record
    };
    std::optional<LastRun> lastRun_;
    // Chosen before any check: the next check compares with it.
    QString nextEarlierFile_;
};

} // namespace qrv::gui
