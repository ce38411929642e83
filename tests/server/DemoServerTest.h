// The server tests' fixture on a copy of the demo foundry (made at build time) opened by the server in the
// test's folder and dropped afterwards.
#pragma once

#include "ServerFixture.h"

class DemoServerTest : public ServerTest {
protected:
    void makeDatabase() override;
};
