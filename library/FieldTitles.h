// The captions of fields by their names: one table of those that read the same in every module's lists, and each
// module's own where its screens caption a field otherwise, applied to a data set when its fields are made so every
// grid and print of them reads alike.
#pragma once

#include "platform/os/CaseFoldedName.h"

#include <QHash>
#include <QString>
#include <span>

class TDataSet;

struct TFieldTitle {
    const char *name;  // the field's name
    const char *title; // its caption (UTF-8)
};

// The captions the same in every module, by field name. The catalogue's fields are not among them: the catalogue
// captions those first.
std::span<const TFieldTitle> CommonFieldTitles();

// A module's captions: the common ones, and over them its own. Its index is built once, with it; a module's table
// is a constant of the program.
class TFieldTitles {
public:
    explicit TFieldTitles(std::span<const TFieldTitle> own = {});

    // Gives the data set's fields their captions: a field of the module's own its own caption, a field no one has
    // captioned yet (neither the catalogue nor a module's table applied before) the common one.
    void Apply(TDataSet *dataSet) const;
    // The caption this module gives a field name; empty when it gives none.
    QString Title(const QString &field) const;
    std::span<const TFieldTitle> Own() const { return own_; }

private:
    std::span<const TFieldTitle> own_;
    QHash<TCaseFoldedName, QString> byName_;
};

// The captions of a module whose screens caption every field as the others do.
const TFieldTitles &CommonTitles();
