#pragma once

#include "state/settings.h"
#include "state/working_state.h"
#include "window/picture_dialog.h"

#include <QWidget>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollArea;
class QToolButton;

namespace quilbrix {

class BarGauge;
class PictureView;
class SpinEdit;

// The main window. Every feature is a control on it, named as the user's
// guide names it (each control's Qt object name is that name too), and
// every command is one handler over the working state. A handler runs on
// the GUI thread from start to end; the views and labels show the state
// once it has ended, only the gauge is repainted meanwhile. An error a
// handler raises leaves it at once and is shown by the application.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The working state the commands share.
    WorkingState& state() { return state_; }
    const WorkingState& state() const { return state_; }

    // The settings as the option controls hold them now; commands read
    // them when they start and keep no copy.
    Settings settings() const;

    // Gives the three picture dialogs `chooser` in place of the real file
    // dialog (tests answer the dialogs through it); empty restores it.
    void setFileChooser(const FileChooser& chooser);

    // Shows the working state: every picture view at its control's
    // displayed size and content, the count labels' captions.
    void refreshViews();

    // The loaders: run the plane's dialog, load the accepted file into the
    // plane, show its width and height. On cancel nothing changes; when
    // the file cannot be loaded, the plane and its labels stay as they
    // were and the error goes up to the error display.
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();

    // The tile size radios: TileSize := 8, 16, 32.
    void RadioButton1Click();
    void RadioButton2Click();
    void RadioButton3Click();

    // The pixel commands: "Détourage des sprites", "Couleur -> NG4",
    // "Application du masque virtuel", and the overlay previews "Réel",
    // "Ti89" and "Ti92", each over the planes as they stand.
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void SpeedButton8Click();
    void SpeedButton11Click();
    void SpeedButton12Click();

    // The save: the four files of the last build in the current folder
    // (the folder of the picture last chosen), then the closing message.
    void SpeedButton10Click();

    // The build: maps, strips, matrices and counts of both planes, then a
    // warning when a plane needed more distinct tiles than its strip or the
    // index field holds.
    void SpeedButton9Click();

    // On closing: releases both maps.
    void FormClose();

    // Command buttons.
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton3;
    QToolButton* SpeedButton4;
    QToolButton* SpeedButton5;
    QToolButton* SpeedButton6;
    QToolButton* SpeedButton8;
    QToolButton* SpeedButton9;
    QToolButton* SpeedButton10;
    QToolButton* SpeedButton11;
    QToolButton* SpeedButton12;

    // Option controls.
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QRadioButton* RadioButton4;
    QRadioButton* RadioButton5;
    QCheckBox* CheckBox3;
    QLineEdit* Edit6;
    SpinEdit* CSpinEdit1;
    SpinEdit* CSpinEdit2;
    SpinEdit* CSpinEdit3;

    // Pictures and their boxes.
    QScrollArea* ScrollBox1;
    QScrollArea* ScrollBox2;
    QScrollArea* ScrollBox3;
    QScrollArea* ScrollBox4;
    QScrollArea* ScrollBox5;
    QScrollArea* ScrollBox6;
    QScrollArea* ScrollBox7;
    PictureView* Image1;
    PictureView* Image2;
    PictureView* Image3;
    PictureView* Image5;
    PictureView* Image6;
    PictureView* Image8;
    PictureView* Image9;
    QLabel* Image4;

    // Labels that show the working state.
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label15;
    QLabel* Label16;
    QLabel* Label23;
    QLabel* Label26;

    BarGauge* CGauge1;

    // Legend of the mirror colours.
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLabel* Label29;
    QLabel* Label30;
    QLabel* Label31;
    QLabel* Label17;

    // Group boxes, fixed texts and frames.
    QGroupBox* GroupBox1;
    QGroupBox* GroupBox2;
    QGroupBox* GroupBox3;
    QGroupBox* GroupBox5;
    QGroupBox* GroupBox6;
    QGroupBox* GroupBox7;
    QGroupBox* GroupBox9;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label6;
    QLabel* Label13;
    QLabel* Label14;
    QLabel* Label19;
    QLabel* Label21;
    QLabel* Label22;
    QLabel* Label24;
    QLabel* Label25;
    QLabel* Label27;
    QLabel* Label28;
    QFrame* Bevel1;
    QFrame* Bevel2;
    QFrame* Bevel3;
    QFrame* Bevel4;
    QFrame* Bevel5;
    QFrame* Bevel8;
    QFrame* Bevel9;
    QLabel* Panel2;
    QLabel* Label9;

    // The planes' picture-open dialogs.
    PictureDialog* OpenPictureDialog1;
    PictureDialog* OpenPictureDialog2;
    PictureDialog* OpenPictureDialog3;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void bindHandlers();
    void loadPlane(PictureDialog& dialog, PictureControl& plane, QLabel* widthLabel, QLabel* heightLabel);

    WorkingState state_;
    bool centred_ = false;
};

} // namespace quilbrix
