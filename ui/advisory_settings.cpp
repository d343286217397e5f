#include "ui/advisory_settings.h"

#include "ui/dialogs.h"
#include "ui/program_settings.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace qrv::gui {

namespace {

constexpr const char* kThresholdPercentKey = "advisories/thresholdPercent";
constexpr const char* kThresholdMinimumKey = "advisories/thresholdMinimum";
constexpr const char* kLeadDaysKey = "advisories/leadDays";
constexpr const char* kHolidayFileKey = "advisories/holidayFile";
constexpr const char* kCheckedFilesGroup = "checkedFiles";

// The bounds the dialog's boxes hold values to; a value kept from elsewhere
// is held to them too.
constexpr int kMostPercent = 1000;
constexpr double kMostMinimum = 99999999.99;
constexpr int kMostLeadDays = 30;

} // namespace

AdvisoryOptions LoadAdvisoryOptions() {
    const QSettings settings = ProgramSettings();
    const AdvisoryOptions defaults;
    AdvisoryOptions options;
    options.thresholdPercent =
        std::clamp(settings.value(kThresholdPercentKey, defaults.thresholdPercent).toInt(), 0, kMostPercent);
    options.thresholdMinimum = std::clamp<std::int64_t>(
        settings.value(kThresholdMinimumKey, qlonglong(defaults.thresholdMinimum)).toLongLong(), 0,
        std::llround(kMostMinimum * 100));
    options.leadDays = std::clamp(settings.value(kLeadDaysKey, defaults.leadDays).toInt(), 0, kMostLeadDays);
    options.holidayFile = settings.value(kHolidayFileKey).toString();
    return options;
}

void SaveAdvisoryOptions(const AdvisoryOptions& options) {
    QSettings settings = ProgramSettings();
    settings.setValue(kThresholdPercentKey, options.thresholdPercent);
    settings.setValue(kThresholdMinimumKey, qlonglong(options.thresholdMinimum));
    settings.setValue(kLeadDaysKey, options.leadDays);
    settings.setValue(kHolidayFileKey, options.holidayFile);
}

// A company's last two files, the latest first: checking the latest again
// still offers the one before it.
void RememberCheckedFile(const QString& companyCode, const QString& mediaFile) {
    QSettings settings = ProgramSettings();
    settings.beginGroup(kCheckedFilesGroup);
    QStringList files = settings.value(companyCode).toStringList();
    const QString path = QFileInfo(mediaFile).absoluteFilePath();
    files.removeAll(path);
    files.prepend(path);
    settings.setValue(companyCode, QStringList(files.mid(0, 2)));
}

QString EarlierCheckedFile(const QString& companyCode, const QString& mediaFile) {
    QSettings settings = ProgramSettings();
    settings.beginGroup(kCheckedFilesGroup);
    const QString path = QFileInfo(mediaFile).absoluteFilePath();
    for (const QString& file : settings.value(companyCode).toStringList())
        if (file != path && QFileInfo(file).isFile())
            return file;
    return {};
}

