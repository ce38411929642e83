// OpenDocument templates: any content part of a text document or a spreadsheet is filled from a data set
// or refused with a reason; what is filled is a document that reads again.
#include "FuzzSupport.h"

#include "library/OdfTemplate.h"
#include "library/ZipArchive.h"
#include "platform/db/DataSet.h"

namespace {

// Two records of a name, a number and a date, held in memory.
class Rows : public TDataSet {
protected:
    void InternalOpen() override
    {
        static const auto defs = [] {
            auto d = std::make_shared<std::vector<TFieldDef>>(3);
            (*d)[0].Name = QStringLiteral("NAZOV");
            (*d)[0].DataType = ftString;
            (*d)[0].Size = 40;
            (*d)[1].Name = QStringLiteral("CENA");
            (*d)[1].DataType = ftFloat;
            (*d)[2].Name = QStringLiteral("DATUM");
            (*d)[2].DataType = ftDate;
            return std::shared_ptr<const std::vector<TFieldDef>>(d);
        }();
        SetFieldDefs(defs);
        next_ = 0;
    }
    void InternalClose() override {}
    bool InternalFetchValues(std::vector<QVariant> &values) override
    {
        if (next_ >= 2)
            return false;
        values = {QStringLiteral("Odliatok <\"&'> č.%1").arg(next_), 12.5 * next_, QDate(2026, 3, 16)};
        ++next_;
        return true;
    }

private:
    int next_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::Start();
    const QByteArray content = fuzz::Bytes(data, size);
    Rows rows;
    rows.Open();
    for (const bool text : {true, false}) {
        TZipArchive document;
        document.Set(QStringLiteral("mimetype"), text ? "application/vnd.oasis.opendocument.text"
                                                      : "application/vnd.oasis.opendocument.spreadsheet");
        document.Set(QStringLiteral("content.xml"), content);
        document.Set(QStringLiteral("styles.xml"), content);
        rows.First();
        QString error;
        const bool filled =
            text ? FillOdtUserFields(document, &rows, &error) : FillOdsNamedRanges(document, &rows, &error);
        if (!filled) {
            fuzz::Require(!error.isEmpty());
            continue;
        }
        TZipArchive again;
        fuzz::Require(again.Load(document.Bytes(), &error));
    }
    return 0;
}
