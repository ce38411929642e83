// Test main: one QApplication (offscreen under CTest) for every test program, its modal windows watched.
// Qt's complaints about an item view's editors (an editor committed or closed after it left its view, an
// edit that failed) fail the running test: they mean a grid lost track of its cell editor.
#include "WhenModal.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

QtMessageHandler qtDefaultHandler = nullptr;

void failOnEditorWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg &&
        (message.contains(QLatin1String("does not belong to this view")) ||
         message.contains(QLatin1String("edit: editing failed"))))
        ADD_FAILURE() << "Qt: " << message.toStdString();
    if (qtDefaultHandler)
        qtDefaultHandler(type, context, message);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qtDefaultHandler = qInstallMessageHandler(failOnEditorWarnings);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    InstallModalWatch();
    return RUN_ALL_TESTS();
}
