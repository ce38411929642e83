// The zip under office templates: a readable archive is written back as one that reads the same; anything
// else is refused with a reason.
#include "FuzzSupport.h"

#include "library/ZipArchive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::Start();
    TZipArchive zip;
    QString error;
    if (!zip.Load(fuzz::Bytes(data, size), &error)) {
        fuzz::Require(!error.isEmpty());
        return 0;
    }
    TZipArchive again;
    fuzz::Require(again.Load(zip.Bytes(), &error));
    fuzz::Require(again.Entries.size() == zip.Entries.size());
    for (size_t i = 0; i < zip.Entries.size(); ++i)
        fuzz::Require(again.Entries[i].Name == zip.Entries[i].Name && again.Entries[i].Data == zip.Entries[i].Data);
    return 0;
}
