// A small document report for the print tests: logo, company labels, a caption, one detail line per
// row and a summary, laid out in its constructor as the program's report classes are.
#pragma once

#include "platform/report/QuickRep.h"

class TTestDocRep : public TQuickRep {
public:
    TTestDocRep()
    {
        Name = QStringLiteral("TestDocQRRep");
        ReportTitle = QStringLiteral("Dodací list");
        TQRBand *title = AddBand(rbTitle, QStringLiteral("TitleBand"));
        title->Height = 80;
        Logo = title->Add<TQRImage>(QStringLiteral("QRlogo"));
        Logo->Width = 80;
        Logo->Height = 40;
        Meno = title->Add<TQRLabel>(QStringLiteral("QRMeno"));
        Meno->Left = 100;
        Meno->Caption = QStringLiteral("(firma)");
        Mesto = title->Add<TQRLabel>(QStringLiteral("QRMesto"));
        Mesto->Left = 100;
        Mesto->Top = 20;
        Heading = title->Add<TQRLabel>(QStringLiteral("QRlNadpis"));
        Heading->Left = 300;
        Heading->Caption = QStringLiteral("Dodací list");
        auto *date = title->Add<TQRLabel>();
        date->Left = 300;
        date->Top = 20;
        date->Caption = QStringLiteral("Dátum");
        Podpis = title->Add<TQRImage>(QStringLiteral("QRpodpis"));
        Podpis->Left = 500;
        Podpis->Width = 60;
        Podpis->Height = 30;
        Detail = AddBand(rbDetail, QStringLiteral("DetailBand"));
        auto *name = Detail->Add<TQRDBText>();
        name->DataField = QStringLiteral("NAZOV");
        TQRBand *summary = AddBand(rbSummary);
        auto *total = summary->Add<TQRLabel>();
        total->Caption = QStringLiteral("Spolu");
    }
    TQRImage *Logo, *Podpis;
    TQRLabel *Meno, *Mesto, *Heading;
    TQRBand *Detail;
};
