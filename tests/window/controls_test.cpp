// The window's building blocks on their own: the error display's text
// rules, the picture view, the bar gauge, the spin box, the picture dialog
// and the program's pictures.

#include "state/surface.h"
#include "window/application.h"
#include "window/artwork.h"
#include "window/gauge.h"
#include "window/picture_dialog.h"
#include "window/picture_view.h"
#include "window/spin_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <random>

using namespace quilbrix;

namespace {

// A SpinEdit whose protected events the tests can send directly.
struct SpinUnderTest : SpinEdit {
    using SpinEdit::wheelEvent;
};

QPoint arrowCentre(SpinEdit& spin, QStyle::SubControl arrow)
{
    QStyleOptionSpinBox option;
    option.initFrom(&spin);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.buttonSymbols = spin.buttonSymbols();
    option.frame = spin.hasFrame();
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    return spin.style()->subControlRect(QStyle::CC_SpinBox, &option, arrow, &spin).center();
}

bool isGrey(QRgb c)
{
    const QRgb rgb = c & 0xFFFFFFu;
    return rgb == 0x000000u || rgb == 0x808080u || rgb == 0xC0C0C0u || rgb == 0xFFFFFFu;
}

} // namespace

class ControlsTest : public QObject {
    Q_OBJECT
private slots:
    void fullStop_data();
    void fullStop();
    void title_data();
    void title();

    void toImageSwapsRedAndBlue();
    void pictureViewShowsSurfaceUnscaled();
    void pictureViewPaintsNothingBeyondItsSurface();
    void pictureViewCreatesNoSurface();

    void gaugeFill_data();
    void gaugeFill();
    void gaugeTextIsInverted();

    void spinStepsByOneWithKeys();
    void spinStopsAtItsBounds();
    void spinArrowsStepByOne();
    void spinRefusesTypingPastingPagingAndWheel();
    void spinRepeatTiming();

    void dialogCancelChangesNothing();
    void dialogAcceptRemembersNameAndMovesCurrentFolder();
    void realDialogPreviewShowsPictureSize();

    void artworkSizesAndGreys();

private:
    QString startFolder_ = QDir::currentPath();
};

void ControlsTest::fullStop_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letter") << "Image bitmap incorrecte"
                            << "Image bitmap incorrecte.";
    QTest::newRow("closing parenthesis 0x29") << "inconnue (.txt)"
                                              << "inconnue (.txt)";
    QTest::newRow("full stop itself") << "Fin."
                                      << "Fin.";
    QTest::newRow("hyphen 0x2D") << "a-"
                                 << "a-";
    QTest::newRow("slash 0x2F") << "dossier/"
                                << "dossier/.";
    QTest::newRow("digit") << "fichier 2"
                           << "fichier 2.";
    QTest::newRow("blank") << "a "
                           << "a ";
    QTest::newRow("accented letter") << "arrière"
                                     << "arrière.";
    QTest::newRow("empty") << ""
                           << "";
}

void ControlsTest::fullStop()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(withFullStop(message), shown);
}

void ControlsTest::title_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("title");
    QTest::newRow("program") << "Quilbrix"
                             << "Quilbrix";
    QTest::newRow("capitals with extension") << "QUILBRIX.EXE"
                                             << "Quilbrix";
    QTest::newRow("first letter kept") << "quilbrix"
                                       << "quilbrix";
    QTest::newRow("up to the first dot") << "Quil.Brix.exe"
                                         << "Quil";
    QTest::newRow("one letter") << "Q"
                                << "Q";
    QTest::newRow("empty") << ""
                           << "";
}

void ControlsTest::title()
{
    QFETCH(QString, fileName);
    QFETCH(QString, title);
    QCOMPARE(titleFromProgramFile(fileName), title);
}

void ControlsTest::toImageSwapsRedAndBlue()
{
    Surface surface(4, 2, White);
    surface.setPixel(0, 0, Red);
    surface.setPixel(1, 0, Blue);
    surface.setPixel(2, 0, Green);
    surface.setPixel(3, 1, rgb(0x12, 0x34, 0x56));
    const QImage whole = toImage(surface, QRect(0, 0, 4, 2));
    QCOMPARE(whole.size(), QSize(4, 2));
    QCOMPARE(whole.pixel(0, 0), qRgb(255, 0, 0));
    QCOMPARE(whole.pixel(1, 0), qRgb(0, 0, 255));
    QCOMPARE(whole.pixel(2, 0), qRgb(0, 0x80, 0));
    QCOMPARE(whole.pixel(3, 1), qRgb(0x12, 0x34, 0x56));
    // A part reaching outside is cut to the surface.
    const QImage part = toImage(surface, QRect(3, 1, 10, 10));
    QCOMPARE(part.size(), QSize(1, 1));
    QCOMPARE(part.pixel(0, 0), qRgb(0x12, 0x34, 0x56));
}

