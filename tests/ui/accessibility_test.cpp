// The windows as a screen reader reads them: through Qt's accessibility
// interfaces, the way the platform's bridge walks them.
#include "tests/ui/recording_dialogs.h"
#include "tests/ui/window_parts.h"
#include "ui/FrmEdit.h"
#include "ui/MDIForm1.h"
#include "ui/application.h"
#include "ui/frmSelFile.h"
#include "ui/frmSendData.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using namespace qrv;
using namespace qrv::gui;
using namespace qrv::test;

namespace {

// What a user acts on or reads a value from; these need a name.
bool IsControl(const QAccessibleInterface& node) {
    switch (node.role()) {
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::SpinBox:
        return true;
    default:
        return node.state().focusable && !node.state().invisible;
    }
}

// Every control under `node`; the items of lists and tables are their own.
void CollectControls(QAccessibleInterface* node, QList<QAccessibleInterface*>& controls) {
    if (IsControl(*node))
        controls << node;
    const QAccessible::Role role = node->role();
    if (role == QAccessible::List || role == QAccessible::Table || role == QAccessible::Tree)
        return;
    for (int i = 0; i < node->childCount(); ++i)
        if (QAccessibleInterface* child = node->child(i))
            CollectControls(child, controls);
}

QString Describe(const QAccessibleInterface& node) {
    return QStringLiteral("%1 (%2, role %3)")
        .arg(node.object() ? node.object()->objectName() : QString(),
             node.object() ? QString::fromLatin1(node.object()->metaObject()->className()) : QString())
        .arg(node.role());
}

QAccessibleInterface* Accessible(QObject* object) {
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(object);
    if (!node)
        qFatal("no accessible interface for %s", qPrintable(object->objectName()));
    return node;
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir dir_;
    std::unique_ptr<RecordingDialogs> dialogs_;
    std::unique_ptr<MDIForm1> main_;

    // A check of a copy of the sample `name` in 100 M.
    FrmEdit* checkSample(const QString& name) {
        const QString media = dir_.filePath(name);
        QFile::remove(media);
        if (!QFile::copy(QRV_SAMPLES_DIR "/" + name, media))
            return nullptr;
        main_->openChooser(Format::M100, media);
        EditData(*SelFile(*main_))->click();
        return main_->findResultWindow();
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        SetUpApplication();
        QVERIFY(dir_.isValid());
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir_.path()));
    }

    void init() {
        StartWithoutJournal();
        dialogs_ = std::make_unique<RecordingDialogs>();
        main_ = std::make_unique<MDIForm1>();
        main_->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(main_.get()));
    }

    void cleanup() {
        main_.reset();
        dialogs_.reset();
    }

    void everyControlHasANameAndDescription_data() {
        QTest::addColumn<QString>("window");
        for (const char* window :
             {"MDIForm1", "frmSelFile", "FrmEdit", "frmSendData", "Advisories", "AdvisorySettings"})
            QTest::newRow(window) << QString::fromLatin1(window);
    }

    // Each window of a month end, with every window open and the advisory settings.
    void everyControlHasANameAndDescription() {
        QFETCH(QString, window);
        FrmEdit* result = checkSample(QStringLiteral("100m-rejected.txt"));
        QVERIFY(result);
        PrintSendData(*result)->click();
        QVERIFY(main_->findCoveringLetter());
        SelFile(*main_)->show();
        // The sample's pay date is past: the advisories window is open too.
        QVERIFY(main_->findAdvisories());
        main_->findChild<QAction*>("AdvisorySettings")->trigger();
        QWidget* shown = window == main_->objectName() ? main_.get() : main_->findChild<QWidget*>(window);
        QVERIFY(shown);
        QList<QAccessibleInterface*> controls;
        CollectControls(Accessible(shown), controls);
        QVERIFY(!controls.isEmpty());
        for (const QAccessibleInterface* control : controls) {
            QVERIFY2(!control->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(Describe(*control)));
            // Qt's own controls inside the window frames (menus, the child
            // windows' title buttons) are named but not described.
            if (!control->object() || control->object()->objectName().isEmpty())
                continue;
            QVERIFY2(!control->text(QAccessible::Description).trimmed().isEmpty(),
                     qPrintable(Describe(*control)));
        }
    }

    // The control record's fields by their captions, which label them; none
    // of the result window's fields can be typed into.
    void resultFieldsAreNamedByTheirCaptionsAndReadOnly() {
        FrmEdit& result = main_->openResultWindow();
        QSet<QString> names;
        for (const LabelCaption& caption : kLabelCaptions) {
            const auto* label = result.findChild<QLabel*>(QString::fromLatin1(caption.name));
            QLineEdit* field = ValueField(result, caption.value);
            QCOMPARE(label->buddy(), field);
            QAccessibleInterface* node = Accessible(field);
            const QString name = node->text(QAccessible::Name);
            QVERIFY2(label->text().startsWith(name + QLatin1Char(' ')), qPrintable(name));
            if (field->parentWidget()->objectName() == QLatin1String("Frame2"))
                names << name;
        }
        QCOMPARE(names.size(), 9);
        for (const Label label : kAllLabels) {
            const QAccessible::State state = Accessible(ValueField(result, label))->state();
            QVERIFY2(state.readOnly && !state.editable, LabelName(label).data());
        }
        QCOMPARE(Accessible(ListView1(result))->text(QAccessible::Name), "Detail Record Error");
    }

    // The chooser's path box is named by its caption, and can be typed into.
    void pathBoxIsNamedAndEditable() {
        main_->openChooser(Format::M10, QString());
        QAccessibleInterface* box = Accessible(Txtfile(*SelFile(*main_)));
        QCOMPARE(box->text(QAccessible::Name), "Input File");
        QVERIFY(box->state().editable && !box->state().readOnly);
    }

    // Each run's verdict becomes the description of the named verdict line,
    // whose change Qt passes on to the screen reader.
    void verdictIsTheVerdictLinesDescription() {
        QLabel* verdict = VerdictLine(*main_);
        QAccessibleInterface* node = Accessible(verdict);
        QCOMPARE(node->text(QAccessible::Name), "Verdict");
        for (const char* sample : {"100m-bad-control.txt", "100m-rejected.txt"}) {
            QVERIFY(checkSample(QString::fromLatin1(sample)));
            QVERIFY(verdict->text().startsWith(QString::fromLatin1(sample)));
            QCOMPARE(node->text(QAccessible::Description), verdict->text());
        }
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
