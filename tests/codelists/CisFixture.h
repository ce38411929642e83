// The code-list data module on a fresh database, with the pick and message forms freed after each test.
#pragma once

#include "shell/CisOdbForm.h"
#include "shell/CisPolForm.h"
#include "shell/CisZakForm.h"
#include "shell/CisZamForm.h"
#include "shell/DMCis.h"
#include "shell/FormSluzby.h"
#include "shell/QMsgDForm.h"
#include "shell/QMsgForm.h"
#include "shell/Routines.h"
#include "common/ModuleFixture.h"
#include "common/WhenModal.h"

#include <functional>

class CisTest : public ModuleTest {
protected:
    void afterConnect() override
    {
        cis = std::make_unique<TDMCis>();
        MessageCheckState() = TMessageCheckState();
    }
    void beforeDisconnect() override
    {
        CancelWhenModal();
        delete FormSluzby;
        const auto drop = [](auto &global) {
            delete static_cast<QWidget *>(global);
            global = nullptr;
        };
        drop(CisPolForm);
        drop(CisZakForm);
        drop(CisOdbForm);
        drop(CisZamForm);
        drop(QMsgForm);
        drop(QMsgDForm);
        cis.reset();
    }

    // The rows of a data set, all fetched (an open set holds only what was read so far).
    static int rows(TDataSet &dataSet)
    {
        dataSet.FetchAll();
        return dataSet.RecordCount();
    }

    std::unique_ptr<TDMCis> cis;
};
