#include "window/form1.h"

#include "export/file_name.h"
#include "export/save.h"
#include "prepare/cut_out.h"
#include "prepare/four_greys.h"
#include "prepare/overlay_preview.h"
#include "prepare/virtual_mask.h"
#include "state/picture_file.h"
#include "tiles/build.h"
#include "tiles/overflow_warning.h"
#include "window/artwork.h"
#include "window/gauge.h"
#include "window/group_box.h"
#include "window/message_box.h"
#include "window/picture_view.h"
#include "window/spin_edit.h"

#include <QCheckBox>
#include <QDir>
#include <QCloseEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

// Resources of a static library must be registered by name, from the
// global namespace.
static void registerWindowResources()
{
    Q_INIT_RESOURCE(window);
}

namespace quilbrix {

namespace {

constexpr int ClientWidth = 929;
constexpr int ClientHeight = 545;

const QString Caption = QStringLiteral("Quilbrix v3.0 Final Release");
const QString Credit
    = QStringLiteral("Quilbrix v3.0 — tuiles et cartes en quatre niveaux de gris pour TI-89 et TI-92");

// The horizontal bars of the tile strip boxes: grey, 13 pixels thick, with
// 16-pixel arrow buttons.
const QString StripScrollBarStyle = QStringLiteral(R"(
QScrollBar:horizontal {
    height: 13px; margin: 0 16px 0 16px; border: none; background: #c0c0c0;
}
QScrollBar::handle:horizontal { background: #808080; min-width: 12px; }
QScrollBar::handle:horizontal:hover { background: #606060; }
QScrollBar::add-line:horizontal, QScrollBar::sub-line:horizontal {
    width: 16px; border: none; background: #a8a8a8; subcontrol-origin: margin;
}
QScrollBar::add-line:horizontal:hover, QScrollBar::sub-line:horizontal:hover { background: #d8d8d8; }
QScrollBar::add-line:horizontal { subcontrol-position: right; }
QScrollBar::sub-line:horizontal { subcontrol-position: left; }
QScrollBar::left-arrow:horizontal { image: url(:/quilbrix/arrow_left.xpm); width: 4px; height: 7px; }
QScrollBar::right-arrow:horizontal { image: url(:/quilbrix/arrow_right.xpm); width: 4px; height: 7px; }
QScrollBar::add-page:horizontal, QScrollBar::sub-page:horizontal { background: none; }
)");

template <class Widget>
Widget* place(Widget* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    return widget;
}

// A label sizes itself to its caption, keeping its height; the widths in
// the layout are those of its first caption.
void setCaption(QLabel* label, const QString& caption)
{
    label->setText(caption);
    label->resize(label->fontMetrics().horizontalAdvance(caption), label->height());
}

QLabel* makeLabel(
    QWidget* parent, const char* name, const QString& caption, int left, int top, int height = 13)
{
    auto* label = place(new QLabel(parent), name, left, top, 0, height);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setCaption(label, caption);
    return label;
}

// A flat button: no frame until the mouse is over it, never the focus.
QToolButton* makeButton(
    QWidget* parent, const char* name, const QString& caption, int left, int top, int width, int height)
{
    auto* button = place(new QToolButton(parent), name, left, top, width, height);
    button->setText(caption);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

QGroupBox* makeGroupBox(
    QWidget* parent, const char* name, const QString& caption, int left, int top, int width, int height)
{
    auto* box = place(new GroupBox(parent), name, left, top, width, height);
    box->setTitle(caption);
    return box;
}

// A lowered frame, kept behind the controls it surrounds by being made
// before them.
QFrame* makeBevel(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* bevel = place(new QFrame(parent), name, left, top, width, height);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setLineWidth(1);
    bevel->setAttribute(Qt::WA_TransparentForMouseEvents);
    return bevel;
}

QRadioButton* makeRadio(
    QWidget* parent, const char* name, const QString& caption, int left, int top, int width, bool selected)
{
    auto* radio = place(new QRadioButton(parent), name, left, top, width, 17);
    radio->setText(caption);
    radio->setChecked(selected);
    return radio;
}

// A read-only white box of the mirror legend, showing "000" in `colour`.
QLineEdit* makeLegendBox(QWidget* parent, const char* name, int top, const QColor& colour)
{
    auto* box = place(new QLineEdit(parent), name, 8, top, 25, 21);
    box->setText(QStringLiteral("000"));
    box->setReadOnly(true);
    box->setTextMargins(0, 0, 0, 0);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, colour);
    box->setPalette(colours);
    return box;
}

// A scroll box holding the view of `control` at (0, 0); bars appear only
// when the view is larger than the box.
QScrollArea* makeScrollBox(QWidget* parent, const char* boxName, int left, int top, int width, int height,
    const PictureControl& control, const char* viewName, PictureView*& view)
{
    auto* box = place(new QScrollArea(parent), boxName, left, top, width, height);
    box->setWidgetResizable(false);
    box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    box->viewport()->setBackgroundRole(QPalette::Button);
    box->viewport()->setAutoFillBackground(true);
    view = new PictureView(control);
    view->setObjectName(QString::fromLatin1(viewName));
    box->setWidget(view);
    return box;
}

SpinEdit* makeSpin(
    QWidget* parent, const char* name, int left, int value, const QColor& box, const QColor& digits)
{
    auto* spin = place(new SpinEdit(parent), name, left, 304, 97, 22);
    spin->setValue(value);
    spin->setColours(box, digits);
    return spin;
}

// Shows the working state once a handler ends, whether it ran to its end
// or an error left it midway.
class RefreshOnExit {
public:
    explicit RefreshOnExit(TForm1& form)
        : form_(form)
    { }
    ~RefreshOnExit() { form_.refreshViews(); }
    RefreshOnExit(const RefreshOnExit&) = delete;
    RefreshOnExit& operator=(const RefreshOnExit&) = delete;

private:
    TForm1& form_;
};

} // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent)
{
    registerWindowResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Caption);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(ClientWidth, ClientHeight);
    setWindowIcon(QIcon(QPixmap::fromImage(programIcon())));

    QFont face(QStringLiteral("Liberation Sans"));
    face.setPixelSize(11);
    setFont(face);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setAutoFillBackground(true);

    createControls();
    bindHandlers();
}

TForm1::~TForm1()
{
    // The gauge's view is a widget of this window: nothing may call it once
    // the window is going.
    state_.CGauge1.setView(nullptr);
}

void TForm1::createControls()
{
    QWidget* window = this;

    // Frames first, so that they stay behind what they surround.
    Bevel1 = makeBevel(window, "Bevel1", 0, 0, 193, 233);
    Bevel2 = makeBevel(window, "Bevel2", 200, 0, 193, 233);
    Bevel3 = makeBevel(window, "Bevel3", 400, 0, 337, 337);
    Bevel4 = makeBevel(window, "Bevel4", 0, 240, 393, 33);
    Bevel8 = makeBevel(window, "Bevel8", 0, 344, 289, 81);
    Bevel9 = makeBevel(window, "Bevel9", 0, 432, 289, 81);
    GroupBox2
        = makeGroupBox(window, "GroupBox2", QStringLiteral("Valeurs limites des couleurs"), 0, 280, 393, 57);

    // The planes.
    SpeedButton1
        = makeButton(window, "SpeedButton1", QStringLiteral("Charger le plan de sprites"), 8, 8, 177, 25);
    SpeedButton2
        = makeButton(window, "SpeedButton2", QStringLiteral("Charger l'arrière-plan"), 208, 8, 177, 25);
    SpeedButton3
        = makeButton(window, "SpeedButton3", QStringLiteral("Charger le plan complet"), 408, 8, 321, 25);
    ScrollBox1 = makeScrollBox(window, "ScrollBox1", 8, 40, 177, 169, state_.Image1, "Image1", Image1);
    ScrollBox2 = makeScrollBox(window, "ScrollBox2", 208, 40, 177, 169, state_.Image2, "Image2", Image2);
    ScrollBox3 = makeScrollBox(window, "ScrollBox3", 408, 40, 321, 273, state_.Image3, "Image3", Image3);
    Label2 = makeLabel(window, "Label2", QStringLiteral("Taille X :"), 8, 216);
    Label4 = makeLabel(window, "Label4", QString::fromLatin1(NotAvailable), 56, 216);
    Label3 = makeLabel(window, "Label3", QStringLiteral("Taille Y :"), 104, 216);
    Label5 = makeLabel(window, "Label5", QString::fromLatin1(NotAvailable), 152, 216);
    Label1 = makeLabel(window, "Label1", QStringLiteral("Taille X :"), 208, 216);
    Label7 = makeLabel(window, "Label7", QString::fromLatin1(NotAvailable), 256, 216);
    Label6 = makeLabel(window, "Label6", QStringLiteral("Taille Y :"), 304, 216);
    Label8 = makeLabel(window, "Label8", QString::fromLatin1(NotAvailable), 352, 216);
    Label13 = makeLabel(window, "Label13", QStringLiteral("Taille X :"), 480, 320);
    Label15 = makeLabel(window, "Label15", QString::fromLatin1(NotAvailable), 536, 320);
    Label14 = makeLabel(window, "Label14", QStringLiteral("Taille Y :"), 576, 320);
    Label16 = makeLabel(window, "Label16", QString::fromLatin1(NotAvailable), 632, 320);

    // Progress.
    Label19 = makeLabel(window, "Label19", QStringLiteral("Traitement en cours..."), 8, 248);
    CGauge1 = place(new BarGauge(window), "CGauge1", 128, 248, 257, 17);

    // Thresholds, inside the frame of GroupBox2.
    CSpinEdit1 = makeSpin(window, "CSpinEdit1", 8, 100, Qt::white, Qt::black);
    CSpinEdit2 = makeSpin(window, "CSpinEdit2", 144, 170, QColor(0xC0, 0xC0, 0xC0), Qt::black);
    CSpinEdit3 = makeSpin(window, "CSpinEdit3", 280, 300, QColor(0x80, 0x80, 0x80), Qt::white);

    // Tile strips and their counts.
    ScrollBox4 = makeScrollBox(window, "ScrollBox4", 8, 352, 273, 49, state_.Image5, "Image5", Image5);
    ScrollBox5 = makeScrollBox(window, "ScrollBox5", 8, 440, 273, 49, state_.Image6, "Image6", Image6);
    ScrollBox4->horizontalScrollBar()->setStyleSheet(StripScrollBarStyle);
    ScrollBox5->horizontalScrollBar()->setStyleSheet(StripScrollBarStyle);
    Label22 = makeLabel(window, "Label22", QStringLiteral("Nombre de sprites :"), 8, 408);
    Label23 = makeLabel(window, "Label23", QString::fromLatin1(NotAvailable), 112, 408);
    Label24 = makeLabel(window, "Label24", QStringLiteral("Plan de sprites"), 208, 408);
    Label25 = makeLabel(window, "Label25", QStringLiteral("Nombre de sprites :"), 8, 496);
    Label26 = makeLabel(window, "Label26", QString::fromLatin1(NotAvailable), 112, 496);
    Label21 = makeLabel(window, "Label21", QStringLiteral("Arrière-plan"), 224, 496);

    // Map matrices.
    Label27 = makeLabel(window, "Label27", QStringLiteral("MATRICE : Sprites"), 320, 344);
    Label28 = makeLabel(window, "Label28", QStringLiteral("MATRICE : Arrière-plan"), 472, 344);
    ScrollBox6 = makeScrollBox(window, "ScrollBox6", 296, 360, 145, 153, state_.Image8, "Image8", Image8);
    ScrollBox7 = makeScrollBox(window, "ScrollBox7", 456, 360, 145, 153, state_.Image9, "Image9", Image9);

    // Mirror matching and the legend of the matrices' colours.
    GroupBox1
        = makeGroupBox(window, "GroupBox1", QStringLiteral("Gestion du mode mirroir"), 608, 344, 129, 169);
    CheckBox3 = place(new QCheckBox(GroupBox1), "CheckBox3", 8, 32, 105, 17);
    CheckBox3->setText(QStringLiteral("Activer le flipping"));
    CheckBox3->setChecked(true);
    Edit1 = makeLegendBox(GroupBox1, "Edit1", 64, Qt::black);
    Edit2 = makeLegendBox(GroupBox1, "Edit2", 88, QColor(0xFF, 0x00, 0x00));
    Edit3 = makeLegendBox(GroupBox1, "Edit3", 112, QColor(0x00, 0x00, 0xFF));
    Edit4 = makeLegendBox(GroupBox1, "Edit4", 136, QColor(0x00, 0x80, 0x00));
    Label29 = makeLabel(GroupBox1, "Label29", QStringLiteral("Sprite normal"), 40, 64);
    Label30 = makeLabel(GroupBox1, "Label30", QStringLiteral("Sprite flip HZ"), 40, 88);
    Label31 = makeLabel(GroupBox1, "Label31", QStringLiteral("Sprite flip VT"), 40, 112);
    Label17 = makeLabel(GroupBox1, "Label17", QStringLiteral("Sprite flip HZ/VT"), 40, 136);

    // The command column.
    GroupBox5 = makeGroupBox(window, "GroupBox5", QStringLiteral("Controle du programme"), 744, 0, 185, 513);
    Bevel5 = makeBevel(GroupBox5, "Bevel5", 48, 432, 81, 73);
    SpeedButton4
        = makeButton(GroupBox5, "SpeedButton4", QStringLiteral("Détourage des sprites"), 8, 16, 169, 25);
    SpeedButton5 = makeButton(GroupBox5, "SpeedButton5", QStringLiteral("Couleur -> NG4"), 8, 48, 169, 25);

    GroupBox3 = makeGroupBox(GroupBox5, "GroupBox3", QStringLiteral("Option de masque"), 8, 80, 169, 89);
    RadioButton4 = makeRadio(GroupBox3, "RadioButton4", QStringLiteral("M. Blanc"), 16, 24, 65, false);
    RadioButton5 = makeRadio(GroupBox3, "RadioButton5", QStringLiteral("M. Noir"), 96, 24, 57, true);
    SpeedButton6 = makeButton(
        GroupBox3, "SpeedButton6", QStringLiteral("Application du masque virtuel"), 8, 48, 153, 33);

    GroupBox6
        = makeGroupBox(GroupBox5, "GroupBox6", QStringLiteral("Aperçu de la superposition"), 8, 176, 169, 57);
    SpeedButton8 = makeButton(GroupBox6, "SpeedButton8", QStringLiteral("Réel"), 16, 24, 41, 25);
    SpeedButton11 = makeButton(GroupBox6, "SpeedButton11", QStringLiteral("Ti89"), 64, 24, 41, 25);
    SpeedButton12 = makeButton(GroupBox6, "SpeedButton12", QStringLiteral("Ti92"), 112, 24, 41, 25);

    GroupBox9
        = makeGroupBox(GroupBox5, "GroupBox9", QStringLiteral("Construction des données"), 8, 240, 169, 81);
    RadioButton1 = makeRadio(GroupBox9, "RadioButton1", QStringLiteral("8x8"), 8, 24, 41, false);
    RadioButton2 = makeRadio(GroupBox9, "RadioButton2", QStringLiteral("16x16"), 56, 24, 49, true);
    RadioButton3 = makeRadio(GroupBox9, "RadioButton3", QStringLiteral("32x32"), 112, 24, 49, false);
    SpeedButton9
        = makeButton(GroupBox9, "SpeedButton9", QStringLiteral("Création Cartes + Sprites"), 8, 48, 153, 25);

    GroupBox7 = makeGroupBox(GroupBox5, "GroupBox7", QStringLiteral("Nom du fichier"), 8, 328, 169, 49);
    Edit6 = place(new QLineEdit(GroupBox7), "Edit6", 32, 16, 89, 21);
    Edit6->setMaxLength(BaseNameMaxLength);
    Edit6->setText(QString::fromStdString(Settings {}.baseName));

    SpeedButton10 = makeButton(GroupBox5, "SpeedButton10", QStringLiteral("  Sauvegarde"), 8, 384, 169, 41);
    SpeedButton10->setIcon(QIcon(QPixmap::fromImage(saveGlyph())));
    SpeedButton10->setIconSize(QSize(32, 32));
    SpeedButton10->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);

    Image4 = place(new QLabel(GroupBox5), "Image4", 48, 432, 81, 73);
    Image4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image4->setPixmap(QPixmap::fromImage(decorativePicture()));

    // The credit bar.
    Panel2 = place(new QLabel(window), "Panel2", 0, 520, 929, 25);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel2->setLineWidth(1);
    Panel2->setAlignment(Qt::AlignCenter);
    Panel2->setText(Credit);
    Label9 = place(new QLabel(Panel2), "Label9", 16, 8, 3, 13);

    OpenPictureDialog1 = new PictureDialog(this);
    OpenPictureDialog1->setObjectName(QStringLiteral("OpenPictureDialog1"));
    OpenPictureDialog2 = new PictureDialog(this);
    OpenPictureDialog2->setObjectName(QStringLiteral("OpenPictureDialog2"));
    OpenPictureDialog3 = new PictureDialog(this);
    OpenPictureDialog3->setObjectName(QStringLiteral("OpenPictureDialog3"));
}

void TForm1::bindHandlers()
{
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { SpeedButton4Click(); });
    connect(SpeedButton5, &QToolButton::clicked, this, [this] { SpeedButton5Click(); });
    connect(SpeedButton6, &QToolButton::clicked, this, [this] { SpeedButton6Click(); });
    connect(SpeedButton8, &QToolButton::clicked, this, [this] { SpeedButton8Click(); });
    connect(SpeedButton11, &QToolButton::clicked, this, [this] { SpeedButton11Click(); });
    connect(SpeedButton12, &QToolButton::clicked, this, [this] { SpeedButton12Click(); });
    connect(SpeedButton9, &QToolButton::clicked, this, [this] { SpeedButton9Click(); });
    connect(SpeedButton10, &QToolButton::clicked, this, [this] { SpeedButton10Click(); });
    // A radio's handler runs when it becomes the selected one, by the mouse
    // or by the keyboard.
    connect(RadioButton1, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            RadioButton1Click();
    });
    connect(RadioButton2, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            RadioButton2Click();
    });
    connect(RadioButton3, &QRadioButton::toggled, this, [this](bool selected) {
        if (selected)
            RadioButton3Click();
    });

    // The gauge is the one control redrawn while a command runs: the core
    // calls this only when the shown percentage changes.
    state_.CGauge1.setView([this](int percent) {
        CGauge1->setProgress(percent);
        CGauge1->repaint();
    });
}

