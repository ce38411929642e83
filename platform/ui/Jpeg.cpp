#include "Jpeg.h"

#include <QPainter>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace {
// The library reports fatal errors through error_exit, which must not return: jump back to the caller.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr info)
{
    auto *err = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

void quietOutput(j_common_ptr) {}

jpeg_error_mgr *errors(ErrorManager &err)
{
    jpeg_error_mgr *pub = jpeg_std_error(&err.pub);
    pub->error_exit = errorExit;
    pub->output_message = quietOutput;
    return pub;
}

// Everything the jump may skip lives outside the function that calls setjmp.
struct Decoder {
    jpeg_decompress_struct info{};
    ErrorManager err{};
    std::vector<JSAMPLE> row;
    QImage image;
    ~Decoder() { jpeg_destroy_decompress(&info); }
};

bool decode(Decoder &d, const QByteArray &bytes)
{
    d.info.err = errors(d.err);
    if (setjmp(d.err.jump))
        return false;
    jpeg_create_decompress(&d.info);
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d.info, TRUE);
    // The header's size is checked before anything is decoded: a few bytes may claim a picture that
    // would take gigabytes.
    if (quint64(d.info.image_width) * d.info.image_height > kMaxJpegPixels) {
        std::snprintf(d.err.message, sizeof d.err.message, "Obrázok %u × %u bodov je príliš veľký.",
                      unsigned(d.info.image_width), unsigned(d.info.image_height));
        return false;
    }
    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    const bool gray = d.info.jpeg_color_space == JCS_GRAYSCALE;
    d.info.out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&d.info);
    const int w = int(d.info.output_width), h = int(d.info.output_height), n = d.info.output_components;
    d.image = QImage(w, h, gray ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
    if (d.image.isNull()) {
        std::snprintf(d.err.message, sizeof d.err.message, "Obrázok %d × %d bodov je príliš veľký.", w, h);
        return false;
    }
    d.row.resize(size_t(w) * size_t(n));
    while (d.info.output_scanline < d.info.output_height) {
        const int y = int(d.info.output_scanline);
        JSAMPROW rows[1] = {d.row.data()};
        jpeg_read_scanlines(&d.info, rows, 1);
        if (gray) {
            std::copy(d.row.begin(), d.row.end(), d.image.scanLine(y));
            continue;
        }
        auto *out = reinterpret_cast<QRgb *>(d.image.scanLine(y));
        const JSAMPLE *in = d.row.data();
        for (int x = 0; x < w; ++x, in += n) {
            if (cmyk) {
                // Adobe writes CMYK inverted: the samples are already the amounts of white.
                const int k = in[3];
                out[x] = qRgb(in[0] * k / 255, in[1] * k / 255, in[2] * k / 255);
            } else {
                out[x] = qRgb(in[0], in[1], in[2]);
            }
        }
    }
    jpeg_finish_decompress(&d.info);
    return true;
}

struct Encoder {
    jpeg_compress_struct info{};
    ErrorManager err{};
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    std::vector<JSAMPLE> row;
    ~Encoder()
    {
        jpeg_destroy_compress(&info);
        std::free(buffer);
    }
};

bool encode(Encoder &e, const QImage &source, int quality)
{
    e.info.err = errors(e.err);
    if (setjmp(e.err.jump))
        return false;
    jpeg_create_compress(&e.info);
    jpeg_mem_dest(&e.info, &e.buffer, &e.size);
    e.info.image_width = JDIMENSION(source.width());
    e.info.image_height = JDIMENSION(source.height());
    e.info.input_components = 3;
    e.info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&e.info);
    jpeg_set_quality(&e.info, quality, TRUE);
    jpeg_start_compress(&e.info, TRUE);
    e.row.resize(size_t(source.width()) * 3);
    while (e.info.next_scanline < e.info.image_height) {
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(int(e.info.next_scanline)));
        for (int x = 0; x < source.width(); ++x) {
            e.row[size_t(x) * 3] = JSAMPLE(qRed(in[x]));
            e.row[size_t(x) * 3 + 1] = JSAMPLE(qGreen(in[x]));
            e.row[size_t(x) * 3 + 2] = JSAMPLE(qBlue(in[x]));
        }
        JSAMPROW rows[1] = {e.row.data()};
        jpeg_write_scanlines(&e.info, rows, 1);
    }
    jpeg_finish_compress(&e.info);
    return true;
}
} // namespace

QImage DecodeJpeg(const QByteArray &bytes, QString *error)
{
    Decoder d;
    if (bytes.isEmpty()) {
        if (error)
            *error = QStringLiteral("empty data");
        return QImage();
    }
    if (!decode(d, bytes)) {
        if (error)
            *error = QString::fromUtf8(d.err.message);
        return QImage();
    }
    return d.image;
}

QByteArray EncodeJpeg(const QImage &image, int quality)
{
    if (image.isNull())
        return QByteArray();
    // Composite transparency over white, as a JPEG has none.
    QImage source(image.size(), QImage::Format_RGB32);
    source.fill(Qt::white);
    {
        QPainter p(&source);
        p.drawImage(0, 0, image);
    }
    Encoder e;
    if (!encode(e, source, qBound(1, quality, 100)))
        return QByteArray();
    return QByteArray(reinterpret_cast<const char *>(e.buffer), qsizetype(e.size));
}
