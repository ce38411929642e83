#include "TextFile.h"

#include "Win1250.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

QString DecodeText(const QByteArray &bytes, bool *wasUtf8)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(view);
    const bool valid = !utf8.hasError();
    if (wasUtf8)
        *wasUtf8 = valid;
    return valid ? text : Win1250::toUnicode(view.data(), view.size());
}

QString ReadTextFile(const QString &path, bool *ok)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (ok)
            *ok = false;
        return {};
    }
    if (ok)
        *ok = true;
    return DecodeText(file.readAll());
}

bool WriteFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    // A short write (a full disk, a size limit) is not always reported by the write itself: the size
    // actually on disk is checked before the new file replaces the old one.
    bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush() &&
              file.size() == bytes.size();
    if (ok) {
        ok = file.commit();
    } else {
        file.cancelWriting();
    }
    if (!ok && error)
        *error = file.errorString().isEmpty() || file.error() == QFileDevice::NoError
                     ? QStringLiteral("zápis sa nepodaril")
                     : file.errorString();
    return ok;
}
