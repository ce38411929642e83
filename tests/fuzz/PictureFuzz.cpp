// Pictures of records and forms: any bytes give a picture or the refusal of bad data.
#include "FuzzSupport.h"

#include "platform/ui/Jpeg.h"
#include "platform/ui/Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::Start();
    const QByteArray bytes = fuzz::Bytes(data, size);
    QString error;
    const QImage jpeg = DecodeJpeg(bytes, &error);
    fuzz::Require(!jpeg.isNull() || !error.isEmpty());
    fuzz::Require(quint64(jpeg.width()) * quint64(jpeg.height()) <= kMaxJpegPixels);
    try {
        const TPicture picture = LoadPicture(bytes);
        // A picture read is stored back as one that reads again.
        if (!picture.IsEmpty())
            fuzz::Require(!LoadPicture(picture.SaveToData()).IsEmpty());
    } catch (const EInvalidGraphic &e) {
        fuzz::Require(!e.Message.isEmpty());
    }
    return 0;
}
