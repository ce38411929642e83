// The word list of printed captions: any file is read or refused, and translating through what was read
// stays within its bounds.
#include "FuzzSupport.h"

#include "library/xSlovnik.h"
#include "platform/os/Exception.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::Start();
    const QList<QByteArray> parts = fuzz::Parts(fuzz::Bytes(data, size), 2);
    TxSlovnik words{TxSlovnik::Empty{}};
    try {
        words.LoadFromFile(fuzz::FileWith(parts[0], QStringLiteral(".txt")));
    } catch (const Exception &) {
        return 0;
    }
    const QString text = QString::fromUtf8(parts[1]).left(4096);
    for (int language : {lngSK, lngDE, lngEN}) {
        const QString phrase = words.TranslateText(text, language);
        fuzz::Require(phrase.size() <= std::max(TxSlovnik::kMaxTranslation, text.size()));
        words.TranslateWord(text, language);
    }
    return 0;
}
