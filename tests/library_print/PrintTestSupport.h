// What the print tests share: the texts of prepared pages, answering the modal dialog that code under
// test opens, writing small files and reading a PDF's text back.
#pragma once

#include "platform/report/QuickRep.h"

#include <QApplication>
#include <QDeadlineTimer>
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

// Does the steps on the modal dialog of class T once the code under test has opened it. A dialog that
// does not come within ten seconds fails the test, and whatever modal window stands then is closed so
// the test cannot hang.
template <class T> void WhenModal(std::function<void(T *)> steps)
{
    auto *timer = new QTimer;
    auto deadline = std::make_shared<QDeadlineTimer>(10000);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, steps] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            steps(dialog);
        } else if (deadline->hasExpired()) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "the expected dialog did not open";
            if (QWidget *other = QApplication::activeModalWidget())
                other->close();
        }
    });
    timer->start(10);
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
    p.waitForFinished(30000);
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
