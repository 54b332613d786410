#include "DataModel/ZRCommandList.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRSample.h"
#include "Platform/System/UserDefaults.h"
#include "support/IsolatedStorage.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

class ZRCommandListTest : public ::testing::Test {
protected:
    std::shared_ptr<ZRCommand> trained(std::int32_t type, const QString& number = {}, int samples = 1)
    {
        auto command = ZRCommand::initForCommandType(type, m_store);
        command->setPhoneNumber(number);
        command->setName(number.isNull() ? QStringLiteral("system") : QStringLiteral("Name of ") + number);
        for (int i = 0; i < samples; ++i) {
            auto sample = ZRSample::initForCommand(*command);
            IsolatedStorage::touch(sample->filePath());
            command->setSample(sample);
        }
        return command;
    }

    static bool hasData() { return UserDefaults::standardUserDefaults().boolForKey("CommandListHasData"); }

    int sampleFiles() const { return QDir(m_storage.documents()).entryList({"sample*.aif"}, QDir::Files).size(); }

    IsolatedStorage m_storage;
    ZRCommandList m_store;
};

TEST_F(ZRCommandListTest, AFreshStoreIsEmptyWritesNothingAndNeverReusesIdentifiers)
{
    EXPECT_EQ(m_store.count(), 0u);
    EXPECT_EQ(m_store.numberOfSystemCommands(), 0);
    EXPECT_EQ(m_store.systemCommandAtIndex(0), nullptr);
    // The three slots are one empty command, which untrained accept's identifier 0 finds.
    EXPECT_EQ(m_store.embeddedSystemList()[0], m_store.embeddedSystemList()[2]);
    EXPECT_EQ(m_store.embeddedSystemList()[0]->type(), ZRCommandTypeNone);
    EXPECT_EQ(m_store.systemCommandForID(0), m_store.embeddedSystemList()[0]);
    EXPECT_FALSE(QFile::exists(ZRCommandList::createCommandListFileURL()));
    EXPECT_EQ(ZRCommandList::createCommandListFileURL(), m_storage.documents() + "/samcomandlist");

    for (int expected = 0; expected < 3; ++expected) {
        const auto command = trained(ZRCommandTypePhone, QString::number(expected));
        EXPECT_EQ(command->commandID(), expected);
        m_store.addCommand(command);
    }
    m_store.removeAllCommands();
    EXPECT_EQ(trained(ZRCommandTypePhone, "x")->commandID(), 3);
}

TEST_F(ZRCommandListTest, HasDataFollowsThePhoneCommandsOnly)
{
    const auto phone = trained(ZRCommandTypePhone, "1");
    const auto accept = trained(ZRCommandTypeAccept);
    m_store.addCommand(accept);
    EXPECT_FALSE(hasData()) << "a system command is no phone command";
    m_store.addCommand(phone);
    EXPECT_TRUE(hasData());
    m_store.removeCommand(*accept);
    EXPECT_TRUE(hasData()) << "removing a system command leaves phone commands";
    m_store.removeCommand(*phone);
    EXPECT_FALSE(hasData());
    m_store.addCommand(trained(ZRCommandTypePhone, "2"));
    m_store.removeAllCommands();
    EXPECT_FALSE(hasData());
}

TEST_F(ZRCommandListTest, EveryChangeIsSavedAndOtherTypesAreIgnored)
{
    m_store.addCommand(trained(ZRCommandTypeNone));
    m_store.addCommand(trained(7));
    EXPECT_FALSE(QFile::exists(ZRCommandList::createCommandListFileURL()));

    m_store.addCommand(trained(ZRCommandTypeRepeat));
    EXPECT_EQ(ZRCommandList::loadFromFile().numberOfSystemCommands(), 1);
    m_store.addCommand(trained(ZRCommandTypePhone, "1"));
    EXPECT_EQ(ZRCommandList::loadFromFile().count(), 1u);
    m_store.removeCommand(*m_store.commandAtIndex(0));
    EXPECT_EQ(ZRCommandList::loadFromFile().count(), 0u);
    m_store.removeAllCommands();
    EXPECT_EQ(ZRCommandList::loadFromFile().numberOfSystemCommands(), 0);
}

