// Hostile texts a user might type into a filter or search edit: quotes, comments, OR terms, wildcards,
// placeholders and letters outside ASCII. Each must stay one typed value.
#pragma once

#include <QString>
#include <QTest>

inline const char *const kHostileCorpus[] = {
    "x' or '1'='1",
    "' or 1=1 --",
    "0) or (1=1",
    "or 1=1 or NAZOV like",
    "%' or ''='",
    "a'; delete from T_H; --",
    "1 or 1=1",
    "-1",
    "--",
    "/*",
    "*/ or 1=1 /*",
    "\\",
    "%",
    "_",
    "%1%2%3",
    "?",
    "a?b",
    "!1",
    "''",
    "O'Neil",
    "1; drop table T_H",
    "  ab  ",
    "12345678",
    "\" or \"\"=\"",
    "č'š",
    "1.2.2026",
    "2026-02-15",
};

// Types text by real key presses, letters outside ASCII included.
inline void TypeText(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
