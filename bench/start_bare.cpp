// The start benchmark's yardstick: the least a Qt database program with a main window does before a user can
// work with it (a menu bar, a tool bar, a status text, then an attachment to the database and one small query:
// the user's privileges, as the program reads them first), its window painted once. Says "started" once the rows are
// read, and ends. Usage: start_bare DATABASE
#include "BareSql.h"

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
    if (argc < 2) {
        std::fputs("start_bare: give the database\n", stderr);
        return 2;
    }
    const QString database = QString::fromLocal8Bit(argv[1]);
    QTimer::singleShot(0, &app, [&database, &window] {
        // Painted once before the attachment, as the program paints its menu window before it attaches.
        window.repaint();
        TBareSql sql(database);
        const auto rows =
            sql.Rows(QStringLiteral("select RDB_PRIVILEGE, RDB_LEVEL from QPrivileges where RDB_USER=USER"));
        sql.Commit();
        std::printf("%zu\n", rows.size());
        std::fputs("started\n", stdout);
        std::fflush(stdout);
        QCoreApplication::quit();
    });
    return app.exec();
}
