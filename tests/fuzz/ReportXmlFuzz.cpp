// Report definitions: any text is read into a tree or refused with a message, never a crash or a hang.
#include "FuzzSupport.h"

#include "library/xXMLReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::Start();
    // As the file reader takes it: UTF-8 when valid, else the legacy code page.
    const QString text = QString::fromUtf8(fuzz::Bytes(data, size));
    try {
        const std::unique_ptr<TXMLElement> root = TXMLReader::FromText(text).Parse();
        fuzz::Require(root != nullptr);
    } catch (const Exception &e) {
        fuzz::Require(!e.Message.isEmpty());
    }
    return 0;
}
