// The number the program proposes for a new record (the next free one of its sequence, read when the
// record is begun). Another workstation may store the same number before this record is saved: a save
// refused only for that takes the next free number of the same sequence, is stored under it and tells
// the clerk so. A number the clerk typed himself is refused as any duplicate is.
#pragma once

#include "platform/db/DBTypes.h"

#include <QString>
#include <QVariant>
#include <functional>

class EDatabaseError;
class TDataSet;

class TProposedNumber {
public:
    // The next free number of the sequence, read afresh at every call.
    using TNextNumber = std::function<QVariant()>;

    // fieldName: the key field the number goes into; constraint: the server's name of the key that
    // refuses a number taken (PK_ZAKAZKY), or several names separated by '|' when more than one key holds
    // the number.
    TProposedNumber(QString fieldName, QString constraint);

    // Writes next() into the field of the data set's new record and keeps it as the proposal. With shown,
    // a number proposed earlier (a dialog showed it) is the proposal instead, next() then follows it; so
    // also for a record in edit that takes a number (an invoice's, on its delivery note).
    void Propose(TDataSet *dataSet, TNextNumber next, const QVariant &shown = QVariant());
    // For the data set's post error: when the server refused the record's number as taken while the
    // field still holds the proposal, the next free number goes into the field and the action becomes a
    // retry; true then. False for every other error, for a number typed over the proposal, and when the
    // sequence gives the taken number again.
    bool Renumber(TDataSet *dataSet, const EDatabaseError &error, TDataAction &action);
    // Whether value is the number proposed and not yet saved: a rule that refuses a number taken leaves
    // the proposal to the key, which moves it on at the save.
    bool IsProposal(const QVariant &value) const;
    // After the post: tells the clerk once when the record was stored under another number than the one
    // proposed to him; the proposal is then spent.
    void Posted(TDataSet *dataSet);

    // How many numbers one save may pass over before it is refused as any duplicate is.
    static constexpr int MaxRenumbers = 50;

private:
    QString fieldName_;
    QString constraint_;
    TNextNumber next_;
    QVariant proposal_;
    TDataSetState proposedIn_ = dsInsert; // the state of the record the number was proposed for
    // What the clerk saw proposed, as the field shows it, once a save has passed over it.
    QString taken_;
    int renumbers_ = 0;
};
