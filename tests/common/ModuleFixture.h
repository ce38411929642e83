// The base data module connected to a fresh database (the shell fixture), ready for the data modules a test
// stands on: a fixture makes them in afterConnect(), which runs only once the connection is up, and frees them
// in beforeDisconnect(), which runs whether or not the set-up got that far. With Boxes::Answered a responder
// records and answers every message box instead of the screen.
#pragma once

#include "platform/ui/Dialogs.h"
#include "shell/ShellFixture.h"

#include <memory>

class ModuleTest : public ShellTest {
protected:
    enum class Boxes { Shown, Answered };
    explicit ModuleTest(Boxes boxes = Boxes::Shown) : boxes_(boxes) {}

    void SetUp() override
    {
        ShellTest::SetUp();
        beforeConnect();
        connect();
        if (HasFatalFailure())
            return;
        if (boxes_ == Boxes::Answered)
            responder = std::make_unique<TTestResponder>();
        afterConnect();
    }
    void TearDown() override
    {
        beforeDisconnect();
        responder.reset();
        ShellTest::TearDown();
    }
    // Runs before the base data module is made (which reads the locale and the settings then).
    virtual void beforeConnect() {}
    virtual void afterConnect() {}
    virtual void beforeDisconnect() {}

    std::unique_ptr<TTestResponder> responder;

private:
    Boxes boxes_;
};