Settings TForm1::settings() const
{
    Settings current;
    current.thresholds = Thresholds { CSpinEdit1->value(), CSpinEdit2->value(), CSpinEdit3->value() };
    current.mask = RadioButton4->isChecked() ? MaskChoice::White : MaskChoice::Black;
    current.mirrorMatching = CheckBox3->isChecked();
    current.baseName = Edit6->text().toStdString();
    return current;
}

void TForm1::setFileChooser(const FileChooser& chooser)
{
    OpenPictureDialog1->setChooser(chooser);
    OpenPictureDialog2->setChooser(chooser);
    OpenPictureDialog3->setChooser(chooser);
}

void TForm1::refreshViews()
{
    for (PictureView* view : { Image1, Image2, Image3, Image5, Image6, Image8, Image9 })
        view->refresh();
    setCaption(Label23, QString::fromStdString(state_.Label23.caption));
    setCaption(Label26, QString::fromStdString(state_.Label26.caption));
}

void TForm1::loadPlane(PictureDialog& dialog, PictureControl& plane, QLabel* widthLabel, QLabel* heightLabel)
{
    if (!dialog.execute(this))
        return;
    // Read first: a file that fails leaves the plane and its labels as they
    // were, while the dialog keeps the name just accepted.
    Surface picture = loadPicture(dialog.fileName().toStdString());
    const RefreshOnExit refresh(*this);
    plane.load(std::move(picture));
    setCaption(widthLabel, QString::number(plane.width()));
    setCaption(heightLabel, QString::number(plane.height()));
}

