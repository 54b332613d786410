#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsNavigationController.h"

#include "DataModel/ZRCommand.h"
#include "Platform/Contacts/Contact.h"
#include "TrainAndRecognize/ZRTrainController.h"
#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsMainController.h"
#include "ViewControllers/OwnedByTabBarController/ActionsViewController/SystemCommandsController.h"
#include "ViewControllers/PeoplePicker/PeoplePickerViewController.h"
#include "ViewControllers/PeoplePicker/PersonViewController.h"
#include "support/ScreenFixture.h"
#include "support/UrlCatcher.h"

namespace {

using Accessory = TableViewCell::Accessory;

// The contacts tab's menu, with its contact list and its system commands.
class ActionsNavigationControllerTest : public ScreenFixture {
protected:
    void SetUp() override
    {
        ScreenFixture::SetUp();
        writeContacts("people.vcf",
            "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Anna;;;\r\nFN:Anna Berg\r\n"
            "TEL;TYPE=cell:+49 170 002\r\nTEL;TYPE=work:+49 30 555-1\r\n"
            "item1.TEL:+49 40 777\r\nitem1.X-ABLabel:Oma\r\nEND:VCARD\r\n"
            "BEGIN:VCARD\r\nVERSION:3.0\r\nORG:Acme\r\nFN:Acme\r\nEND:VCARD\r\n");
    }

    ActionsMainController& menu() const
    {
        return *qobject_cast<ActionsMainController*>(m_actions.rootViewController());
    }

