// Edit masks from report and form definitions and the texts typed into them: any mask translates, and every
// text of a mask shows in the mask's own width.
#include "FuzzSupport.h"

#include "platform/os/EditMask.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::Start();
    const QList<QByteArray> parts = fuzz::Parts(fuzz::Bytes(data, size), 3);
    const TEditMask mask(QString::fromUtf8(parts[0]).left(512));
    const QString value = QString::fromUtf8(parts[1]).left(1024), typed = QString::fromUtf8(parts[2]).left(64);
    mask.QtInputMask();
    const QString shown = mask.DisplayFromText(value);
    const QString formatted = mask.Format(value);
    mask.TextFromDisplay(shown);
    mask.IsTextEmpty(value);
    if (!mask.IsEmpty()) {
        const qsizetype width = mask.DisplayFromText(QString()).size();
        fuzz::Require(shown.size() == width);
        fuzz::Require(mask.TextFromDisplay(shown).size() <= width);
    }
    for (int i = -1; i <= shown.size() + 1; ++i)
        for (QChar c : typed) {
            mask.Typeable(i, c);
            mask.LiteralAt(i, c);
            QString retyped;
            int cursor = 0;
            if (mask.RetypeAfterLiterals(shown, i, c, retyped, cursor))
                fuzz::Require(cursor >= 0 && cursor <= retyped.size());
        }
    bool ok = false;
    const double number = value.toDouble(&ok);
    QString text;
    if (ok)
        mask.NumberText(number, text);
    Q_UNUSED(formatted);
    return 0;
}
