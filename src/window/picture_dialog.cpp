#include "window/picture_dialog.h"

#include "state/error.h"
#include "state/picture_file.h"
#include "window/artwork.h"
#include "window/picture_view.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quilbrix {

namespace {

// Side of the square in which the preview shows the picture, scaled down
// to fit and never up.
constexpr int PreviewSide = 164;

// Files larger than this are not read for the preview: the pane follows
// every change of selection, and reading a huge picture would stall the
// dialog. The load itself takes any size the reader accepts.
constexpr qint64 PreviewMaxFileSize = qint64 { 64 } << 20;

// The preview pane beside the file list.
class PicturePreview : public QWidget {
public:
    explicit PicturePreview(QWidget* parent)
        : QWidget(parent)
        , caption_(new QLabel(this))
        , picture_(new QLabel(this))
        , button_(new QToolButton(this))
    {
        picture_->setFixedSize(PreviewSide + 4, PreviewSide + 4);
        picture_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        picture_->setAlignment(Qt::AlignCenter);
        button_->setIcon(QIcon(QPixmap::fromImage(previewGlyph())));
        button_->setToolTip(QStringLiteral("Prévisualiser"));
        button_->setAutoRaise(true);
        connect(button_, &QToolButton::clicked, this, [this] { showFullSize(); });

        auto* top = new QHBoxLayout;
        top->addWidget(caption_, 1);
        top->addWidget(button_);
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(6, 0, 0, 0);
        column->addLayout(top);
        column->addWidget(picture_);
        column->addStretch(1);
        showPicture(QString());
    }

    // Shows the picture of `path`, or "Image :" when it cannot be read.
    void showPicture(const QString& path)
    {
        image_ = QImage();
        QFileInfo info(path);
        if (!path.isEmpty() && info.isFile() && info.size() <= PreviewMaxFileSize) {
            try {
                const Surface surface = loadPicture(path.toUtf8().toStdString());
                image_ = toImage(surface, QRect(0, 0, surface.width(), surface.height()));
            } catch (const Error&) {
                image_ = QImage();
            }
        }
        if (image_.isNull()) {
            caption_->setText(QStringLiteral("Image :"));
            picture_->clear();
            button_->setEnabled(false);
            return;
        }
        caption_->setText(QString::asprintf(" (%dx%d)", image_.width(), image_.height()));
        QImage shown = image_;
        if (shown.width() > PreviewSide || shown.height() > PreviewSide)
            shown = shown.scaled(PreviewSide, PreviewSide, Qt::KeepAspectRatio, Qt::FastTransformation);
        picture_->setPixmap(QPixmap::fromImage(shown));
        button_->setEnabled(true);
    }

private:
    void showFullSize()
    {
        if (image_.isNull())
            return;
        QDialog viewer(this);
        viewer.setWindowTitle(caption_->text().trimmed());
        auto* area = new QScrollArea(&viewer);
        auto* picture = new QLabel;
        picture->setPixmap(QPixmap::fromImage(image_));
        area->setWidget(picture);
        auto* layout = new QVBoxLayout(&viewer);
        layout->addWidget(area);
        viewer.resize(std::min(image_.width() + 40, 900), std::min(image_.height() + 40, 700));
        viewer.exec();
    }

    QLabel* caption_;
    QLabel* picture_;
    QToolButton* button_;
    QImage image_;
};

} // namespace

QString choosePictureFile(QWidget* parent, const QString& selected, const QString& filter)
{
    QFileDialog dialog(parent);
    // Qt's own dialog, so the preview pane can join its layout.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QStringLiteral("Ouvrir"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    if (selected.isEmpty()) {
        dialog.setDirectory(QDir::currentPath());
    } else {
        dialog.setDirectory(QFileInfo(selected).absolutePath());
        dialog.selectFile(selected);
    }
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        auto* preview = new PicturePreview(&dialog);
        grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
        QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
            [preview](const QString& path) { preview->showPicture(path); });
        if (!selected.isEmpty())
            preview->showPicture(selected);
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

PictureDialog::PictureDialog(QObject* parent)
    : QObject(parent)
{ }

void PictureDialog::setChooser(FileChooser chooser)
{
    chooser_ = std::move(chooser);
}

bool PictureDialog::execute(QWidget* parent)
{
    const QString filter = QString::fromUtf16(PictureFilter);
    const QString accepted
        = chooser_ ? chooser_(parent, fileName_, filter) : choosePictureFile(parent, fileName_, filter);
    if (accepted.isEmpty())
        return false;
    fileName_ = QFileInfo(accepted).absoluteFilePath();
    QDir::setCurrent(QFileInfo(fileName_).absolutePath());
    return true;
}

} // namespace quilbrix