TEST_F(ZRCommandListTest, SystemSlotsAreFilledAndQueriedInSlotOrder)
{
    const auto repeat = trained(ZRCommandTypeRepeat);
    m_store.addCommand(repeat);
    EXPECT_EQ(m_store.numberOfSystemCommands(), 1);
    EXPECT_EQ(m_store.systemCommandAtIndex(0), repeat);
    EXPECT_EQ(m_store.systemCommandAtIndex(1), nullptr);
    EXPECT_EQ(m_store.commandForSystemCommandType(ZRCommandTypeAccept), nullptr);
    EXPECT_EQ(m_store.commandForSystemCommandType(ZRCommandTypeRepeat), repeat);
    EXPECT_TRUE(m_store.hasSystemCommandSampleOfType(ZRCommandTypeRepeat));
    EXPECT_FALSE(m_store.hasSystemCommandSampleOfType(ZRCommandTypeCancel));
    EXPECT_EQ(m_store.systemCommandForID(1), repeat);

    const auto cancel = trained(ZRCommandTypeCancel);
    const auto accept = trained(ZRCommandTypeAccept);
    m_store.addCommand(cancel);
    m_store.addCommand(accept);
    EXPECT_EQ(m_store.numberOfSystemCommands(), 3);
    EXPECT_EQ(m_store.systemCommandAtIndex(0), accept);
    EXPECT_EQ(m_store.systemCommandAtIndex(2), cancel);

    // Training a slot again replaces its command.
    const auto newAccept = trained(ZRCommandTypeAccept);
    m_store.addCommand(newAccept);
    EXPECT_EQ(m_store.embeddedSystemList()[0], newAccept);
}

TEST_F(ZRCommandListTest, RemovingACommandDeletesItsFilesOnly)
{
    const auto accept = trained(ZRCommandTypeAccept, {}, 2);
    const auto cancel = trained(ZRCommandTypeCancel, {}, 1);
    const auto phone = trained(ZRCommandTypePhone, "1", 3);
    m_store.addCommand(accept);
    m_store.addCommand(cancel);
    m_store.addCommand(phone);
    ASSERT_EQ(sampleFiles(), 6);

    m_store.removeCommand(*accept);
    EXPECT_EQ(sampleFiles(), 4);
    EXPECT_EQ(m_store.embeddedSystemList()[0]->type(), ZRCommandTypeNone);
    EXPECT_EQ(m_store.embeddedSystemList()[2], cancel);
    EXPECT_EQ(m_store.count(), 1u);

    m_store.removeAllCommands();
    EXPECT_EQ(sampleFiles(), 0);
    EXPECT_EQ(m_store.count(), 0u);
    EXPECT_EQ(m_store.numberOfSystemCommands(), 0);
}

TEST_F(ZRCommandListTest, LookupsCompareIdentifiersAndPhoneNumbersExactly)
{
    const auto spaced = trained(ZRCommandTypePhone, "+49 170 1234567");
    m_store.addCommand(spaced);
    m_store.addCommand(trained(ZRCommandTypePhone, "2"));
    EXPECT_EQ(m_store.commandForPhoneNumber("+49 170 1234567"), spaced);
    EXPECT_EQ(m_store.commandForPhoneNumber("+491701234567"), nullptr);
    EXPECT_EQ(m_store.commandForID(spaced->commandID()), spaced);
    EXPECT_EQ(m_store.commandForID(99), nullptr);
    // A different object standing for the second command, as a decoded copy would.
    m_store.removeCommand(*ZRCommandList::loadFromFile().commandAtIndex(1));
    ASSERT_EQ(m_store.count(), 1u);
    EXPECT_EQ(m_store.commandAtIndex(0), spaced);
}

}  // namespace
