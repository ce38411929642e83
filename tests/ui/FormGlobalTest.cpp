// The global of a long-lived form whose making waits for its first use.
#include "platform/ui/FormGlobal.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct Browser;
TFormGlobal<Browser> Waiting{"WaitingBrowser"};

// Becomes its global as it is made, as the program's forms do.
struct Browser : TForm {
    explicit Browser(QWidget *owner = nullptr) : TForm(owner) { TrackGlobal(this, Waiting); }
    int opened = 0;
    void Open() { ++opened; }
};

// Stands for the program's start-up list: makes the form of a global name on request and keeps it.
struct Maker {
    QStringList asked;
    std::unique_ptr<Browser> made;
    std::function<void(const QString &)> saved = FormGlobalMaker();
    Maker()
    {
        FormGlobalMaker() = [this](const QString &name) {
            asked << name;
            made = std::make_unique<Browser>();
        };
    }
    ~Maker()
    {
        SetFormGlobalPending(QStringLiteral("WaitingBrowser"), false);
        FormGlobalMaker() = saved;
    }
};

} // namespace

TEST(FormGlobal, AWaitingFormIsThereAndIsMadeOnceAtItsFirstUse)
{
    Maker maker;
    EXPECT_FALSE(SetFormGlobalPending(QStringLiteral("NoSuchForm"), true)) << "only a global can wait";
    ASSERT_TRUE(SetFormGlobalPending(QStringLiteral("WaitingBrowser"), true));

    EXPECT_TRUE(bool(Waiting)) << "a check that the form exists does not make it";
    EXPECT_FALSE(Waiting.Made());
    EXPECT_TRUE(maker.asked.isEmpty());

    Waiting->Open();
    Waiting->Open();
    EXPECT_EQ(maker.asked, QStringList{"WaitingBrowser"});
    ASSERT_TRUE(Waiting.Made());
    EXPECT_EQ(static_cast<Browser *>(Waiting), maker.made.get());
    EXPECT_EQ(maker.made->opened, 2);

    // The form goes: the global is empty and does not make it again.
    maker.made.reset();
    EXPECT_FALSE(bool(Waiting));
    EXPECT_EQ(Waiting.get(), nullptr);
    EXPECT_EQ(maker.asked.size(), 1);
}

TEST(FormGlobal, AFormNoLongerWaitingIsNeverMadeAndOneMadeDirectlyIsTheGlobal)
{
    Maker maker;
    ASSERT_TRUE(SetFormGlobalPending(QStringLiteral("WaitingBrowser"), true));
    // The program ends before anyone used it.
    SetFormGlobalPending(QStringLiteral("WaitingBrowser"), false);
    EXPECT_FALSE(bool(Waiting));
    EXPECT_EQ(Waiting.get(), nullptr);
    EXPECT_TRUE(maker.asked.isEmpty());

    // A dialog on demand is made by its first user and stays the global until it goes.
    Browser &onDemand = FormOnDemand(Waiting);
    EXPECT_TRUE(maker.asked.isEmpty());
    EXPECT_EQ(Waiting.get(), &onDemand);
    EXPECT_EQ(&FormOnDemand(Waiting), &onDemand);
    delete &onDemand;
    EXPECT_FALSE(bool(Waiting));
}

TEST(FormGlobal, AFailedMakingReachesItsCaller)
{
    Maker maker;
    FormGlobalMaker() = [](const QString &) { throw std::runtime_error("no database"); };
    ASSERT_TRUE(SetFormGlobalPending(QStringLiteral("WaitingBrowser"), true));
    EXPECT_THROW(Waiting->Open(), std::runtime_error);
    EXPECT_EQ(Waiting.get(), nullptr);
}
