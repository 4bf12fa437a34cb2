// The road of one level from the window, to its end: the pixel commands
// and the save bound to their buttons, on the sample level the project
// ships, with the four files compared against the expected files kept
// beside this test.

#include "export/level_decode.h"
#include "state/colour.h"
#include "window/application.h"
#include "window/form1.h"
#include "window/message_box.h"
#include "window_harness.h"

#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>
#include <vector>

using namespace quilbrix;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

std::vector<std::uint8_t> bytesOf(const QByteArray& data)
{
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

const QStringList LevelFiles = { QStringLiteral("Demo1.lvl"), QStringLiteral("Demo2.lvl"),
    QStringLiteral("Demo1.bin"), QStringLiteral("Demo2.bin") };

} // namespace

class RoadTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void saveWritesWhereThePictureWasChosen();
    void saveBeforeAnyBuildWritesNothing();
    void pixelCommandsChangeThePlanes();
    void wholeRoadOnTheSampleLevel_data();
    void wholeRoadOnTheSampleLevel();

private:
    QString path(const QString& name) const { return window_->path(name); }
    static void click(QAbstractButton* button) { WindowHarness::click(button); }
    // Has the next dialog accept a copy of a sample plane in the test's folder.
    QString offerSample(const QString& name)
    {
        return window_->offerCopyOf(QStringLiteral(QUILBRIX_SAMPLES "/") + name);
    }
    void loadSampleLevel();

    std::unique_ptr<WindowHarness> window_;
};

void RoadTest::init()
{
    window_ = std::make_unique<WindowHarness>();
    QVERIFY(window_->ready());
}

void RoadTest::cleanup()
{
    window_.reset();
}

void RoadTest::loadSampleLevel()
{
    TForm1& form = window_->form();
    offerSample(QStringLiteral("sprites.bmp"));
    click(form.SpeedButton1);
    offerSample(QStringLiteral("background.bmp"));
    click(form.SpeedButton2);
    offerSample(QStringLiteral("full.bmp"));
    click(form.SpeedButton3);
    QVERIFY(window_->boxes.empty());
}

void RoadTest::saveWritesWhereThePictureWasChosen()
{
    TForm1& form = window_->form();
    const QString sprites = offerSample(QStringLiteral("sprites.bmp"));
    click(form.SpeedButton1);
    // The current folder is the folder of the picture last chosen.
    QCOMPARE(QDir::currentPath(), QDir(window_->folder()).canonicalPath());
    click(form.SpeedButton9);
    click(form.SpeedButton10);

    QCOMPARE(window_->boxes.size(), std::size_t { 1 });
    QCOMPARE(window_->boxes[0].icon, QMessageBox::Information);
    QCOMPARE(window_->boxes[0].title, applicationTitle());
    QCOMPARE(
        window_->boxes[0].text, QStringLiteral("Les fichiers ont été enregistrés avec l'image : ") + sprites);
    for (const QString& name : LevelFiles)
        QVERIFY2(QFile::exists(path(name)), qPrintable(name));

    // The sprite files hold the build: the map of the plane's cells, and
    // its tiles, which decode back to the plane (never loaded here, the
    // background is the blank 105 × 105 plane: 6 × 6 cells of one tile).
    const WorkingState& state = form.state();
    const QByteArray map = readAll(path(QStringLiteral("Demo1.lvl")));
    QCOMPARE(map.size(), 2 * state.SpriteMap->cols * state.SpriteMap->rows);
    QCOMPARE(readAll(path(QStringLiteral("Demo2.lvl"))).size(), 2 * 6 * 6);
    QCOMPARE(readAll(path(QStringLiteral("Demo2.bin"))).size(), 64);
    const Surface decoded = decodePlane(bytesOf(map), bytesOf(readAll(path(QStringLiteral("Demo1.bin")))),
        state.SpriteMap->cols, state.SpriteMap->rows, 16);
    QCOMPARE(decoded.width(), state.SpriteMap->cols * 16);
}

