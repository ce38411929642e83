// The code-list data module on a fresh database, with the pick and message forms freed after each test
// and a helper that acts in the next modal window once it is on screen.
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
#include "shell/ShellFixture.h"

#include <QApplication>
#include <QTimer>
#include <functional>

class CisTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        connect();
        if (HasFatalFailure())
            return;
        cis = std::make_unique<TDMCis>();
        MessageCheckState() = TMessageCheckState();
    }
    void TearDown() override
    {
        delete FormSluzby;
        for (QWidget **form : {reinterpret_cast<QWidget **>(&CisPolForm), reinterpret_cast<QWidget **>(&CisZakForm),
                               reinterpret_cast<QWidget **>(&CisOdbForm), reinterpret_cast<QWidget **>(&CisZamForm),
                               reinterpret_cast<QWidget **>(&QMsgForm), reinterpret_cast<QWidget **>(&QMsgDForm)}) {
            delete *form;
            *form = nullptr;
        }
        cis.reset();
        ShellTest::TearDown();
    }

    // Runs action in the next modal window as soon as it shows (gives up after about five seconds).
    // A window given as `other` is passed over (the window a nested one opens from).
    static void whenModal(std::function<void(QWidget *)> action, QWidget *other = nullptr, int tries = 500)
    {
        QTimer::singleShot(10, [action, other, tries, generation = modalGeneration()] {
            if (generation != modalGeneration())
                return;
            QWidget *w = QApplication::activeModalWidget();
            if (w && w != other)
                action(w);
            else if (tries > 0)
                whenModal(action, other, tries - 1);
        });
    }
    // Drops the actions still waiting for a modal window.
    static void cancelWhenModal() { ++modalGeneration(); }
    static int &modalGeneration()
    {
        static int generation = 0;
        return generation;
    }
    // Closes the next modal window with a modal result.
    static void closeModal(int result, std::function<void(QWidget *)> before = nullptr)
    {
        whenModal([result, before](QWidget *w) {
            if (before)
                before(w);
            if (auto *form = qobject_cast<TForm *>(w))
                form->SetModalResult(result);
            else
                w->close();
        });
    }
    // The rows of a data set, all fetched (an open set holds only what was read so far).
    static int rows(TDataSet &dataSet)
    {
        dataSet.FetchAll();
        return dataSet.RecordCount();
    }
    int count(const QString &sql) { return SelectValueParams(sql).toInt(); }

    std::unique_ptr<TDMCis> cis;
};
