// Stands in for the desktop while a test runs: files handed to it are listed instead of opened.
#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>

class DesktopSpy : public QObject {
    Q_OBJECT
public:
    DesktopSpy() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~DesktopSpy() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList Opened;
public slots:
    void open(const QUrl &url) { Opened << url.toLocalFile(); }
};
