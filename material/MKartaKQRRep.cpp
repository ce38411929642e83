#include "MKartaKQRRep.h"

#include "MaterialReportParts.h"
#include "platform/db/DataSet.h"
#include "platform/os/Format.h"
#include "library/xDBImage.h"
#include "platform/ui/Picture.h"

using namespace MaterialReport;

TMKartaKQRRep::TMKartaKQRRep()
{
    SetUp(this, QStringLiteral("MKartaKQRRep"), QString::fromUtf8("Karta náradia."));

    TQRBand *title = CompanyTitle(this, 70);
    Caption(title, QString::fromUtf8("Karta náradia."), 470, 10, 248, 16, true);

    TQRBand *card = AddBand(rbDetail, QStringLiteral("DetailBand"));
    card->Frame.DrawTop = true;
    Caption(card, QString::fromUtf8("č.Náradia"), 0, 8, 80);
    auto *number = Value(card, QStringLiteral("C_POL"), 84, 6, 200);
    number->Font().setPointSize(12);
    number->Font().setBold(true);
    Captioned(card, "Názov", "NAZOV", 0, 30, 80, 340);
    Captioned(card, "Typ", "TYP2", 0, 48, 80, 60);
    Captioned(card, "Váha", "VAHA_MAT", 160, 48, 40, 80, QStringLiteral("0.###"));
    Caption(card, QStringLiteral("Popis"), 0, 66, 80);
    auto *about = Lines(card, {QStringLiteral("{POPIS}")}, 84, 66, 340);
    about->AutoStretch = false;
    about->Height = 44;
    Captioned(card, "Majiteľ", "MAJITEL", 0, 114, 80, 340);
    Captioned(card, "IČO", "ICO", 0, 132, 80, 100);
    Caption(card, QStringLiteral("Adresa"), 0, 150, 80);
    Value(card, QStringLiteral("ULICA"), 84, 150, 340);
    Value(card, QStringLiteral("PSC"), 84, 166, 50);
    Value(card, QStringLiteral("MESTO"), 138, 166, 286);
    Captioned(card, "Telefón", "TELEFON", 0, 184, 80, 140);
    Captioned(card, "FAX", "FAX", 230, 184, 30, 160);
    Captioned(card, "E-mail", "EMAIL", 0, 202, 80, 340);
    Captioned(card, "Sklad", "SKLAD", 0, 226, 80, 60);
    Captioned(card, "Množstvo", "MNOZSTVO", 150, 226, 60, 80, QStringLiteral("0.###"));
    Captioned(card, "Regál", "POZICIA1", 0, 244, 80, 60);
    Captioned(card, "Polica", "POZICIA2", 150, 244, 60, 60);
    Captioned(card, "Priečinok", "POZICIA3", 280, 244, 60, 80);
    Captioned(card, "Vystavená", "D_VYSTAV", 0, 262, 80, 100);

    picture_ = card->Add<TQRImage>(QStringLiteral("QRObrazok"));
    picture_->Left = 440;
    picture_->Top = 30;
    picture_->Width = 278;
    picture_->Height = 250;
    picture_->Center = true;
    picture_->Frame.DrawTop = picture_->Frame.DrawBottom = picture_->Frame.DrawLeft = picture_->Frame.DrawRight = true;

    // The jobs follow the mould data, clear of its last line.
    const double jobsTop = 290 + MouldData(card, 290) + 8;

    Caption(card, QString::fromUtf8("Zákazky :"), 0, jobsTop, 80, 0, true);
    jobs_ = Lines(card, {}, 84, jobsTop, 634);
    card->Height = jobsTop + 16;

    // The boxes to sign follow the card however long its list of jobs is.
    TQRBand *signatures = AddChildBand(card, QStringLiteral("SignatureBand"));
    signatures->Height = 80;
    SignatureBoxes(signatures, {"Vystavil :", "Podpis :", "Dátum vyšrotovania :"}, 10, Width(), 56);

    card->BeforePrint = [this](TQRBand *, bool &) {
        TDataSet *rows = DataSet();
        picture_->Picture = QImage();
        try {
            const QImage image = GraphicFromBlob(rows ? rows->FindField(QStringLiteral("OBRAZOK")) : nullptr).Image();
            // A photograph larger than the frame is shrunk into it whole.
            const QSize frame(int(picture_->Width), int(picture_->Height));
            picture_->Picture = image.width() > frame.width() || image.height() > frame.height()
                                    ? image.scaled(frame, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                    : image;
        } catch (const EInvalidGraphic &) {
            // A picture that cannot be read leaves its frame empty; the card prints all the same.
        }
    };
    PageNumber(this);
}

void TMKartaKQRRep::SetJobs(const QStringList &lines)
{
    jobs_->Lines = lines;
}

QString ToolCardJobLine(int job, double handedOver, const QString &dimension)
{
    return FormatFloat(QStringLiteral("#0\"/\"0000"), job) + QStringLiteral("  ") +
           FormatFloat(QStringLiteral("####0"), handedOver) + QStringLiteral("  ") + dimension.trimmed();
}