AdvisorySettingsDialog::AdvisorySettingsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("AdvisorySettings");
    setAttribute(Qt::WA_DeleteOnClose);
    const AdvisoryOptions options = LoadAdvisoryOptions();

    thresholdPercent_ = new QSpinBox(this);
    thresholdPercent_->setObjectName("thresholdPercent");
    thresholdPercent_->setRange(0, kMostPercent);
    thresholdPercent_->setSuffix(QStringLiteral(" %"));
    thresholdPercent_->setValue(options.thresholdPercent);

    thresholdMinimum_ = new QDoubleSpinBox(this);
    thresholdMinimum_->setObjectName("thresholdMinimum");
    thresholdMinimum_->setDecimals(2);
    thresholdMinimum_->setRange(0, kMostMinimum);
    thresholdMinimum_->setGroupSeparatorShown(true);
    thresholdMinimum_->setValue(double(options.thresholdMinimum) / 100);

    leadDays_ = new QSpinBox(this);
    leadDays_->setObjectName("leadDays");
    leadDays_->setRange(0, kMostLeadDays);
    leadDays_->setValue(options.leadDays);

    holidayFile_ = new QLineEdit(options.holidayFile, this);
    holidayFile_->setObjectName("holidayFile");
    browse_ = new QPushButton(this);
    browse_->setObjectName("browseHolidays");
    connect(browse_, &QPushButton::clicked, this, &AdvisorySettingsDialog::browseHolidays);
    auto* holidayRow = new QHBoxLayout;
    holidayRow->addWidget(holidayFile_, 1);
    holidayRow->addWidget(browse_);
    holidayNote_ = new QLabel(this);
    holidayNote_->setObjectName("holidayNote");
    holidayNote_->setWordWrap(true);
    connect(holidayFile_, &QLineEdit::textChanged, this, &AdvisorySettingsDialog::showHolidayNote);

    // Each caption names its box and gives it its Alt key.
    const auto caption = [this](QWidget* buddy) {
        auto* label = new QLabel(this);
        label->setBuddy(buddy);
        return label;
    };
    captions_ = {caption(thresholdPercent_), caption(thresholdMinimum_), caption(leadDays_),
                 caption(holidayFile_)};
    auto* form = new QFormLayout;
    form->addRow(captions_[0], thresholdPercent_);
    form->addRow(captions_[1], thresholdMinimum_);
    form->addRow(captions_[2], leadDays_);
    form->addRow(captions_[3], holidayRow);
    form->addRow(QString(), holidayNote_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &AdvisorySettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AdvisorySettingsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    retranslateUi();
}

void AdvisorySettingsDialog::retranslateUi() {
    setWindowTitle(tr("Advisory settings"));
    leadDays_->setSpecialValueText(tr("off"));
    browse_->setText(tr("&Browse..."));
    captions_[0]->setText(tr("An amount &changed by more than:"));
    captions_[1]->setText(tr("and by at &least:"));
    captions_[2]->setText(tr("Banking days before the pay &date:"));
    captions_[3]->setText(tr("&Holiday list:"));
    thresholdPercent_->setAccessibleDescription(
        tr("An account's amount that changed by more than this part of the earlier file's is named"));
    thresholdMinimum_->setAccessibleDescription(tr("and only when it changed by at least this amount"));
    leadDays_->setAccessibleDescription(
        tr("Fewer banking days than this from today to the pay date are named; 0 turns this off"));
    holidayFile_->setAccessibleName(tr("Holiday list"));
    holidayFile_->setAccessibleDescription(
        tr("A text file with one date and name a line: YYYY-MM-DD name; empty for none"));
    browse_->setAccessibleDescription(tr("Chooses the holiday list"));
    holidayNote_->setAccessibleName(tr("Holiday list note"));
    holidayNote_->setAccessibleDescription(tr("Says when there is no file at the holiday list's path"));
    showHolidayNote();
}

void AdvisorySettingsDialog::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QDialog::changeEvent(event);
}

void AdvisorySettingsDialog::browseHolidays() {
    const QFileInfo current(holidayFile_->text());
    const QString path =
        FileDialog::getOpenFileName(this, tr("Text Files (*.txt);;All Files (*)"),
                                    holidayFile_->text().isEmpty() ? QString() : current.absolutePath());
    if (!path.isEmpty())
        holidayFile_->setText(QDir::toNativeSeparators(path));
}

void AdvisorySettingsDialog::showHolidayNote() {
    const QString path = holidayFile_->text().trimmed();
    const bool missing = !path.isEmpty() && !QFileInfo(path).isFile();
    holidayNote_->setText(
        missing ? tr("There is no file at this path: the checks run without a holiday list.") : QString());
    holidayNote_->setVisible(missing);
}

void AdvisorySettingsDialog::accept() {
    SaveAdvisoryOptions({thresholdPercent_->value(), std::llround(thresholdMinimum_->value() * 100),
                         leadDays_->value(), holidayFile_->text().trimmed()});
    QDialog::accept();
}

} // namespace qrv::gui
