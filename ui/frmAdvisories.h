// The advisories window: what the check of a file cannot see, because it
// reads each record alone. It opens on its own after a run that has any, over
// the result window and without moving it.
#pragma once

#include "advisories/advisory.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

class QLabel;
class QTreeWidget;

namespace qrv::gui {

// What one run's advisories were, and what kept some from being given.
struct AdvisoryRun {
    QString checked; // "jan.txt (Format 100 M)"
    QString earlier; // the file it was compared with; empty when none
    std::vector<Advisory> advisories;
    QStringList problems; // an earlier file refused, a bad holiday line, ...
};

class frmAdvisories : public QWidget {
    Q_OBJECT
  public:
    frmAdvisories();

    void showRun(const AdvisoryRun& run);

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void retranslateUi();
    void showTexts();

    AdvisoryRun run_;
    QLabel* origin_;
    QLabel* problems_;
    QTreeWidget* list_;
};

} // namespace qrv::gui
