// Job numbers as people write them: any text is a job number or refused with a Slovak message, and a
// number printed reads back as itself.
#include "FuzzSupport.h"

#include "platform/os/Exception.h"
#include "shell/Routines.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::Start();
    const QString typed = QString::fromUtf8(fuzz::Bytes(data, size)).left(256);
    NormalizeOrderNo(typed);
    WholeNumber(typed);
    const std::optional<int> job = ParseOrderNo(typed);
    if (job) {
        fuzz::Require(*job >= 0);
        if (*job < 1'000'000)
            fuzz::Require(ParseOrderNo(OrderNoStr(*job)) == job);
    }
    try {
        fuzz::Require(TypedOrderNo(typed) == job.value_or(0));
    } catch (const EConvertError &e) {
        fuzz::Require(!job && e.Message.contains(QStringLiteral("nie je číslo zákazky")));
    }
    return 0;
}
