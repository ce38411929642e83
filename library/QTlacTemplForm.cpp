#include "library/QTlacTemplForm.h"

#include "library/Buttons.h"
#include "platform/os/Folders.h"
#include "platform/os/TextFile.h"
#include "platform/report/QRControls.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QVBoxLayout>

namespace {
const QString kDetailMarker = QStringLiteral("[DETAIL]");
}

TQTlacTemplForm::TQTlacTemplForm(QWidget *owner) : TForm(owner)
{
    setObjectName(QStringLiteral("QTlacTemplForm"));
    Position = poScreenCenter;
    setSizeGripEnabled(true);
    resize(640, 480);
    Memo = new QPlainTextEdit(this);
    Memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    BtnTlac = new TBtnTlac(this);
    BtnTlac->SetModalResult(mrOk);
    BtnKoniec = new TBtnKoniec(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Memo, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnTlac);
    buttons->addWidget(BtnKoniec);
    layout->addLayout(buttons);
}

QStringList TQTlacTemplForm::Lines() const
{
    QStringList lines = Memo->toPlainText().split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // a final line end starts no further line
    return lines;
}

TQTlacTemplForm *QTlacTemplForm()
{
    static QPointer<TQTlacTemplForm> form;
    if (!form)
        form = new TQTlacTemplForm(ApplicationMainForm());
    return form;
}

bool EditTemplate(const QString &caption, const QString &fileName)
{
    TQTlacTemplForm *form = QTlacTemplForm();
    form->setWindowTitle(caption);
    const QString path = QDir(ProgramFolder()).absoluteFilePath(fileName);
    bool ok = false;
    QString text = QFileInfo::exists(path) ? ReadTextFile(path, &ok) : QString();
    if (!ok)
        text = QStringLiteral("Súbor %1 neexistuje!").arg(path);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    form->Memo->setPlainText(text);
    form->Memo->setFocus();
    return form->ShowModal() == mrOk;
}

void ReadTemplateSection(const QStringList &lines, TQRMemo *reportMemo, int &lineIndex)
{
    reportMemo->Lines.clear();
    lineIndex = std::max(0, lineIndex);
    while (lineIndex < lines.size()) {
        const QString &line = lines.at(lineIndex++);
        if (line == kDetailMarker)
            return;
        reportMemo->Lines << line;
    }
}

void ReadTemplateSection(TQRMemo *reportMemo, int &lineIndex)
{
    ReadTemplateSection(QTlacTemplForm()->Lines(), reportMemo, lineIndex);
}
