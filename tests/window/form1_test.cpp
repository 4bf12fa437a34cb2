// The main window as a user meets it: every control where the layout puts
// it, in its start state, each handler reached by a click, the planes
// loaded through the dialogs' seam, the build shown, and errors shown once
// by the application object.

#include "state/error.h"
#include "window/application.h"
#include "window/form1.h"
#include "window/gauge.h"
#include "window/message_box.h"
#include "window/picture_view.h"
#include "window/spin_edit.h"
#include "window_harness.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>
#include <new>
#include <vector>

using namespace quilbrix;

namespace {

// Writes a picture as a BMP file with Qt's own writer, so the core's reader
// is checked against a file it did not make.
QString writeBmp(const QString& path, const QImage& image)
{
    if (!image.save(path, "BMP"))
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// A picture of cells of `side` pixels, each filled with colourOf(c, r).
QImage cellPicture(int cols, int rows, int side, const std::function<QRgb(int, int)>& colourOf)
{
    QImage image(cols * side, rows * side, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, colourOf(x / side, y / side));
    return image;
}

// An object whose event handler raises, as a command does.
class Thrower : public QObject {
public:
    std::function<void()> raise;
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User)
            raise();
        return QObject::event(event);
    }
};

} // namespace

class Form1Test : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void windowProperties();
    void startState();
    void geometry_data();
    void geometry();
    void picturesSitAtTheTopLeftOfTheirBoxes();
    void settingsAreReadFromTheControls();

    void loadersFillTheirPlanes_data();
    void loadersFillTheirPlanes();
    void cancelledLoadChangesNothing();
    void failingLoad_data();
    void failingLoad();

    void tileSizeRadios();
    void maskRadiosLeaveTheTileSizeAlone();
    void baseNameTakesSevenCharacters();
    void thresholdBoxesAreBounded();

    void buildShowsMapsStripsAndCounts();
    void gaugeRepaintsOnlyWhenItsPercentageChanges();
    void overflowBuildWarnsOnce();
    void closingReleasesTheMaps();

    void errorDisplayShowsOneStopBox_data();
    void errorDisplayShowsOneStopBox();

private:
    QString path(const QString& name) const { return window_->path(name); }
    void answer(const QString& fileName) { window_->answer(fileName); }
    static void click(QAbstractButton* button) { WindowHarness::click(button); }

    std::unique_ptr<WindowHarness> window_;
};

void Form1Test::init()
{
    window_ = std::make_unique<WindowHarness>();
    QVERIFY(window_->ready());
}

void Form1Test::cleanup()
{
    window_.reset();
}

