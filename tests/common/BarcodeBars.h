// Reading a printed barcode back: the bars of its picture in the encoder's pattern language, so a test
// compares them with the pattern the encoder makes for a text.
#pragma once

#include <QImage>
#include <QList>
#include <QPair>
#include <QString>
#include <climits>

// Runs of dark and light across the picture's middle: '5'.. bars, '0'.. spaces, 1 to 4 modules.
inline QString barsOf(const QImage &image)
{
    const int y = image.height() / 2;
    QList<QPair<bool, int>> runs;
    for (int x = 0; x < image.width(); ++x) {
        const bool dark = qGray(image.pixel(x, y)) < 128;
        if (!runs.isEmpty() && runs.last().first == dark)
            ++runs.last().second;
        else
            runs.append({dark, 1});
    }
    while (!runs.isEmpty() && !runs.first().first)
        runs.removeFirst();
    while (!runs.isEmpty() && !runs.last().first)
        runs.removeLast();
    int module = INT_MAX;
    for (const auto &r : runs)
        module = qMin(module, r.second);
    QString pattern;
    for (const auto &r : runs)
        pattern += QChar((r.first ? '5' : '0') + r.second / module - 1);
    return pattern;
}
