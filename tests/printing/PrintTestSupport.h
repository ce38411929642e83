// What the print tests share: the texts of prepared pages, writing small files and reading a PDF's text
// back.
#pragma once

#include "common/WhenModal.h"
#include "platform/report/QuickRep.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <gtest/gtest.h>

inline QStringList PageTexts(const TQRPage &page)
{
    QStringList texts;
    for (const TQRItem &item : page.items)
        if (item.kind == TQRItem::Text)
            texts << item.text;
    return texts;
}

inline QStringList ReportTexts(const TQuickRep &rep)
{
    QStringList texts;
    for (const TQRPage &page : rep.Pages())
        texts << PageTexts(page);
    return texts;
}

inline int ItemCount(const TQuickRep &rep, TQRItem::Kind kind)
{
    int n = 0;
    for (const TQRPage &page : rep.Pages())
        for (const TQRItem &item : page.items)
            n += item.kind == kind;
    return n;
}

inline void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The text of a PDF through pdftotext (pages separated by form feeds); empty without the tool.
inline QString PdfText(const QString &pdf)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000)) << "pdftotext ends";
    return QString::fromUtf8(p.readAllStandardOutput());
}

inline bool HavePdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// Runs with the current folder set to dir, restoring the old one afterwards.
class CurrentFolderScope {
public:
    explicit CurrentFolderScope(const QString &dir) : old_(QDir::currentPath()) { QDir::setCurrent(dir); }
    ~CurrentFolderScope() { QDir::setCurrent(old_); }

private:
    QString old_;
};
