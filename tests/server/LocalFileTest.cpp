// A plain file path opened with the embedded engine alone: a file the engine cannot open (here one the
// server holds open) is refused in Slovak, not reached through the local server.
#include "ServerFixture.h"
#include "platform/fbapi/IBError.h"

namespace {

class LocalFileTest : public ServerTest {};

TEST_F(LocalFileTest, AFileTheEngineCannotOpenIsNotReachedThroughTheServer)
{
    auto held = workstation();
    const QString path = name.section(QLatin1Char(':'), 1);
    fb::ConnectParams params = admin();
    {
        // What the engine alone prevents: every provider of the client library reaches the file.
        fb::Attachment any;
        EXPECT_NO_THROW(any.attach(path, params)) << "the local server serves the file";
    }
    params.providers = QStringLiteral("Engine12");
    fb::Attachment engine;
    try {
        engine.attach(path, params);
        ADD_FAILURE() << "opened through the server";
    } catch (const EIBError &e) {
        EXPECT_TRUE(e.Message.startsWith(QString::fromUtf8("Databázu ") + path)) << e.Message.toStdString();
    }
    EXPECT_FALSE(engine.isAttached());
}

} // namespace