void ControlsTest::pictureViewShowsSurfaceUnscaled()
{
    // Random pixels, a displayed size smaller than the surface: the view
    // shows exactly the top-left part, pixel for pixel.
    PictureControl control(40, 30, false);
    Surface& surface = control.surface();
    std::mt19937 random(7);
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            surface.setPixel(x, y, random() & 0xFFFFFF);
    control.setSize(25, 12);
    PictureView view(control);
    view.refresh();
    QCOMPARE(view.size(), QSize(25, 12));
    const QImage shown = view.grab().toImage();
    QCOMPARE(shown.size(), QSize(25, 12));
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 25; ++x) {
            const Colour c = surface.pixel(x, y);
            QCOMPARE(shown.pixel(x, y) & 0xFFFFFFu, qRgb(red(c), green(c), blue(c)) & 0xFFFFFFu);
        }
}

void ControlsTest::pictureViewPaintsNothingBeyondItsSurface()
{
    // A 10 × 8 surface shown at 30 × 20 over a magenta ground: the ground
    // shows right of and below the surface.
    PictureControl control(10, 8, false);
    control.surface();
    control.setSize(30, 20);
    QWidget ground;
    ground.resize(40, 30);
    QPalette colours = ground.palette();
    colours.setColor(QPalette::Window, QColor(255, 0, 255));
    ground.setPalette(colours);
    ground.setAutoFillBackground(true);
    auto* view = new PictureView(control, &ground);
    view->refresh();
    const QImage shown = ground.grab().toImage();
    QCOMPARE(shown.pixel(0, 0) & 0xFFFFFFu, 0xFFFFFFu);
    QCOMPARE(shown.pixel(9, 7) & 0xFFFFFFu, 0xFFFFFFu);
    QCOMPARE(shown.pixel(10, 0) & 0xFFFFFFu, 0xFF00FFu);
    QCOMPARE(shown.pixel(0, 8) & 0xFFFFFFu, 0xFF00FFu);
    QCOMPARE(shown.pixel(29, 19) & 0xFFFFFFu, 0xFF00FFu);
}

void ControlsTest::pictureViewCreatesNoSurface()
{
    PictureControl control(105, 105, true);
    PictureView view(control);
    view.grab();
    QVERIFY(!control.hasPicture());
    QCOMPARE(view.size(), QSize(105, 105));
}

void ControlsTest::gaugeFill_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("shown");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("37") << 37 << 37;
    QTest::newRow("50") << 50 << 50;
    QTest::newRow("100") << 100 << 100;
    QTest::newRow("150 shows 100") << 150 << 100;
    QTest::newRow("-5 shows 0") << -5 << 0;
}

void ControlsTest::gaugeFill()
{
    QFETCH(int, set);
    QFETCH(int, shown);
    BarGauge gauge;
    gauge.resize(257, 17);
    gauge.setProgress(set);
    QCOMPARE(gauge.progress(), shown);
    const QImage image = gauge.grab().toImage();
    // The border, then along the top inside row (above the text) black
    // for the filled share of the 255 inside columns, white after it.
    QCOMPARE(image.pixel(0, 0) & 0xFFFFFFu, 0u);
    QCOMPARE(image.pixel(256, 16) & 0xFFFFFFu, 0u);
    const int filled = 255 * shown / 100;
    for (int x = 1; x < 256; ++x) {
        const QRgb expected = x - 1 < filled ? 0x000000u : 0xFFFFFFu;
        QCOMPARE(image.pixel(x, 1) & 0xFFFFFFu, expected);
    }
}

