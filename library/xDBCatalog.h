// TxDBCatalog: the one list of column captions and display formats that every data set without
// persistent fields takes when it opens, so a column looks the same in every grid and report.
#pragma once

#include "platform/os/CaseFoldedName.h"
#include "platform/os/Strings.h"

#include <functional>
#include <QHash>

class TDataSet;

class TxDBCatalog {
public:
    QString Name;
    // FIELDNAME=caption lines.
    TStringList Titles;
    // FIELDNAME=format lines; the format "$" means the money display.
    TStringList Formats;

    // The caption or the format of a field name, as the first line of that name has it; found says whether
    // there is one. Every data set's fields are looked up here when they are made.
    QString Title(const QString &field, bool &found) const { return titles_.Find(Titles, field, found); }
    QString Format(const QString &field, bool &found) const { return formats_.Find(Formats, field, found); }
    // Changes whenever the lines have changed since it was last asked.
    quint64 Stamp() const;

private:
    // The lines by their names in any case, made again when the lines are no longer those it was made of.
    class TIndex {
    public:
        QString Find(const TStringList &lines, const QString &name, bool &found) const;
        // Makes the index again if the lines changed; counts the times it was made.
        quint64 Sync(const TStringList &lines) const;

    private:
        using TValues = QHash<TCaseFoldedName, QString>;
        const TValues &values(const TStringList &lines) const;
        mutable quint64 made_ = 0;
        mutable TFromLines<TValues> values_;
    };
    TIndex titles_, formats_;
};

// Gives the default fields of a data set of a TxDatabase with a catalogue their captions, formats,
// widths and defaults, then calls event (when given).
void ApplyCatalog(TDataSet *dataSet, const std::function<void(TDataSet *)> &event);
// What ApplyCatalog with this event gives the default fields depends on besides their columns: the catalogue's
// lines as they are now and the event itself (see TDataSet::DefaultFieldsStamp).
quint64 CatalogStamp(const TDataSet *dataSet, const std::function<void(TDataSet *)> &event);