void TForm1::SpeedButton1Click()
{
    loadPlane(*OpenPictureDialog1, state_.Image1, Label4, Label5);
}

void TForm1::SpeedButton2Click()
{
    loadPlane(*OpenPictureDialog2, state_.Image2, Label7, Label8);
}

void TForm1::SpeedButton3Click()
{
    loadPlane(*OpenPictureDialog3, state_.Image3, Label15, Label16);
}

void TForm1::RadioButton1Click()
{
    state_.TileSize = 8;
}

void TForm1::RadioButton2Click()
{
    state_.TileSize = 16;
}

void TForm1::RadioButton3Click()
{
    state_.TileSize = 32;
}

void TForm1::SpeedButton4Click()
{
    const RefreshOnExit refresh(*this);
    cutOutSprites(state_.Image1.surface(), state_.Image3.surface(), state_.CGauge1);
}

void TForm1::SpeedButton5Click()
{
    const RefreshOnExit refresh(*this);
    convertToFourGreys(state_.Image1.surface(), state_.Image2.surface(), settings().thresholds, state_.CGauge1);
}

void TForm1::SpeedButton6Click()
{
    const RefreshOnExit refresh(*this);
    applyVirtualMask(state_.Image1.surface(), settings().mask, state_.CGauge1);
}