void RoadTest::saveBeforeAnyBuildWritesNothing()
{
    TForm1& form = window_->form();
    offerSample(QStringLiteral("sprites.bmp"));
    click(form.SpeedButton1);
    click(form.SpeedButton10);
    QCOMPARE(window_->boxes.size(), std::size_t { 1 });
    QCOMPARE(window_->boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(window_->boxes[0].text, QStringLiteral("'N/A' n'est pas une valeur entière correcte."));
    for (const QString& name : LevelFiles)
        QVERIFY(!QFile::exists(path(name)));
}

// Each pixel command reaches its core command from its button: after the
// road's first three commands the sprite plane holds only the four greys
// (the mask among them), and each preview paints the full plane.
void RoadTest::pixelCommandsChangeThePlanes()
{
    TForm1& form = window_->form();
    loadSampleLevel();
    WorkingState& state = form.state();
    const Surface loaded = state.Image1.surface();

    click(form.SpeedButton4); // cut-out
    const Surface cut = state.Image1.surface();
    bool marked = false;
    for (int y = 0; y < cut.height(); ++y)
        for (int x = 0; x < cut.width(); ++x)
            marked |= cut.pixel(x, y) == TransparentKey && loaded.pixel(x, y) != TransparentKey;
    QVERIFY(marked);

    click(form.SpeedButton5); // four greys
    click(form.SpeedButton6); // mask, "M. Noir"
    const Surface& sprite = state.Image1.surface();
    for (int y = 0; y < sprite.height(); ++y)
        for (int x = 0; x < sprite.width(); ++x) {
            const Colour c = sprite.pixel(x, y);
            QVERIFY(c == Black || c == DarkGrey || c == LightGrey || c == White);
        }

    const struct {
        QToolButton* button;
        Colour white;
    } previews[] = { { form.SpeedButton8, White }, { form.SpeedButton11, 0xCFE0CC },
        { form.SpeedButton12, 0xADC6A8 } };
    for (const auto& preview : previews) {
        click(preview.button);
        // The background's White shows through the sprite plane's mask.
        bool seen = false;
        const Surface& full = state.Image3.surface();
        for (int y = 0; y < full.height() && !seen; ++y)
            for (int x = 0; x < full.width() && !seen; ++x)
                seen = full.pixel(x, y) == preview.white;
        QVERIFY(seen);
    }
    QCOMPARE(state.CGauge1.value(), 0);
    QVERIFY(window_->boxes.empty());
}

void RoadTest::wholeRoadOnTheSampleLevel_data()
{
    QTest::addColumn<QString>("radio");
    QTest::addColumn<QString>("expected");
    QTest::newRow("8x8") << QStringLiteral("RadioButton1") << QStringLiteral("8");
    QTest::newRow("16x16") << QStringLiteral("RadioButton2") << QStringLiteral("16");
    QTest::newRow("32x32") << QStringLiteral("RadioButton3") << QStringLiteral("32");
}

// The road in the README's order, to the files. The expected files were
// written by this road and checked by decoding them back to the planes;
// setting QUILBRIX_WRITE_EXPECTED=1 writes them again.
void RoadTest::wholeRoadOnTheSampleLevel()
{
    QFETCH(QString, radio);
    QFETCH(QString, expected);
    TForm1& form = window_->form();
    auto* tileSize = form.findChild<QRadioButton*>(radio);
    QVERIFY(tileSize != nullptr);

    loadSampleLevel();
    click(form.SpeedButton4);
    click(form.SpeedButton5);
    click(form.SpeedButton6);
    click(form.SpeedButton11);
    click(tileSize);
    click(form.SpeedButton9);
    click(form.SpeedButton10);
    QCOMPARE(window_->boxes.size(), std::size_t { 1 });
    QCOMPARE(window_->boxes[0].icon, QMessageBox::Information);

    const QDir expectedFolder(QStringLiteral(QUILBRIX_FIXTURES "/road/") + expected);
    const bool rewrite = qEnvironmentVariableIntValue("QUILBRIX_WRITE_EXPECTED") == 1;
    for (const QString& name : LevelFiles) {
        const QByteArray written = readAll(path(name));
        if (rewrite) {
            QDir().mkpath(expectedFolder.path());
            QFile out(expectedFolder.filePath(name));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(written);
            continue;
        }
        const QByteArray wanted = readAll(expectedFolder.filePath(name));
        QVERIFY2(!wanted.isEmpty(), qPrintable(expectedFolder.filePath(name)));
        QVERIFY2(written == wanted, qPrintable(name));
    }

    // What the calculator will draw is the planes as the road left them.
    const WorkingState& state = form.state();
    const int t = expected.toInt();
    const struct {
        const Map& map;
        const Surface& plane;
        QString mapFile, tileFile;
    } planes[] = { { *state.SpriteMap, state.Image1.picture()[0], LevelFiles[0], LevelFiles[2] },
        { *state.BackgroundMap, state.Image2.picture()[0], LevelFiles[1], LevelFiles[3] } };
    for (const auto& p : planes) {
        const Surface decoded = decodePlane(
            bytesOf(readAll(path(p.mapFile))), bytesOf(readAll(path(p.tileFile))), p.map.cols, p.map.rows, t);
        for (int y = 0; y < decoded.height(); ++y)
            for (int x = 0; x < decoded.width(); ++x)
                QCOMPARE(decoded.pixel(x, y), p.plane.pixel(x, y));
    }
}

int main(int argc, char** argv)
{
    Application application(argc, argv);
    application.setAttribute(Qt::AA_Use96Dpi, true);
    RoadTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "road_test.moc"
