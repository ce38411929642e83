// The fuzz target run on each file of its kept inputs (files or folders given as arguments), as the
// ordinary test suite runs it: any input that crashes or hangs it fails the test.
#include "FuzzSupport.h"

#include <QDirIterator>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    fuzz::Start();
    int ran = 0;
    for (int i = 1; i < argc; ++i) {
        QStringList files;
        if (QFileInfo(QString::fromLocal8Bit(argv[i])).isDir()) {
            QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files);
            while (it.hasNext())
                files << it.next();
        } else {
            files << QString::fromLocal8Bit(argv[i]);
        }
        files.sort();
        for (const QString &name : files) {
            QFile f(name);
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
                return 1;
            }
            const QByteArray bytes = f.readAll();
            std::fprintf(stderr, "%s\n", qPrintable(QFileInfo(name).fileName()));
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                                   std::size_t(bytes.size()));
            ++ran;
        }
    }
    std::printf("replayed %d inputs\n", ran);
    return ran > 0 ? 0 : 1;
}
