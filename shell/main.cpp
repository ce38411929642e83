// The program: until the start-up sequence lands, an empty main window titled "TarvIS".
#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("TarvIS"));
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("TarvIS"));
    w.resize(800, 600);
    w.show();
    return app.exec();
}
