#include "ViewControllers/OwnedByTabBarController/ActionsViewController/SystemCommandsController.h"

#include "DataModel/ZRCommand.h"
#include "TrainAndRecognize/ZRTrainController.h"
#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsMainController.h"
#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsNavigationController.h"
#include "support/ScreenFixture.h"

namespace {

using Accessory = TableViewCell::Accessory;

class SystemCommandsControllerTest : public ScreenFixture {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        m_actions = std::make_unique<ActionsNavigationController>(
            std::make_shared<ActionsMainController>(services()), services());
        auto screen = std::make_shared<SystemCommandsController>(services());
        m_systemCommands = screen.get();
        m_actions->pushViewController(std::move(screen), false);
    }

    std::vector<Accessory> accessories() const
    {
        std::vector<Accessory> marks;
        for (int row = 0; row < m_systemCommands->numberOfShownRows(0); ++row)
            marks.push_back(m_systemCommands->shownCell(0, row)->accessory);
        return marks;
    }

    std::unique_ptr<ActionsNavigationController> m_actions;
    SystemCommandsController* m_systemCommands = nullptr;
};

TEST_F(SystemCommandsControllerTest, ATrainedWordIsCheckedAfterItsFirstKeptSample)
{
    EXPECT_EQ(accessories(), std::vector<Accessory>(3, Accessory::DisclosureIndicator));
    EXPECT_EQ(m_systemCommands->shownCell(0, 1)->text, qtTrId("sysCommRepeat"));

    say(kRepeatDigit);
    answerTraining();
    m_systemCommands->selectRow(0, 1);
    finishTraining(*m_actions);
    EXPECT_EQ(accessories(),
        (std::vector<Accessory> {
            Accessory::DisclosureIndicator, Accessory::Checkmark, Accessory::DisclosureIndicator}));
    const auto repeat = m_store.commandForSystemCommandType(ZRCommandTypeRepeat);
    ASSERT_NE(repeat, nullptr);
    EXPECT_EQ(repeat->name(), qtTrId("sysCommRepeat"));
    EXPECT_TRUE(repeat->phoneNumber().isNull()) << "a control word has no number";

    // Deleted elsewhere: the mark goes when the screen shows again.
    m_store.removeCommand(*repeat);
    m_systemCommands->viewWillAppear(false);
    EXPECT_EQ(accessories(), std::vector<Accessory>(3, Accessory::DisclosureIndicator));
}

TEST_F(SystemCommandsControllerTest, TheRecordButtonTrainsAcceptFurtherUnderItsOldName)
{
    const auto accept = trainDigit(ZRCommandTypeAccept, kAcceptDigit);
    accept->setName("Okay");
    trainDigit(ZRCommandTypeRepeat, kRepeatDigit);
    trainDigit(ZRCommandTypeCancel, kCancelDigit);
    const auto newestBefore = accept->sample1();

    say(kAcceptDigit);
    answerTraining();
    m_systemCommands->clickedSystemCommandsRecordBarButton();
    EXPECT_EQ(m_actions->trainController().command(), accept.get());
    finishTraining(*m_actions);
    EXPECT_EQ(accept->name(), "Okay");
    EXPECT_NE(accept->sample1(), newestBefore);
    EXPECT_EQ(m_store.numberOfSystemCommands(), 3);
}

}  // namespace
