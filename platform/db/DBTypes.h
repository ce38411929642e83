// The enumerations of the cursor data-set model: states, field types and kinds, update kinds and actions,
// data events.
#pragma once

#include <QVariant>
#include <cstdint>

class TDataSet;
class TField;

enum TDataSetState {
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert,
    dsSetKey,
    dsCalcFields,
    dsFilter,
    dsNewValue,
    dsOldValue,
    dsCurValue,
    dsInternalCalc,
};

enum TFieldType {
    ftUnknown,
    ftString,    // VARCHAR
    ftFixedChar, // CHAR(n), blank-padded
    ftSmallint,
    ftInteger,
    ftWord,
    ftLargeint,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftTime,
    ftDateTime,
    ftMemo,
    ftBlob,
    ftGraphic,
};

enum TFieldKind { fkData, fkCalculated, fkLookup, fkInternalCalc };

enum TUpdateStatus { usUnmodified, usModified, usInserted, usDeleted };
enum TUpdateKind { ukModify, ukInsert, ukDelete };
enum TDataAction { daFail, daAbort, daRetry };
enum TUpdateAction { uaFail, uaAbort, uaSkip, uaRetry, uaApplied };

enum TDataEvent {
    deFieldChange,
    deRecordChange,
    deDataSetChange,
    deDataSetScroll,
    deLayoutChange,
    deUpdateRecord,
    deUpdateState,
    deCheckBrowseMode,
    deFocusControl,
};

enum TLocateOption { loCaseInsensitive = 1, loPartialKey = 2 };
using TLocateOptions = int;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// A bookmark names one record of one open data set; 0 is no bookmark.
using TBookmark = std::uint64_t;

inline bool IsNumericType(TFieldType t)
{
    switch (t) {
    case ftSmallint:
    case ftInteger:
    case ftWord:
    case ftLargeint:
    case ftFloat:
    case ftCurrency:
    case ftBCD:
        return true;
    default:
        return false;
    }
}

inline bool IsStringType(TFieldType t)
{
    return t == ftString || t == ftFixedChar;
}
inline bool IsBlobType(TFieldType t)
{
    return t == ftMemo || t == ftBlob || t == ftGraphic;
}
inline bool IsFloatType(TFieldType t)
{
    return t == ftFloat || t == ftCurrency || t == ftBCD;
}