void ControlsTest::gaugeTextIsInverted()
{
    // At 50 % the text "50%" straddles the bar's end: over the bar some of
    // its pixels are light, over the ground some are dark.
    BarGauge gauge;
    gauge.resize(257, 17);
    gauge.setProgress(50);
    const QImage image = gauge.grab().toImage();
    const int end = 1 + 255 * 50 / 100;
    int lightOverBar = 0;
    int darkOverGround = 0;
    for (int y = 2; y < 15; ++y)
        for (int x = 100; x < 160; ++x) {
            const int level = qGray(image.pixel(x, y));
            if (x < end && level > 128)
                ++lightOverBar;
            if (x >= end && level < 128)
                ++darkOverGround;
        }
    QVERIFY(lightOverBar > 5);
    QVERIFY(darkOverGround > 5);
    QCOMPARE(gauge.font().pixelSize(), 13);
    QVERIFY(gauge.font().bold());
}

void ControlsTest::spinStepsByOneWithKeys()
{
    SpinEdit spin;
    QCOMPARE(spin.minimum(), 0);
    QCOMPARE(spin.maximum(), 1023);
    spin.setValue(300);
    QTest::keyClick(&spin, Qt::Key_Up);
    QCOMPARE(spin.value(), 301);
    QTest::keyClick(&spin, Qt::Key_Down);
    QTest::keyClick(&spin, Qt::Key_Down);
    QCOMPARE(spin.value(), 299);
}

void ControlsTest::spinStopsAtItsBounds()
{
    SpinEdit spin;
    spin.setValue(1023);
    QTest::keyClick(&spin, Qt::Key_Up);
    QCOMPARE(spin.value(), 1023);
    spin.setValue(0);
    QTest::keyClick(&spin, Qt::Key_Down);
    QCOMPARE(spin.value(), 0);
    spin.setValue(5000);
    QCOMPARE(spin.value(), 1023);
}

void ControlsTest::spinArrowsStepByOne()
{
    SpinEdit spin;
    spin.resize(97, 22);
    spin.show();
    QVERIFY(QTest::qWaitForWindowExposed(&spin));
    spin.setValue(1022);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, arrowCentre(spin, QStyle::SC_SpinBoxUp));
    QCOMPARE(spin.value(), 1023);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, arrowCentre(spin, QStyle::SC_SpinBoxUp));
    QCOMPARE(spin.value(), 1023);
    spin.setValue(1);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, arrowCentre(spin, QStyle::SC_SpinBoxDown));
    QCOMPARE(spin.value(), 0);
    QTest::mouseClick(&spin, Qt::LeftButton, {}, arrowCentre(spin, QStyle::SC_SpinBoxDown));
    QCOMPARE(spin.value(), 0);
}

