#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsNavigationController.h"

#include "TrainAndRecognize/ZRTrainController.h"
#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsMainController.h"
#include "ViewControllers/OwnedByTabBarController/ActionsViewController/SystemCommandsController.h"
#include "ViewControllers/PeoplePicker/PeoplePickerViewController.h"
#include "ViewControllers/PeoplePicker/PersonViewController.h"
#include "support/ScreenFixture.h"
#include "support/UrlCatcher.h"

namespace {

using enum TableViewCell::Accessory;
using Marks = std::vector<TableViewCell::Accessory>;

// The contacts tab's menu, with its contact list and its system commands.
class ActionsNavigationControllerTest : public ScreenFixture {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        IsolatedStorage::touch(m_storage.contacts() + "/people.vcf",
            "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Anna;;;\r\nFN:Anna Berg\r\n"
            "TEL;TYPE=cell:+49 170 002\r\nTEL;TYPE=work:+49 30 555-1\r\n"
            "item1.TEL:+49 40 777\r\nitem1.X-ABLabel:Oma\r\nEND:VCARD\r\n"
            "BEGIN:VCARD\r\nVERSION:3.0\r\nORG:Acme\r\nFN:Acme\r\nEND:VCARD\r\n");
        m_addressBook.reload();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !m_addressBook.isLoading(); }, 10000));
    }

    // Goes back to the menu, opens its row and the screen it leads to.
    template <class Screen> Screen& open(int row)
    {
        m_actions.popToRootViewControllerAnimated(false);
        qobject_cast<ActionsMainController*>(m_actions.rootViewController())->selectRow(0, row);
        return *qobject_cast<Screen*>(m_actions.topViewController());
    }
    // Opens the contact list and picks the contact listed under `name`.
    PersonViewController& pick(const QString& name)
    {
        auto& list = open<PeoplePickerViewController>(ActionsMainController::ContactsRow);
        for (int section = 0; section < list.numberOfShownSections(); ++section)
            for (int row = 0; row < list.numberOfShownRows(section); ++row)
                if (list.shownCell(section, row)->text == name)
                    list.selectRow(section, row);
        return *qobject_cast<PersonViewController*>(m_actions.topViewController());
    }
    const ZRCommand* training() { return m_actions.trainController().command(); }
    // Answers one training (record, keep, the tip dismissed) that `start`
    // begins, and runs the clock until it is over.
    void train(const std::function<void()>& start)
    {
        m_screen.forgetAnswers();
        m_screen.answer(Popup::Kind::ActionSheet, ZRTrainController::InstructionsSheet, 0);
        m_screen.answer(Popup::Kind::ActionSheet, ZRTrainController::ConfirmSheet, 0);
        m_screen.answer(Popup::Kind::Alert, ZRTrainController::TipAlert, 0);
        start();
        m_clock.runUntil([this] { return training() == nullptr; }, std::chrono::seconds(60));
    }

    UrlCatcher m_dialler;
    ActionsNavigationController m_actions {std::make_shared<ActionsMainController>(services()), services()};
};

TEST(PersonNameTest, TwoPartsWithOneBlankBetweenWhateverIsMissing)
{
    // First name, last name, organisation; the name. The organisation only
    // stands in for a missing name.
    const std::vector<std::array<QString, 4>> rows {{"Anna", "Berg", "", "Anna Berg"}, {"Anna", "", "", "Anna "},
        {"", "Berg", "", " Berg"}, {"", "", "Acme", "Acme "}, {"", "", "", " "}, {"Anna", "", "Acme", "Anna "}};
    for (const auto& [first, last, organization, name] : rows)
        EXPECT_EQ(ActionsNavigationController::personNameOf(Contact {first, last, organization, {}, {}, {}}), name);
}

