// What the clerk sets for the advisories, kept with the program's other
// settings, and the small dialog that sets it.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace qrv::gui {

struct AdvisoryOptions {
    int thresholdPercent = 20;
    std::int64_t thresholdMinimum = 100000; // hundredths: 1,000.00
    int leadDays = 2;                       // 0 turns date_soon off
    QString holidayFile;                    // empty for none
};

AdvisoryOptions LoadAdvisoryOptions();
void SaveAdvisoryOptions(const AdvisoryOptions& options);

// `mediaFile` was checked for company `companyCode`.
void RememberCheckedFile(const QString& companyCode, const QString& mediaFile);
// The file checked for `companyCode` before `mediaFile`, when it still
// exists; else empty.
QString EarlierCheckedFile(const QString& companyCode, const QString& mediaFile);

// Saves what it shows when OK is clicked.
class AdvisorySettingsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AdvisorySettingsDialog(QWidget* parent);

    void accept() override;

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void retranslateUi();
    void browseHolidays();
    // Says when the holiday file named is not there.
    void showHolidayNote();

    QSpinBox* thresholdPercent_;
    QDoubleSpinBox* thresholdMinimum_;
    QSpinBox* leadDays_;
    QLineEdit* holidayFile_;
    QPushButton* browse_;
    QLabel* holidayNote_;
    // The form's captions of the boxes above, in order.
    std::array<QLabel*, 4> captions_;
};

} // namespace qrv::gui