void ControlsTest::spinRefusesTypingPastingPagingAndWheel()
{
    SpinUnderTest spin;
    spin.show();
    QVERIFY(QTest::qWaitForWindowExposed(&spin));
    spin.setValue(170);
    QTest::keyClicks(&spin, QStringLiteral("9"));
    QTest::keyClick(&spin, Qt::Key_Backspace);
    QTest::keyClick(&spin, Qt::Key_PageUp);
    QTest::keyClick(&spin, Qt::Key_PageDown);
    QTest::keyClick(&spin, Qt::Key_Home);
    QTest::keyClick(&spin, Qt::Key_End);
    QCOMPARE(spin.value(), 170);
    QVERIFY(spin.findChild<QLineEdit*>()->isReadOnly());

    QGuiApplication::clipboard()->setText(QStringLiteral("55"));
    QTest::keyClick(&spin, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(spin.findChild<QLineEdit*>(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(spin.value(), 170);
    QCOMPARE(spin.text(), QStringLiteral("170"));

    QWheelEvent wheel(QPointF(5, 5), spin.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    spin.wheelEvent(&wheel);
    QCOMPARE(spin.value(), 170);
}

void ControlsTest::spinRepeatTiming()
{
    SpinEdit spin;
    QCOMPARE(spin.style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatThreshold, nullptr, &spin), 400);
    QCOMPARE(spin.style()->styleHint(QStyle::SH_SpinBox_ClickAutoRepeatRate, nullptr, &spin), 100);
}

void ControlsTest::dialogCancelChangesNothing()
{
    PictureDialog dialog;
    int asked = 0;
    dialog.setChooser([&](QWidget*, const QString& selected, const QString& filter) {
        ++asked;
        [&] {
            QVERIFY(selected.isEmpty());
            QCOMPARE(filter, QStringLiteral("Bitmaps (*.bmp)"));
        }();
        return QString();
    });
    QVERIFY(!dialog.execute(nullptr));
    QCOMPARE(asked, 1);
    QVERIFY(dialog.fileName().isEmpty());
    QCOMPARE(QDir::currentPath(), startFolder_);
}

void ControlsTest::dialogAcceptRemembersNameAndMovesCurrentFolder()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    QDir(folder.path()).mkdir(QStringLiteral("niveau"));
    const QString first = QDir(folder.path()).filePath(QStringLiteral("niveau/sprites.bmp"));
    const QString second = QDir(folder.path()).filePath(QStringLiteral("fond.bmp"));

    PictureDialog dialog;
    QStringList offered;
    QString answer = first;
    dialog.setChooser([&](QWidget*, const QString& selected, const QString&) {
        offered << selected;
        return answer;
    });
    // The file need not exist: the name is kept and the folder moved all
    // the same.
    QVERIFY(dialog.execute(nullptr));
    QCOMPARE(dialog.fileName(), first);
    QCOMPARE(QDir::currentPath(), QFileInfo(first).absolutePath());

    answer = second;
    QVERIFY(dialog.execute(nullptr));
    QCOMPARE(dialog.fileName(), second);
    QCOMPARE(QDir::currentPath(), QDir(folder.path()).absolutePath());

    // Cancelling keeps the last accepted name, which is offered again.
    answer.clear();
    QVERIFY(!dialog.execute(nullptr));
    QCOMPARE(dialog.fileName(), second);
    QCOMPARE(offered, QStringList({ QString(), first, second }));
    QDir::setCurrent(startFolder_);
}

void ControlsTest::realDialogPreviewShowsPictureSize()
{
    // The real dialog, answered from a timer: the preview names the size of
    // the preselected picture, and accepting returns its path.
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = QDir(folder.path()).filePath(QStringLiteral("plan.bmp"));
    QImage picture(12, 7, QImage::Format_RGB32);
    picture.fill(qRgb(0x80, 0x80, 0x80));
    QVERIFY(picture.save(path, "BMP"));

    QStringList captions;
    bool sawPreviewButton = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            captions << label->text();
        for (const QToolButton* button : dialog->findChildren<QToolButton*>())
            sawPreviewButton = sawPreviewButton || button->toolTip() == QStringLiteral("Prévisualiser");
        static_cast<QDialog*>(dialog)->accept();
    });
    const QString chosen = choosePictureFile(nullptr, path, QString::fromUtf16(PictureFilter));
    QCOMPARE(QFileInfo(chosen).canonicalFilePath(), QFileInfo(path).canonicalFilePath());
    QVERIFY2(captions.contains(QStringLiteral(" (12x7)")), qPrintable(captions.join(u'|')));
    QVERIFY(sawPreviewButton);

    // A file that is no picture: "Image :".
    const QString text = QDir(folder.path()).filePath(QStringLiteral("notes.bmp"));
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("pas une image");
    file.close();
    captions.clear();
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        for (const QLabel* label : dialog->findChildren<QLabel*>())
            captions << label->text();
        dialog->reject();
    });
    QVERIFY(choosePictureFile(nullptr, text, QString::fromUtf16(PictureFilter)).isEmpty());
    QVERIFY2(captions.contains(QStringLiteral("Image :")), qPrintable(captions.join(u'|')));
}

void ControlsTest::artworkSizesAndGreys()
{
    struct Case {
        QImage image;
        QSize size;
    };
    const Case cases[] = {
        { programIcon(), QSize(32, 32) },
        { saveGlyph(), QSize(32, 32) },
        { decorativePicture(), QSize(80, 76) },
        { previewGlyph(), QSize(16, 16) },
    };
    for (const Case& c : cases) {
        QCOMPARE(c.image.size(), c.size);
        int opaque = 0;
        for (int y = 0; y < c.image.height(); ++y)
            for (int x = 0; x < c.image.width(); ++x) {
                const QRgb pixel = c.image.pixel(x, y);
                if (qAlpha(pixel) == 0)
                    continue;
                ++opaque;
                QVERIFY2(isGrey(pixel), qPrintable(QString::number(pixel, 16)));
            }
        // A drawing, not a blank: at least a third of it is painted.
        QVERIFY(opaque * 3 >= c.size.width() * c.size.height());
    }
    QCOMPARE(decorativePicture().depth(), 24);
}

QTEST_MAIN(ControlsTest)
#include "controls_test.moc"