void Form1Test::windowProperties()
{
    TForm1& form = window_->form();
    QCOMPARE(form.objectName(), QStringLiteral("Form1"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Quilbrix v3.0 Final Release"));
    QCOMPARE(form.size(), QSize(929, 545));
    QCOMPARE(form.minimumSize(), QSize(929, 545));
    QCOMPARE(form.maximumSize(), QSize(929, 545));
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!form.windowIcon().isNull());
    QCOMPARE(QFontInfo(form.font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(form.font().pixelSize(), 11);

    form.showMinimized();
    QTest::qWait(10);
    form.showNormal();
    QCOMPARE(form.size(), QSize(929, 545));
}

void Form1Test::startState()
{
    TForm1& form = window_->form();
    QVERIFY(!form.RadioButton1->isChecked());
    QVERIFY(form.RadioButton2->isChecked());
    QVERIFY(!form.RadioButton3->isChecked());
    QVERIFY(!form.RadioButton4->isChecked());
    QVERIFY(form.RadioButton5->isChecked());
    QVERIFY(form.CheckBox3->isChecked());
    QCOMPARE(form.Edit6->text(), QStringLiteral("Demo"));
    QCOMPARE(form.Edit6->maxLength(), 7);
    QCOMPARE(form.CSpinEdit1->value(), 100);
    QCOMPARE(form.CSpinEdit2->value(), 170);
    QCOMPARE(form.CSpinEdit3->value(), 300);
    for (QLabel* label : { form.Label4, form.Label5, form.Label7, form.Label8, form.Label15, form.Label16,
             form.Label23, form.Label26 })
        QCOMPARE(label->text(), QStringLiteral("N/A"));
    QCOMPARE(form.CGauge1->progress(), 0);
    QCOMPARE(form.state().TileSize, 16);
    QVERIFY(!form.state().SpriteMap && !form.state().BackgroundMap);
    for (PictureView* view :
        { form.Image1, form.Image2, form.Image3, form.Image5, form.Image6, form.Image8, form.Image9 })
        QVERIFY(!view->control().hasPicture());
    QVERIFY(form.OpenPictureDialog1->fileName().isEmpty());
    QVERIFY(form.OpenPictureDialog2->fileName().isEmpty());
    QVERIFY(form.OpenPictureDialog3->fileName().isEmpty());
    QVERIFY(!form.Image4->pixmap().isNull());
    QCOMPARE(form.Image4->pixmap().size(), QSize(80, 76));
    QCOMPARE(form.SpeedButton10->iconSize(), QSize(32, 32));
    QVERIFY(!form.SpeedButton10->icon().isNull());
    QVERIFY(!form.Panel2->text().isEmpty());
    QVERIFY(form.Label9->text().isEmpty());

    // The legend: read-only white boxes reading "000" in the flag colours.
    const struct {
        QLineEdit* box;
        QColor colour;
    } legend[] = {
        { form.Edit1, QColor(0, 0, 0) },
        { form.Edit2, QColor(255, 0, 0) },
        { form.Edit3, QColor(0, 0, 255) },
        { form.Edit4, QColor(0, 0x80, 0) },
    };
    for (const auto& line : legend) {
        QCOMPARE(line.box->text(), QStringLiteral("000"));
        QVERIFY(line.box->isReadOnly());
        QCOMPARE(line.box->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(line.box->palette().color(QPalette::Text), line.colour);
    }
    // The threshold boxes' colours.
    QCOMPARE(form.CSpinEdit1->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(form.CSpinEdit2->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
    QCOMPARE(form.CSpinEdit3->palette().color(QPalette::Base), QColor(0x80, 0x80, 0x80));
    QCOMPARE(form.CSpinEdit3->palette().color(QPalette::Text), QColor(Qt::white));

    // Flat buttons that never take the focus.
    for (QToolButton* button : form.findChildren<QToolButton*>(QRegularExpression("^SpeedButton"))) {
        QVERIFY(button->autoRaise());
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
}

void Form1Test::geometry_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("bounds");
    QTest::addColumn<QString>("caption");
    const auto row
        = [](const char* name, const char* parent, int x, int y, int w, int h, const QString& caption) {
              QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(parent)
                                  << QRect(x, y, w, h) << caption;
          };
    const QString none;
    // Command buttons.
    row("SpeedButton1", "Form1", 8, 8, 177, 25, "Charger le plan de sprites");
    row("SpeedButton2", "Form1", 208, 8, 177, 25, "Charger l'arrière-plan");
    row("SpeedButton3", "Form1", 408, 8, 321, 25, "Charger le plan complet");
    row("SpeedButton4", "GroupBox5", 8, 16, 169, 25, "Détourage des sprites");
    row("SpeedButton5", "GroupBox5", 8, 48, 169, 25, "Couleur -> NG4");
    row("SpeedButton6", "GroupBox3", 8, 48, 153, 33, "Application du masque virtuel");
    row("SpeedButton8", "GroupBox6", 16, 24, 41, 25, "Réel");
    row("SpeedButton11", "GroupBox6", 64, 24, 41, 25, "Ti89");
    row("SpeedButton12", "GroupBox6", 112, 24, 41, 25, "Ti92");
    row("SpeedButton9", "GroupBox9", 8, 48, 153, 25, "Création Cartes + Sprites");
    row("SpeedButton10", "GroupBox5", 8, 384, 169, 41, "  Sauvegarde");
    // Option controls.
    row("RadioButton1", "GroupBox9", 8, 24, 41, 17, "8x8");
    row("RadioButton2", "GroupBox9", 56, 24, 49, 17, "16x16");
    row("RadioButton3", "GroupBox9", 112, 24, 49, 17, "32x32");
    row("RadioButton4", "GroupBox3", 16, 24, 65, 17, "M. Blanc");
    row("RadioButton5", "GroupBox3", 96, 24, 57, 17, "M. Noir");
    row("CheckBox3", "GroupBox1", 8, 32, 105, 17, "Activer le flipping");
    row("Edit6", "GroupBox7", 32, 16, 89, 21, "Demo");
    row("CSpinEdit1", "Form1", 8, 304, 97, 22, none);
    row("CSpinEdit2", "Form1", 144, 304, 97, 22, none);
    row("CSpinEdit3", "Form1", 280, 304, 97, 22, none);
    // Boxes of the pictures.
    row("ScrollBox1", "Form1", 8, 40, 177, 169, none);
    row("ScrollBox2", "Form1", 208, 40, 177, 169, none);
    row("ScrollBox3", "Form1", 408, 40, 321, 273, none);
    row("ScrollBox4", "Form1", 8, 352, 273, 49, none);
    row("ScrollBox5", "Form1", 8, 440, 273, 49, none);
    row("ScrollBox6", "Form1", 296, 360, 145, 153, none);
    row("ScrollBox7", "Form1", 456, 360, 145, 153, none);
    row("Image4", "GroupBox5", 48, 432, 81, 73, none);
    // Labels of the working state.
    row("Label4", "Form1", 56, 216, 20, 13, "N/A");
    row("Label5", "Form1", 152, 216, 20, 13, "N/A");
    row("Label7", "Form1", 256, 216, 20, 13, "N/A");
    row("Label8", "Form1", 352, 216, 20, 13, "N/A");
    row("Label15", "Form1", 536, 320, 20, 13, "N/A");
    row("Label16", "Form1", 632, 320, 20, 13, "N/A");
    row("Label23", "Form1", 112, 408, 20, 13, "N/A");
    row("Label26", "Form1", 112, 496, 20, 13, "N/A");
    row("CGauge1", "Form1", 128, 248, 257, 17, none);
    // The legend.
    row("GroupBox1", "Form1", 608, 344, 129, 169, "Gestion du mode mirroir");
    row("Edit1", "GroupBox1", 8, 64, 25, 21, "000");
    row("Edit2", "GroupBox1", 8, 88, 25, 21, "000");
    row("Edit3", "GroupBox1", 8, 112, 25, 21, "000");
    row("Edit4", "GroupBox1", 8, 136, 25, 21, "000");
    row("Label29", "GroupBox1", 40, 64, 64, 13, "Sprite normal");
    row("Label30", "GroupBox1", 40, 88, 64, 13, "Sprite flip HZ");
    row("Label31", "GroupBox1", 40, 112, 63, 13, "Sprite flip VT");
    row("Label17", "GroupBox1", 40, 136, 83, 13, "Sprite flip HZ/VT");
    // Group boxes, fixed texts and frames.
    row("GroupBox5", "Form1", 744, 0, 185, 513, "Controle du programme");
    row("GroupBox3", "GroupBox5", 8, 80, 169, 89, "Option de masque");
    row("GroupBox6", "GroupBox5", 8, 176, 169, 57, "Aperçu de la superposition");
    row("GroupBox9", "GroupBox5", 8, 240, 169, 81, "Construction des données");
    row("GroupBox7", "GroupBox5", 8, 328, 169, 49, "Nom du fichier");
    row("GroupBox2", "Form1", 0, 280, 393, 57, "Valeurs limites des couleurs");
    row("Label2", "Form1", 8, 216, 41, 13, "Taille X :");
    row("Label3", "Form1", 104, 216, 41, 13, "Taille Y :");
    row("Label1", "Form1", 208, 216, 41, 13, "Taille X :");
    row("Label6", "Form1", 304, 216, 41, 13, "Taille Y :");
    row("Label13", "Form1", 480, 320, 41, 13, "Taille X :");
    row("Label14", "Form1", 576, 320, 41, 13, "Taille Y :");
    row("Label19", "Form1", 8, 248, 103, 13, "Traitement en cours...");
    row("Label22", "Form1", 8, 408, 91, 13, "Nombre de sprites :");
    row("Label24", "Form1", 208, 408, 69, 13, "Plan de sprites");
    row("Label25", "Form1", 8, 496, 91, 13, "Nombre de sprites :");
    row("Label21", "Form1", 224, 496, 53, 13, "Arrière-plan");
    row("Label27", "Form1", 320, 344, 89, 13, "MATRICE : Sprites");
    row("Label28", "Form1", 472, 344, 110, 13, "MATRICE : Arrière-plan");
    row("Bevel1", "Form1", 0, 0, 193, 233, none);
    row("Bevel2", "Form1", 200, 0, 193, 233, none);
    row("Bevel3", "Form1", 400, 0, 337, 337, none);
    row("Bevel4", "Form1", 0, 240, 393, 33, none);
    row("Bevel8", "Form1", 0, 344, 289, 81, none);
    row("Bevel9", "Form1", 0, 432, 289, 81, none);
    row("Bevel5", "GroupBox5", 48, 432, 81, 73, none);
    row("Panel2", "Form1", 0, 520, 929, 25, none);
    row("Label9", "Panel2", 16, 8, 3, 13, "");
}

void Form1Test::geometry()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, bounds);
    QFETCH(QString, caption);
    auto* widget = window_->form().findChild<QWidget*>(name);
    QVERIFY2(widget != nullptr, qPrintable(name));
    QVERIFY(widget->parentWidget() != nullptr);
    QCOMPARE(widget->parentWidget()->objectName(), parent);

    if (auto* label = qobject_cast<QLabel*>(widget); label != nullptr && name.startsWith(u"Label")) {
        // Labels size themselves to their caption: the layout's widths are
        // those of the original face, so ours may differ by a few pixels,
        // no more, or the captions would run into their neighbours.
        QCOMPARE(label->pos(), bounds.topLeft());
        QCOMPARE(label->height(), bounds.height());
        QVERIFY2(qAbs(label->width() - bounds.width()) <= qMax(3, bounds.width() / 5),
            qPrintable(QStringLiteral("%1 is %2 wide").arg(name).arg(label->width())));
        QCOMPARE(label->text(), caption);
        return;
    }
    QCOMPARE(widget->geometry(), bounds);
    if (caption.isNull())
        return;
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        QCOMPARE(button->text(), caption);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        QCOMPARE(edit->text(), caption);
    else if (auto* group = qobject_cast<QGroupBox*>(widget))
        QCOMPARE(group->title(), caption);
    else
        QFAIL("a caption for a control that holds none");
}

void Form1Test::picturesSitAtTheTopLeftOfTheirBoxes()
{
    const struct {
        QScrollArea* box;
        PictureView* view;
        QSize size;
    } pictures[] = {
        { window_->form().ScrollBox1, window_->form().Image1, { 105, 105 } },
        { window_->form().ScrollBox2, window_->form().Image2, { 105, 105 } },
        { window_->form().ScrollBox3, window_->form().Image3, { 105, 105 } },
        { window_->form().ScrollBox4, window_->form().Image5, { 253, 17 } },
        { window_->form().ScrollBox5, window_->form().Image6, { 253, 17 } },
        { window_->form().ScrollBox6, window_->form().Image8, { 113, 113 } },
        { window_->form().ScrollBox7, window_->form().Image9, { 113, 113 } },
    };
    for (const auto& picture : pictures) {
        QCOMPARE(picture.box->widget(), picture.view);
        QVERIFY(!picture.box->widgetResizable());
        QCOMPARE(picture.view->geometry(), QRect(QPoint(0, 0), picture.size));
    }
}

void Form1Test::settingsAreReadFromTheControls()
{
    TForm1& form = window_->form();
    Settings start = form.settings();
    QCOMPARE(start.thresholds.T1, 100);
    QCOMPARE(start.thresholds.T2, 170);
    QCOMPARE(start.thresholds.T3, 300);
    QVERIFY(start.mask == MaskChoice::Black);
    QVERIFY(start.mirrorMatching);
    QCOMPARE(start.baseName, std::string("Demo"));

    QTest::keyClick(form.CSpinEdit1, Qt::Key_Up);
    QTest::keyClick(form.CSpinEdit3, Qt::Key_Down);
    click(form.RadioButton4);
    click(form.CheckBox3);
    form.Edit6->setText(QStringLiteral("Niv2"));
    const Settings now = form.settings();
    QCOMPARE(now.thresholds.T1, 101);
    QCOMPARE(now.thresholds.T2, 170);
    QCOMPARE(now.thresholds.T3, 299);
    QVERIFY(now.mask == MaskChoice::White);
    QVERIFY(!now.mirrorMatching);
    QCOMPARE(now.baseName, std::string("Niv2"));
}

void Form1Test::loadersFillTheirPlanes_data()
{
    QTest::addColumn<int>("plane");
    QTest::newRow("sprites") << 1;
    QTest::newRow("background") << 2;
    QTest::newRow("full") << 3;
}

void Form1Test::loadersFillTheirPlanes()
{
    QFETCH(int, plane);
    TForm1& form = window_->form();
    struct Loader {
        QToolButton* button;
        PictureDialog* dialog;
        PictureControl* control;
        PictureView* view;
        QLabel* width;
        QLabel* height;
    };
    const Loader loaders[] = {
        { form.SpeedButton1, form.OpenPictureDialog1, &form.state().Image1, form.Image1, form.Label4,
            form.Label5 },
        { form.SpeedButton2, form.OpenPictureDialog2, &form.state().Image2, form.Image2, form.Label7,
            form.Label8 },
        { form.SpeedButton3, form.OpenPictureDialog3, &form.state().Image3, form.Image3, form.Label15,
            form.Label16 },
    };
    const Loader& loader = loaders[plane - 1];

    // A 320 × 200 picture whose extension is in capitals, with pixels that
    // tell red from blue and one corner from another.
    QImage picture(320, 200, QImage::Format_RGB32);
    picture.fill(qRgb(0xC0, 0xC0, 0xC0));
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(319, 199, qRgb(0, 0, 255));
    const QString file = writeBmp(path(QStringLiteral("PLAN.BMP")), picture);
    answer(file);
    click(loader.button);

    QVERIFY(window_->boxes.empty());
    QCOMPARE(loader.width->text(), QStringLiteral("320"));
    QCOMPARE(loader.height->text(), QStringLiteral("200"));
    QCOMPARE(loader.control->width(), 320);
    QCOMPARE(loader.control->height(), 200);
    QCOMPARE(loader.control->surface().pixel(0, 0), Red);
    QCOMPARE(loader.control->surface().pixel(319, 199), Blue);
    QCOMPARE(loader.view->size(), QSize(320, 200));
    QCOMPARE(loader.dialog->fileName(), file);
    QCOMPARE(QDir::currentPath(), QDir(window_->folder()).absolutePath());
    // Only this plane changed.
    for (const Loader& other : loaders)
        if (&other != &loader) {
            QVERIFY(!other.control->hasPicture());
            QCOMPARE(other.width->text(), QStringLiteral("N/A"));
        }

    // The next time the dialog opens on the file just taken.
    click(loader.button);
    QCOMPARE(window_->offered, std::vector<QString>({ QString(), file }));
}

void Form1Test::cancelledLoadChangesNothing()
{
    click(window_->form().SpeedButton1);
    QCOMPARE(window_->offered.size(), std::size_t { 1 });
    QVERIFY(window_->boxes.empty());
    QVERIFY(!window_->form().state().Image1.hasPicture());
    QCOMPARE(window_->form().Label4->text(), QStringLiteral("N/A"));
    QVERIFY(window_->form().OpenPictureDialog1->fileName().isEmpty());
}

void Form1Test::failingLoad_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content"); // null: no file at all
    QTest::addColumn<QString>("message"); // "%1" stands for the full path

    QImage picture(16, 16, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");

    QTest::newRow("unknown extension")
        << "plan.txt" << bmp << "Extension de fichier graphique inconnue (.txt)";
    QTest::newRow("no extension") << "plan" << bmp << "Extension de fichier graphique inconnue (.)";
    QTest::newRow("missing file") << "absent.bmp" << QByteArray() << "Impossible d'ouvrir le fichier %1.";
    QTest::newRow("text named bmp") << "texte.bmp" << QByteArray("Bonjour, ceci est du texte.")
                                    << "Image bitmap incorrecte.";
    QTest::newRow("ends early") << "court.bmp" << bmp.left(bmp.size() / 2) << "Erreur de lecture du flux.";
}

void Form1Test::failingLoad()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    TForm1& form = window_->form();

    // A first, good picture; then the failing file.
    QImage picture(48, 32, QImage::Format_RGB32);
    picture.fill(qRgb(0x80, 0x80, 0x80));
    answer(writeBmp(path(QStringLiteral("bon.bmp")), picture));
    click(form.SpeedButton1);
    QCOMPARE(form.Label4->text(), QStringLiteral("48"));

    const QString file = path(fileName);
    if (!content.isNull()) {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(content);
    }
    answer(file);
    click(form.SpeedButton1);

    QCOMPARE(window_->boxes.size(), std::size_t { 1 });
    QCOMPARE(window_->boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(window_->boxes[0].title, applicationTitle());
    QCOMPARE(window_->boxes[0].text, message.contains(u"%1") ? message.arg(file) : message);
    // The plane and its labels as they were; the dialog keeps the new name.
    QCOMPARE(form.Label4->text(), QStringLiteral("48"));
    QCOMPARE(form.Label5->text(), QStringLiteral("32"));
    QCOMPARE(form.state().Image1.width(), 48);
    QCOMPARE(form.state().Image1.surface().pixel(0, 0), DarkGrey);
    QCOMPARE(form.OpenPictureDialog1->fileName(), file);
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    // The window takes the next command.
    answer(writeBmp(path(QStringLiteral("autre.bmp")), QImage(picture.scaled(24, 8))));
    click(form.SpeedButton1);
    QCOMPARE(window_->boxes.size(), std::size_t { 1 });
    QCOMPARE(form.Label4->text(), QStringLiteral("24"));
    QCOMPARE(form.Label5->text(), QStringLiteral("8"));
}

void Form1Test::tileSizeRadios()
{
    TForm1& form = window_->form();
    click(form.RadioButton1);
    QCOMPARE(form.state().TileSize, 8);
    click(form.RadioButton3);
    QCOMPARE(form.state().TileSize, 32);
    QVERIFY(!form.RadioButton1->isChecked());
    click(form.RadioButton3);
    QCOMPARE(form.state().TileSize, 32);
    click(form.RadioButton2);
    QCOMPARE(form.state().TileSize, 16);
    // The keyboard selects too.
    form.RadioButton2->setFocus();
    QTest::keyClick(form.RadioButton2, Qt::Key_Right);
    QVERIFY(form.RadioButton3->isChecked());
    QCOMPARE(form.state().TileSize, 32);
}

void Form1Test::maskRadiosLeaveTheTileSizeAlone()
{
    TForm1& form = window_->form();
    click(form.RadioButton4);
    QVERIFY(form.RadioButton4->isChecked());
    QVERIFY(!form.RadioButton5->isChecked());
    QVERIFY(form.RadioButton2->isChecked());
    QVERIFY(!form.RadioButton1->isChecked() && !form.RadioButton3->isChecked());
    QCOMPARE(form.state().TileSize, 16);
    click(form.RadioButton5);
    QVERIFY(form.RadioButton5->isChecked());
    QVERIFY(!form.RadioButton4->isChecked());
}

void Form1Test::baseNameTakesSevenCharacters()
{
    QLineEdit* edit = window_->form().Edit6;
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, QStringLiteral("123"));
    QCOMPARE(edit->text(), QStringLiteral("Demo123"));
    QTest::keyClicks(edit, QStringLiteral("4"));
    QCOMPARE(edit->text(), QStringLiteral("Demo123"));
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("ABCDEFGH"));
    QCOMPARE(edit->text(), QStringLiteral("ABCDEFG"));
}

void Form1Test::thresholdBoxesAreBounded()
{
    for (SpinEdit* spin :
        { window_->form().CSpinEdit1, window_->form().CSpinEdit2, window_->form().CSpinEdit3 }) {
        QCOMPARE(spin->minimum(), 0);
        QCOMPARE(spin->maximum(), 1023);
        QCOMPARE(spin->singleStep(), 1);
    }
    window_->form().CSpinEdit3->setValue(1023);
    QTest::keyClick(window_->form().CSpinEdit3, Qt::Key_Up);
    QCOMPARE(window_->form().CSpinEdit3->value(), 1023);
    window_->form().CSpinEdit1->setValue(0);
    QTest::keyClick(window_->form().CSpinEdit1, Qt::Key_Down);
    QCOMPARE(window_->form().CSpinEdit1->value(), 0);
}

void Form1Test::buildShowsMapsStripsAndCounts()
{
    TForm1& form = window_->form();
    // Sprites: 3 × 2 cells of 16 pixels, A B A over C A B: three tiles.
    const QRgb colours[] = { qRgb(0, 0, 0), qRgb(0x80, 0x80, 0x80), qRgb(0xC0, 0xC0, 0xC0) };
    const int layout[2][3] = { { 0, 1, 0 }, { 2, 0, 1 } };
    answer(writeBmp(path(QStringLiteral("sprites.bmp")),
        cellPicture(3, 2, 16, [&](int c, int r) { return colours[layout[r][c]]; })));
    click(form.SpeedButton1);
    // Background: 2 × 2 uniform cells: one tile.
    answer(writeBmp(
        path(QStringLiteral("fond.bmp")), cellPicture(2, 2, 16, [](int, int) { return 0xFFFFFFu; })));
    click(form.SpeedButton2);

    click(form.SpeedButton9);
    QVERIFY(window_->boxes.empty());
    QCOMPARE(form.Label23->text(), QStringLiteral("3"));
    QCOMPARE(form.Label26->text(), QStringLiteral("1"));
    QCOMPARE(form.Image5->size(), QSize(48, 16));
    QCOMPARE(form.Image6->size(), QSize(16, 16));
    QCOMPARE(form.Image8->size(), QSize(60, 40));
    QCOMPARE(form.Image9->size(), QSize(40, 40));
    QCOMPARE(form.CGauge1->progress(), 0);
    QVERIFY(form.state().SpriteMap && form.state().BackgroundMap);
    // The count labels grow with their captions, from where they stand.
    QCOMPARE(form.Label23->pos(), QPoint(112, 408));

    // Tiles in column order: A, C, B; the strip view shows them.
    const QImage strip = form.Image5->grab().toImage();
    QCOMPARE(strip.pixel(8, 8) & 0xFFFFFFu, colours[0] & 0xFFFFFFu);
    QCOMPARE(strip.pixel(24, 8) & 0xFFFFFFu, colours[2] & 0xFFFFFFu);
    QCOMPARE(strip.pixel(40, 8) & 0xFFFFFFu, colours[1] & 0xFFFFFFu);

    // A new tile size changes the next build only.
    click(form.RadioButton1);
    QCOMPARE(form.Image8->size(), QSize(60, 40));
    QCOMPARE(form.Label23->text(), QStringLiteral("3"));
    click(form.SpeedButton9);
    QCOMPARE(form.Image8->size(), QSize(120, 80));
    QCOMPARE(form.Image5->size(), QSize(24, 8));
}

void Form1Test::gaugeRepaintsOnlyWhenItsPercentageChanges()
{
    TForm1& form = window_->form();
    // Sprite plane 3 cells wide, background 2: the gauge goes 0, 16, 33
    // (per cell column), 50, then 50 + 0, 50 + 25, then 0.
    answer(writeBmp(
        path(QStringLiteral("s.bmp")), cellPicture(3, 2, 16, [](int c, int r) { return qRgb(c, r, 0); })));
    click(form.SpeedButton1);
    answer(writeBmp(
        path(QStringLiteral("f.bmp")), cellPicture(2, 3, 16, [](int c, int r) { return qRgb(0, c, r); })));
    click(form.SpeedButton2);
    QTest::qWait(20);

    struct PaintRecorder : QObject {
        BarGauge* gauge = nullptr;
        std::vector<int> shown;
        bool eventFilter(QObject* object, QEvent* event) override
        {
            if (object == gauge && event->type() == QEvent::Paint)
                shown.push_back(gauge->progress());
            return false;
        }
    } recorder;
    recorder.gauge = form.CGauge1;
    form.CGauge1->installEventFilter(&recorder);
    form.SpeedButton9Click();
    form.CGauge1->removeEventFilter(&recorder);
    QCOMPARE(recorder.shown, std::vector<int>({ 16, 33, 50, 75, 0 }));
}

void Form1Test::overflowBuildWarnsOnce()
{
    TForm1& form = window_->form();
    // 768 × 768 at 32 pixels: 576 cells, every one its own colour.
    answer(writeBmp(path(QStringLiteral("grand.bmp")),
        cellPicture(24, 24, 32, [](int c, int r) { return qRgb(c * 10, r * 10, 7); })));
    click(form.SpeedButton1);
    click(form.RadioButton3);
    click(form.SpeedButton9);

    QCOMPARE(window_->boxes.size(), std::size_t { 1 });
    const MessageBoxRequest& warning = window_->boxes[0];
    QCOMPARE(warning.icon, QMessageBox::Warning);
    QCOMPARE(warning.title, applicationTitle());
    QVERIFY2(warning.text.contains(QStringLiteral("plan de sprites")), qPrintable(warning.text));
    QVERIFY(warning.text.contains(QStringLiteral("576")));
    QVERIFY(warning.text.contains(QStringLiteral("511")));
    QVERIFY(!warning.text.contains(QStringLiteral("arrière-plan")));
    // The build's results stay as it made them.
    QCOMPARE(form.Label23->text(), QStringLiteral("576"));
    QCOMPARE(form.Label26->text(), QStringLiteral("1"));
    QCOMPARE(form.Image5->size(), QSize(576 * 32, 32));
    QCOMPARE(form.state().SpriteMap->entries.size(), std::size_t { 576 });
}

void Form1Test::closingReleasesTheMaps()
{
    click(window_->form().SpeedButton9);
    QVERIFY(window_->form().state().SpriteMap && window_->form().state().BackgroundMap);
    QVERIFY(window_->form().close());
    QVERIFY(!window_->form().state().SpriteMap && !window_->form().state().BackgroundMap);
    QVERIFY(window_->boxes.empty());
}

void Form1Test::errorDisplayShowsOneStopBox_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("shown");
    QTest::newRow("core error") << 0 << "Impossible de modifier que les images comportant un bitmap.";
    QTest::newRow("standard error") << 1 << "erreur (détail)";
    QTest::newRow("failed allocation") << 2 << "Mémoire insuffisante.";
}

void Form1Test::errorDisplayShowsOneStopBox()
{
    QFETCH(int, kind);
    QFETCH(QString, shown);
    Thrower thrower;
    thrower.raise = [kind] {
        if (kind == 0)
            throw Error("Impossible de modifier que les images comportant un bitmap");
        if (kind == 1)
            throw std::runtime_error("erreur (détail)");
        throw std::bad_alloc();
    };
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&thrower, &event);
    QCOMPARE(window_->boxes.size(), std::size_t { 1 });
    QCOMPARE(window_->boxes[0].icon, QMessageBox::Critical);
    QCOMPARE(window_->boxes[0].title, applicationTitle());
    QCOMPARE(window_->boxes[0].text, shown);

    // Events go on being delivered.
    thrower.raise = [] {};
    QCoreApplication::sendEvent(&thrower, &event);
    QCOMPARE(window_->boxes.size(), std::size_t { 1 });
}

// The error display lives in the program's application object, so the
// tests run under it rather than under a plain QApplication.
int main(int argc, char** argv)
{
    Application application(argc, argv);
    application.setAttribute(Qt::AA_Use96Dpi, true);
    Form1Test test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "form1_test.moc"
