#include "ProposedNumber.h"

#include "platform/db/DataSet.h"
#include "platform/db/Field.h"
#include "platform/fbapi/IBError.h"
#include "platform/ui/Dialogs.h"

namespace {

constexpr int DuplicateKeyCode = -803;

// Keys compare as the clerk reads them: CHAR keys come blank-padded.
QString keyText(const QVariant &value)
{
    return value.toString().trimmed();
}

} // namespace

TProposedNumber::TProposedNumber(QString fieldName, QString constraint)
    : fieldName_(std::move(fieldName)), constraint_(std::move(constraint))
{
}

void TProposedNumber::Propose(TDataSet *dataSet, TNextNumber next, const QVariant &shown)
{
    next_ = std::move(next);
    taken_.clear();
    renumbers_ = 0;
    proposal_ = shown.isNull() ? next_() : shown;
    proposedIn_ = dataSet->State();
    dataSet->FieldByName(fieldName_)->SetValue(proposal_);
}

bool TProposedNumber::Renumber(TDataSet *dataSet, const EDatabaseError &error, TDataAction &action)
{
    const auto *server = dynamic_cast<const EIBError *>(&error);
    if (!server || server->SQLCode != DuplicateKeyCode ||
        !constraint_.split(QLatin1Char('|')).contains(server->ConstraintName, Qt::CaseInsensitive))
        return false;
    if (dataSet->State() != proposedIn_ || !next_ || proposal_.isNull() || renumbers_ >= MaxRenumbers)
        return false;
    TField *field = dataSet->FieldByName(fieldName_);
    if (keyText(field->Value()) != keyText(proposal_))
        return false; // typed by the clerk
    const QVariant next = next_();
    if (keyText(next) == keyText(proposal_))
        return false;
    if (taken_.isEmpty())
        taken_ = field->DisplayText().trimmed();
    ++renumbers_;
    proposal_ = next;
    field->SetValue(next);
    action = daRetry;
    return true;
}

bool TProposedNumber::IsProposal(const QVariant &value) const
{
    return !proposal_.isNull() && keyText(value) == keyText(proposal_);
}

void TProposedNumber::Posted(TDataSet *dataSet)
{
    const QString taken = taken_;
    // Only the record the number was proposed for: a cancelled one's proposal says nothing of another.
    const bool proposedHere = keyText(dataSet->FieldByName(fieldName_)->Value()) == keyText(proposal_);
    next_ = nullptr;
    proposal_ = QVariant();
    taken_.clear();
    renumbers_ = 0;
    if (taken.isEmpty() || !proposedHere)
        return;
    const QString stored = dataSet->FieldByName(fieldName_)->DisplayText().trimmed();
    Information(QString::fromUtf8("Číslo %1 medzičasom použil iný používateľ; záznam je uložený pod číslom %2.")
                    .arg(taken, stored));
}
