// The window and quilbrix-batch on the same inputs and settings: the
// sample level through the window's buttons and through the program, the
// four files compared byte for byte.

#include "export/save.h"
#include "window/application.h"
#include "window/form1.h"
#include "window/spin_edit.h"
#include "window_harness.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace quilbrix;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

} // namespace

class BatchEqualityTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void sameFilesFromBothPrograms_data();
    void sameFilesFromBothPrograms();

private:
    QAbstractButton* buttonOf(const QString& step);

    std::unique_ptr<WindowHarness> window_;
};

void BatchEqualityTest::init()
{
    window_ = std::make_unique<WindowHarness>();
    QVERIFY(window_->ready());
}

void BatchEqualityTest::cleanup()
{
    window_.reset();
}

// The window's button for each step name of --steps.
QAbstractButton* BatchEqualityTest::buttonOf(const QString& step)
{
    TForm1& form = window_->form();
    if (step == QLatin1String("cut-out"))
        return form.SpeedButton4;
    if (step == QLatin1String("four-greys"))
        return form.SpeedButton5;
    if (step == QLatin1String("mask"))
        return form.SpeedButton6;
    if (step == QLatin1String("real"))
        return form.SpeedButton8;
    if (step == QLatin1String("ti89"))
        return form.SpeedButton11;
    if (step == QLatin1String("ti92"))
        return form.SpeedButton12;
    if (step == QLatin1String("build"))
        return form.SpeedButton9;
    if (step == QLatin1String("save"))
        return form.SpeedButton10;
    return nullptr;
}

void BatchEqualityTest::sameFilesFromBothPrograms_data()
{
    QTest::addColumn<int>("tileSize");
    QTest::addColumn<QString>("steps");
    // Settings other than the start state's, as command-line options; each
    // row sets the same in the window's controls below.
    QTest::addColumn<bool>("otherSettings");

    const QString road = QStringLiteral("cut-out,four-greys,mask,build,save");
    QTest::newRow("8x8") << 8 << road << false;
    QTest::newRow("16x16") << 16 << road << false;
    QTest::newRow("32x32") << 32 << road << false;
    // A preview before the cut-out, which then compares against it; the
    // conversion twice; other thresholds, the white mask, no mirrors and
    // another base name.
    QTest::newRow("8x8 other road and settings")
        << 8 << QStringLiteral("ti92,cut-out,four-greys,four-greys,mask,real,build,save") << true;
}

void BatchEqualityTest::sameFilesFromBothPrograms()
{
    QFETCH(int, tileSize);
    QFETCH(QString, steps);
    QFETCH(bool, otherSettings);
    TForm1& form = window_->form();
    const QString samples = QStringLiteral(QUILBRIX_SAMPLES "/");

    // The window: the planes through the dialogs, the settings in the
    // controls, then the buttons in the order of the steps.
    window_->offerCopyOf(samples + QStringLiteral("sprites.bmp"));
    WindowHarness::click(form.SpeedButton1);
    window_->offerCopyOf(samples + QStringLiteral("background.bmp"));
    WindowHarness::click(form.SpeedButton2);
    window_->offerCopyOf(samples + QStringLiteral("full.bmp"));
    WindowHarness::click(form.SpeedButton3);
    QRadioButton* tileRadio = tileSize == 8 ? form.RadioButton1
        : tileSize == 16                    ? form.RadioButton2
                                            : form.RadioButton3;
    WindowHarness::click(tileRadio);
    QString baseName = QStringLiteral("Demo");
    QStringList settings;
    if (otherSettings) {
        form.CSpinEdit1->setValue(80);
        form.CSpinEdit2->setValue(250);
        form.CSpinEdit3->setValue(420);
        WindowHarness::click(form.RadioButton4); // "M. Blanc"
        WindowHarness::click(form.CheckBox3); // mirrors off
        baseName = QStringLiteral("Niv_é7");
        form.Edit6->setText(baseName);
        QVERIFY(!form.CheckBox3->isChecked());
        settings << QStringLiteral("--thresholds") << QStringLiteral("80,250,420") << QStringLiteral("--mask")
                 << QStringLiteral("white") << QStringLiteral("--mirror") << QStringLiteral("off")
                 << QStringLiteral("--base-name") << baseName;
    }
    for (const QString& step : steps.split(u',')) {
        QAbstractButton* button = buttonOf(step);
        QVERIFY2(button != nullptr, qPrintable(step));
        WindowHarness::click(button);
    }
    QCOMPARE(window_->boxes.size(), std::size_t { 1 });
    QCOMPARE(window_->boxes[0].icon, QMessageBox::Information);

    // The program, on the samples themselves, into a folder of its own.
    QTemporaryDir output;
    QVERIFY(output.isValid());
    QProcess batch;
    batch.setProcessChannelMode(QProcess::SeparateChannels);
    batch.start(QStringLiteral(QUILBRIX_BATCH),
        QStringList { QStringLiteral("--sprites"), samples + QStringLiteral("sprites.bmp"),
            QStringLiteral("--background"), samples + QStringLiteral("background.bmp"),
            QStringLiteral("--full"), samples + QStringLiteral("full.bmp"), QStringLiteral("--tile-size"),
            QString::number(tileSize), QStringLiteral("--steps"), steps, QStringLiteral("--output-folder"),
            output.path(), QStringLiteral("--quiet") }
            + settings);
    QVERIFY(batch.waitForFinished(60000));
    QCOMPARE(batch.exitStatus(), QProcess::NormalExit);
    QVERIFY2(batch.exitCode() == 0, batch.readAllStandardError().constData());
    QCOMPARE(batch.readAllStandardOutput(), QByteArray());

    for (const std::string& name : levelFileNames(baseName.toStdString())) {
        const QString file = QString::fromStdString(name);
        const QByteArray fromWindow = readAll(window_->path(file));
        const QByteArray fromBatch = readAll(QDir(output.path()).filePath(file));
        QVERIFY2(!fromWindow.isEmpty(), qPrintable(file));
        QVERIFY2(fromWindow == fromBatch, qPrintable(file));
    }
    QCOMPARE(QDir(output.path()).entryList(QDir::Files).size(), 4);
}

int main(int argc, char** argv)
{
    Application application(argc, argv);
    application.setAttribute(Qt::AA_Use96Dpi, true);
    BatchEqualityTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "batch_equality_test.moc"
