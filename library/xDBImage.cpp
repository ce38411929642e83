#include "xDBImage.h"

#include "platform/db/Field.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Guarded.h"

#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>

namespace {
struct TImageFormat {
    const char *name;
    QByteArray magic;
    TGraphicClass graphicClass;
};

// In this order: the first matching entry decides.
TImageFormat *formats()
{
    static TImageFormat table[] = {
        {"jpg", QByteArray("\xFF\xD8\xFF"), TGraphicClass::None},
        {"bmp", QByteArray("BM"), TGraphicClass::Bitmap},
        {"gif", QByteArray("GIF"), TGraphicClass::None},
    };
    return table;
}
constexpr int kFormats = 3;

QString pictureFormat(TGraphicClass c)
{
    switch (c) {
    case TGraphicClass::Jpeg:
        return QStringLiteral("jpg");
    case TGraphicClass::Gif:
        return QStringLiteral("gif");
    case TGraphicClass::Bitmap:
        return QStringLiteral("bmp");
    case TGraphicClass::None:
        break;
    }
    return QString();
}
} // namespace

void RegisterDBImageFormat(const QString &name, TGraphicClass graphicClass)
{
    for (int i = 0; i < kFormats; ++i)
        if (name == QLatin1String(formats()[i].name))
            formats()[i].graphicClass = graphicClass;
}

TPicture GraphicFromBlob(TField *field)
{
    TPicture picture;
    if (!field || field->IsNull() || !IsBlobType(field->DataType()))
        return picture;
    const QByteArray bytes = field->AsBytes();
    TGraphicClass chosen = TGraphicClass::Bitmap;
    for (int i = 0; i < kFormats; ++i) {
        const TImageFormat &f = formats()[i];
        if (f.magic.size() < bytes.size() && bytes.startsWith(f.magic)) {
            chosen = f.graphicClass;
            break;
        }
    }
    if (chosen != TGraphicClass::None)
        picture.LoadFromData(bytes, pictureFormat(chosen));
    return picture;
}

void LoadPictureFromBlob(TPicture &picture, TField *field)
{
    picture = GraphicFromBlob(field);
}

// ---------------------------------------------------------------- TxDBImage

TxDBImage::TxDBImage(QWidget *parent) : QLabel(parent), TDBControl(this)
{
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setFrameShape(QFrame::StyledPanel);
    resize(105, 105);
}

void TxDBImage::SetAutoDisplay(bool on)
{
    autoDisplay_ = on;
    if (on)
        LoadPicture();
}

void TxDBImage::ShowField()
{
    // A picture the user gave and not yet stored stays on screen.
    if (link_.Modified())
        return;
    loaded_ = false;
    if (autoDisplay_) {
        LoadPicture();
    } else {
        picture_.Clear();
        error_.clear();
        showPicture();
    }
}

void TxDBImage::LoadPicture()
{
    if (loaded_ || link_.Modified())
        return;
    error_.clear();
    // A picture that cannot be read must not stop the browsing of the records.
    try {
        LoadPictureFromBlob(picture_, Field());
    } catch (const Exception &e) {
        picture_.Clear();
        error_ = e.Message;
    }
    loaded_ = true;
    showPicture();
}

void TxDBImage::SetPicture(const TPicture &picture)
{
    if (!UserChanged())
        return;
    picture_ = picture;
    error_.clear();
    loaded_ = true;
    showPicture();
}

void TxDBImage::WriteField()
{
    TField *f = Field();
    if (picture_.IsEmpty())
        f->Clear();
    else
        f->SetAsBytes(picture_.SaveToData());
}

void TxDBImage::showPicture()
{
    if (picture_.IsEmpty()) {
        setPixmap(QPixmap());
        setText(error_);
        return;
    }
    QPixmap pixmap = QPixmap::fromImage(picture_.Image());
    if (pixmap.width() > width() || pixmap.height() > height())
        pixmap = pixmap.scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    setPixmap(pixmap);
}

QSize TxDBImage::sizeHint() const
{
    return QSize(105, 105).expandedTo(minimumSize());
}

QSize TxDBImage::minimumSizeHint() const
{
    return minimumSize().isEmpty() ? QSize(32, 32) : minimumSize();
}

void TxDBImage::resizeEvent(QResizeEvent *e)
{
    QLabel::resizeEvent(e);
    if (!picture_.IsEmpty())
        showPicture();
}

// ---------------------------------------------------------------- the picture's menu

void LoadDBImageFromFile(TxDBImage *image, const QString &path)
{
    TPicture picture;
    picture.LoadFromFile(path);
    image->SetPicture(picture);
}

QMenu *AddPictureMenu(TxDBImage *image)
{
    auto *menu = new QMenu(image);
    menu->addAction(QString::fromUtf8("Vložiť zo súboru"), image, [image] {
        Guarded([image] {
            const QString path = ChooseFileName(
                QString(), QString(), QString::fromUtf8("Grafické súbory (*.JPG *.JPEG *.BMP *.jpg *.jpeg *.bmp)"),
                nullptr, false);
            if (!path.isEmpty())
                LoadDBImageFromFile(image, path);
        });
    });
    QAction *paste = menu->addAction(QString::fromUtf8("Vložiť zo schránky"), image, [image] {
        Guarded([image] {
            const QImage picture = QApplication::clipboard()->image();
            if (!picture.isNull())
                image->SetPicture(TPicture(picture));
        });
    });
    menu->addAction(QString::fromUtf8("Kopírovať do schránky"), image, [image] {
        Guarded([image] {
            if (!image->Picture().Image().isNull())
                QApplication::clipboard()->setImage(image->Picture().Image());
        });
    });
    menu->addAction(QString::fromUtf8("Zmazať"), image,
                    [image] { Guarded([image] { image->SetPicture(TPicture()); }); });
    QObject::connect(menu, &QMenu::aboutToShow, image, [paste] {
        const QMimeData *data = QApplication::clipboard()->mimeData();
        paste->setEnabled(data && data->hasImage());
    });
    image->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(image, &QWidget::customContextMenuRequested, image,
                     [image, menu](const QPoint &at) { menu->popup(image->mapToGlobal(at)); });
    return menu;
}