TEST_F(
    ActionsNavigationControllerTest, ATappedNumberOrSystemCommandIsTrainedAndRecordTrainsTheFirstAgainUnderItsOldName)
{
    PersonViewController& acme = pick("Acme");  // no numbers: nothing to record
    EXPECT_EQ(acme.numberOfShownRows(0), 0);
    EXPECT_FALSE(acme.rightBarButtonEnabled());
    acme.clickedRightBarButton();
    EXPECT_EQ(training(), nullptr);

    const auto known = trainDigit(ZRCommandTypePhone, 2);  // "Digit 2", "+49 170 002"
    const auto newestBefore = known->sample1();
    PersonViewController& details = pick("Anna Berg");
    EXPECT_EQ(details.title(), "Anna Berg");
    ASSERT_EQ(details.numberOfShownRows(0), 3);
    EXPECT_EQ(details.shownCell(0, 0)->detailText, qtTrId("phoneKindMobile"));
    EXPECT_EQ(details.shownCell(0, 2)->detailText, "Oma") << "the user's own label, as written";
    EXPECT_EQ(details.rightBarButtonTitle(), qtTrId("actionsNavBarRecordButton"));
    EXPECT_TRUE(details.rightBarButtonEnabled());

    details.selectRow(0, 1);
    ASSERT_NE(training(), nullptr);
    EXPECT_EQ(training()->phoneNumber(), "+49 30 555-1");
    EXPECT_EQ(training()->name(), "Anna Berg");
    details.clickedRightBarButton();
    EXPECT_EQ(training()->phoneNumber(), "+49 30 555-1") << "one training at a time";
    m_clock.advance(std::chrono::milliseconds(0));
    m_screen.press(1);  // not now
    EXPECT_TRUE(m_dialler.opened.isEmpty()) << "a tapped number is never called";

    // The first number is known: another sample, under its old name.
    say(2);
    train([&] {
        details.clickedRightBarButton();
        EXPECT_EQ(training(), known.get());
    });
    EXPECT_EQ(m_store.count(), 1u) << "no second command for the same number";
    EXPECT_EQ(known->name(), "Digit 2");
    EXPECT_NE(known->sample1(), newestBefore) << "the new sample is the newest";

    // The system commands: checked once trained; Record trains accept again.
    const auto accept = trainDigit(ZRCommandTypeAccept, kAcceptDigit);
    accept->setName("Okay");
    const auto acceptBefore = accept->sample1();
    auto& screen = open<SystemCommandsController>(ActionsMainController::SystemCommandsRow);
    EXPECT_EQ(screen.shownCell(0, 1)->text, qtTrId("sysCommRepeat"));
    const auto marks = [&screen] {
        Marks marks;
        for (int row = 0; row < screen.numberOfShownRows(0); ++row)
            marks.push_back(screen.shownCell(0, row)->accessory);
        return marks;
    };
    EXPECT_EQ(marks(), (Marks {Checkmark, DisclosureIndicator, DisclosureIndicator}));

    say(kRepeatDigit);
    train([&] { screen.selectRow(0, 1); });
    EXPECT_EQ(marks(), (Marks {Checkmark, Checkmark, DisclosureIndicator}));
    const auto repeat = m_store.commandForSystemCommandType(ZRCommandTypeRepeat);
    ASSERT_NE(repeat, nullptr);
    EXPECT_EQ(repeat->name(), qtTrId("sysCommRepeat"));
    EXPECT_TRUE(repeat->phoneNumber().isNull()) << "a control word has no number";

    say(kAcceptDigit);
    train([&] {
        screen.clickedSystemCommandsRecordBarButton();
        EXPECT_EQ(training(), accept.get());
    });
    EXPECT_EQ(accept->name(), "Okay");
    EXPECT_NE(accept->sample1(), acceptBefore);
    EXPECT_EQ(m_store.numberOfSystemCommands(), 2);

    // Deleted elsewhere: the mark goes when the screen shows again.
    m_store.removeCommand(*repeat);
    screen.viewWillAppear(false);
    EXPECT_EQ(marks(), (Marks {Checkmark, DisclosureIndicator, DisclosureIndicator}));
}

}  // namespace
