// TxDBImage: a data-aware picture of a blob field (product and material pictures). The picture's format
// is recognised by the blob's first bytes through a small table of formats; a changed picture is stored
// back in its own format (a JPEG stays a JPEG).
#pragma once

#include "platform/ui/DBControls.h"
#include "platform/ui/Picture.h"

#include <QLabel>

class QMenu;
class TField;

// The reader a format of the table uses: none (the format is not readable until registered), a bitmap,
// a JPEG or a GIF.
enum class TGraphicClass { None, Bitmap, Jpeg, Gif };

// Sets the reader of the table's format of that name ("jpg", "bmp", "gif"); other names change nothing.
void RegisterDBImageFormat(const QString &name, TGraphicClass graphicClass);
// The picture stored in a blob field: empty when the field is missing, null or not a blob, or when the
// format its first bytes name has no reader; bytes of no known format are read as a bitmap. Throws
// EInvalidGraphic when the bytes cannot be read in the chosen format.
TPicture GraphicFromBlob(TField *field);
// The picture takes the blob's picture (an empty one clears it).
void LoadPictureFromBlob(TPicture &picture, TField *field);

class TxDBImage : public QLabel, public TDBControl {
    Q_OBJECT
public:
    explicit TxDBImage(QWidget *parent = nullptr);

    // Shows each record's picture as the record is shown; off, the picture waits for LoadPicture.
    bool AutoDisplay() const { return autoDisplay_; }
    void SetAutoDisplay(bool on);
    // Loads the record's picture (once per record). A picture that cannot be read shows its error text.
    void LoadPicture();
    bool Loaded() const { return loaded_; }

    const TPicture &Picture() const { return picture_; }
    // The user's new picture (an empty one removes it): starts an edit; written to the field on post.
    void SetPicture(const TPicture &picture);
    // The text shown instead of a picture that could not be read; empty otherwise.
    QString ErrorText() const { return error_; }
    // The picture is scaled down into the room the layout gives; it never asks for its own size, which
    // would push the lists beside it aside whenever a large picture is shown.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void ShowField() override;
    void WriteField() override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void showPicture();
    TPicture picture_;
    QString error_;
    bool autoDisplay_ = true;
    bool loaded_ = false;
};

// The file's picture (JPEG or bitmap) becomes the control's new picture.
void LoadDBImageFromFile(TxDBImage *image, const QString &path);
// The picture's pop-up menu, opened by a right click on it: "Vložiť zo súboru", "Vložiť zo schránky"
// (offered only while the clipboard holds a picture), "Kopírovať do schránky", "Zmazať".
QMenu *AddPictureMenu(TxDBImage *image);