    // Opens the contact list and picks the contact listed under `name`.
    PersonViewController& pick(const QString& name)
    {
        menu().selectRow(0, ActionsMainController::ContactsRow);
        auto& list = *qobject_cast<PeoplePickerViewController*>(m_actions.topViewController());
        for (int section = 0; section < list.numberOfShownSections(); ++section) {
            for (int row = 0; row < list.numberOfShownRows(section); ++row) {
                if (list.shownCell(section, row)->text == name)
                    list.selectRow(section, row);
            }
        }
        return *qobject_cast<PersonViewController*>(m_actions.topViewController());
    }
    SystemCommandsController& systemCommands()
    {
        menu().selectRow(0, ActionsMainController::SystemCommandsRow);
        return *qobject_cast<SystemCommandsController*>(m_actions.topViewController());
    }
    std::vector<Accessory> accessories(const SystemCommandsController& screen) const
    {
        std::vector<Accessory> marks;
        for (int row = 0; row < screen.numberOfShownRows(0); ++row)
            marks.push_back(screen.shownCell(0, row)->accessory);
        return marks;
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
    for (const auto& [first, last, organization, name] : rows) {
        Contact contact;
        contact.firstName = first;
        contact.lastName = last;
        contact.organization = organization;
        EXPECT_EQ(ActionsNavigationController::personNameOf(contact), name);
    }
}

TEST_F(ActionsNavigationControllerTest, ATappedNumberIsTrainedAndTheRecordButtonTrainsTheFirst)
{
    PersonViewController& details = pick("Anna Berg");
    EXPECT_EQ(details.title(), "Anna Berg");
    ASSERT_EQ(details.numberOfShownRows(0), 3);
    EXPECT_EQ(details.shownCell(0, 0)->detailText, qtTrId("phoneKindMobile"));
    EXPECT_EQ(details.shownCell(0, 2)->detailText, "Oma") << "the user's own label, as written";
    EXPECT_EQ(details.rightBarButtonTitle(), qtTrId("actionsNavBarRecordButton"));
    EXPECT_TRUE(details.rightBarButtonEnabled());

    details.selectRow(0, 1);
    ASSERT_NE(m_actions.trainController().command(), nullptr);
    EXPECT_EQ(m_actions.trainController().command()->phoneNumber(), "+49 30 555-1");
    EXPECT_EQ(m_actions.trainController().command()->name(), "Anna Berg");
    details.clickedRightBarButton();
    EXPECT_EQ(m_actions.trainController().command()->phoneNumber(), "+49 30 555-1") << "one training at a time";
    m_clock.advance(std::chrono::milliseconds(0));
    m_screen.press(1);  // not now
    EXPECT_TRUE(m_dialler.opened.isEmpty()) << "a tapped number is never called";

    details.clickedRightBarButton();
    ASSERT_NE(m_actions.trainController().command(), nullptr);
    EXPECT_EQ(m_actions.trainController().command()->phoneNumber(), "+49 170 002");
}

TEST_F(ActionsNavigationControllerTest, AKnownNumberGetsAnotherSampleUnderItsOldNameAnotherSpellingIsNew)
{
    const auto known = trainDigit(ZRCommandTypePhone, 2);  // "Digit 2", "+49 170 002"
    const int samplesBefore = known->numberOfSamples();
    const auto firstSample = known->sample1();
    PersonViewController& details = pick("Anna Berg");
    say(2);
    answerTraining();
    details.selectRow(0, 0);
    finishTraining(m_actions);
    EXPECT_EQ(m_store.count(), 1u) << "no second command for the same number";
    EXPECT_EQ(known->name(), "Digit 2");
    EXPECT_EQ(known->numberOfSamples(), std::min(samplesBefore + 1, 3));
    EXPECT_NE(known->sample1(), firstSample) << "the new sample is the newest";

    // Numbers that differ by a blank or a dash are different commands.
    EXPECT_EQ(m_actions.commandForPerson("x", "+49 170 002"), known);
    EXPECT_NE(m_actions.commandForPerson("Anna Berg", "+49-170-002"), known);
    const auto withoutBlanks = m_actions.commandForPerson("Anna Berg", "+49170002");
    EXPECT_NE(withoutBlanks, known);
    say(2);
    answerTraining();
    m_actions.trainCommand(withoutBlanks, &m_actions);
    finishTraining(m_actions);
    EXPECT_EQ(m_store.count(), 2u) << "a new number joins the store with its first kept sample";
    EXPECT_EQ(m_store.commandAtIndex(1)->name(), "Anna Berg");
}

TEST_F(ActionsNavigationControllerTest, AContactWithoutNumbersCannotBeRecorded)
{
    PersonViewController& details = pick("Acme");
    EXPECT_EQ(details.numberOfShownRows(0), 0);
    EXPECT_FALSE(details.rightBarButtonEnabled());
    details.clickedRightBarButton();
    EXPECT_EQ(m_actions.trainController().command(), nullptr);
    EXPECT_EQ(m_actions.personName(), "Acme ");
}

TEST_F(ActionsNavigationControllerTest, ASystemCommandIsCheckedOnceTrainedAndRecordTrainsAcceptUnderItsOldName)
{
    const auto accept = trainDigit(ZRCommandTypeAccept, kAcceptDigit);
    accept->setName("Okay");
    const auto newestBefore = accept->sample1();
    SystemCommandsController& screen = systemCommands();
    EXPECT_EQ(screen.shownCell(0, 1)->text, qtTrId("sysCommRepeat"));
    const auto marks = [&](Accessory repeat) {
        return std::vector<Accessory> {Accessory::Checkmark, repeat, Accessory::DisclosureIndicator};
    };
    EXPECT_EQ(accessories(screen), marks(Accessory::DisclosureIndicator));

    say(kRepeatDigit);
    answerTraining();
    screen.selectRow(0, 1);
    finishTraining(m_actions);
    EXPECT_EQ(accessories(screen), marks(Accessory::Checkmark));
    const auto repeat = m_store.commandForSystemCommandType(ZRCommandTypeRepeat);
    ASSERT_NE(repeat, nullptr);
    EXPECT_EQ(repeat->name(), qtTrId("sysCommRepeat"));
    EXPECT_TRUE(repeat->phoneNumber().isNull()) << "a control word has no number";

    say(kAcceptDigit);
    answerTraining();
    screen.clickedSystemCommandsRecordBarButton();
    EXPECT_EQ(m_actions.trainController().command(), accept.get());
    finishTraining(m_actions);
    EXPECT_EQ(accept->name(), "Okay");
    EXPECT_NE(accept->sample1(), newestBefore);
    EXPECT_EQ(m_store.numberOfSystemCommands(), 2);

    // Deleted elsewhere: the mark goes when the screen shows again.
    m_store.removeCommand(*repeat);
    screen.viewWillAppear(false);
    EXPECT_EQ(accessories(screen), marks(Accessory::DisclosureIndicator));
}

}  // namespace
