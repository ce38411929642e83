#include "TextFile.h"

#include "Win1250.h"

#include <QFile>
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
