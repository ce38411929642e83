// The start benchmark's yardstick: the least a Qt program with a main window does before a user can work
// with it (a menu bar, a tool bar, a status text). Says "started" once the window is shown, and ends.
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("TarvIS"));
    for (const char *title : {"&Systém", "&Predaj", "&Výroba", "&Materiál", "&Expedícia", "&Pomoc"}) {
        QMenu *menu = window.menuBar()->addMenu(QString::fromUtf8(title));
        for (int i = 1; i <= 6; ++i)
            menu->addAction(QStringLiteral("Položka %1").arg(i));
    }
    QToolBar *tools = window.addToolBar(QStringLiteral("Nástroje"));
    for (const char *text : {"Zákazky", "Výkony", "Odvody", "Dodacie listy", "Číselníky"})
        tools->addAction(QString::fromUtf8(text));
    window.statusBar()->showMessage(QStringLiteral("Pripravený"));
    window.resize(800, 120);
    window.show();
    QTimer::singleShot(0, &app, [] {
        std::fputs("started\n", stdout);
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return app.exec();
}