void TForm1::SpeedButton8Click()
{
    const RefreshOnExit refresh(*this);
    previewTrueColours(state_.Image1.surface(), state_.Image2.surface(), state_.Image3.surface(),
        settings().mask, state_.CGauge1);
}

void TForm1::SpeedButton11Click()
{
    const RefreshOnExit refresh(*this);
    previewOnCalculator(state_.Image1.surface(), state_.Image2.surface(), state_.Image3.surface(),
        settings().mask, Ti89Palette, state_.CGauge1);
}

void TForm1::SpeedButton12Click()
{
    const RefreshOnExit refresh(*this);
    previewOnCalculator(state_.Image1.surface(), state_.Image2.surface(), state_.Image3.surface(),
        settings().mask, Ti92Palette, state_.CGauge1);
}

void TForm1::SpeedButton10Click()
{
    // The dialogs make the folder of the picture last chosen the current
    // folder; the files land there.
    const std::string message = saveLevel(state_, settings().baseName,
        pathFromUtf8(QDir::currentPath().toStdString()), OpenPictureDialog1->fileName().toStdString());
    showMessageBox(this, QMessageBox::Information, QString::fromStdString(message));
}

void TForm1::SpeedButton9Click()
{
    const RefreshOnExit refresh(*this);
    const BuildReport report = buildMaps(state_, settings().mirrorMatching);
    const QString warning = QString::fromStdString(overflowWarning(report));
    if (!warning.isEmpty()) {
        // The results are shown behind the warning; they stay as the build
        // made them.
        refreshViews();
        showMessageBox(this, QMessageBox::Warning, warning);
    }
}

void TForm1::FormClose()
{
    state_.releaseMaps();
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TForm1::closeEvent(QCloseEvent* event)
{
    FormClose();
    QWidget::closeEvent(event);
}

} // namespace quilbrix
