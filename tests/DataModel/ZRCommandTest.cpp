#include "DataModel/ZRCommand.h"

#include "DataModel/ZRCommandList.h"
#include "DataModel/ZRSample.h"
#include "support/IsolatedStorage.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

namespace {

class ZRCommandTest : public ::testing::Test {
protected:
    void TearDown() override { ZRSample::setClock(nullptr); }

    // A sample whose audio file exists in the Documents directory.
    std::shared_ptr<ZRSample> sampleWithFile(const ZRCommand& command)
    {
        auto sample = ZRSample::initForCommand(command);
        IsolatedStorage::touch(sample->filePath());
        return sample;
    }

    QStringList filesInDocuments() const { return QDir(m_storage.documents()).entryList(QDir::Files, QDir::Name); }

    IsolatedStorage m_storage;
    ZRCommandList m_store;
};

TEST_F(ZRCommandTest, TypesDecideTheIdentifier)
{
    m_store.newCommandID();  // the counter stands at 1
    EXPECT_EQ(ZRCommand::initForCommandType(ZRCommandTypeAccept, m_store)->commandID(), 0);
    EXPECT_EQ(ZRCommand::initForCommandType(ZRCommandTypeRepeat, m_store)->commandID(), 1);
    EXPECT_EQ(ZRCommand::initForCommandType(ZRCommandTypeCancel, m_store)->commandID(), 2);
    EXPECT_EQ(ZRCommand::initForCommandType(ZRCommandTypeNone, m_store)->commandID(), 0);
    EXPECT_EQ(ZRCommand::initForCommandType(5, m_store)->commandID(), 0);
    EXPECT_EQ(m_store.commandIDCounter(), 1) << "only phone commands take from the counter";

    const auto phone = ZRCommand::initForCommandType(ZRCommandTypePhone, m_store);
    EXPECT_EQ(phone->commandID(), 1);
    EXPECT_EQ(phone->type(), ZRCommandTypePhone);
    EXPECT_EQ(m_store.commandIDCounter(), 2);
    EXPECT_TRUE(phone->name().isNull());
    EXPECT_TRUE(phone->phoneNumber().isNull());
    EXPECT_EQ(phone->numberOfSamples(), 0);
}

TEST_F(ZRCommandTest, KeepsTheThreeNewestSamplesAndDeletesTheFileOfTheFourthOldest)
{
    const auto command = ZRCommand::initForCommandType(ZRCommandTypePhone, m_store);
    const auto a = sampleWithFile(*command);
    const auto b = sampleWithFile(*command);
    const auto c = sampleWithFile(*command);
    const auto d = sampleWithFile(*command);

    command->setSample(b);
    command->setSample(a);
    EXPECT_EQ(command->numberOfSamples(), 2);
    command->setSample(c);
    EXPECT_EQ(command->sample1(), c);
    EXPECT_EQ(command->sample2(), a);
    EXPECT_EQ(command->sample3(), b);
    EXPECT_EQ(filesInDocuments().size(), 4);

    command->setSample(d);
    EXPECT_EQ(command->numberOfSamples(), 3);
    EXPECT_EQ(command->sample1(), d);
    EXPECT_EQ(command->sample2(), c);
    EXPECT_EQ(command->sample3(), a);
    EXPECT_FALSE(QFile::exists(b->filePath())) << "the dropped sample's file goes";
    EXPECT_EQ(filesInDocuments().size(), 3) << "and no other";
}

TEST_F(ZRCommandTest, SampleFileNamesComeFromTheClockAndNeverRepeat)
{
    ZRSample::setClock([] { return 1000000000.7; });
    const auto command = ZRCommand::initForCommandType(ZRCommandTypeCancel, m_store);
    const auto first = ZRSample::initForCommand(*command);
    EXPECT_EQ(first->fileName(), "/sample1000000000.aif");
    EXPECT_EQ(first->commandID(), 2);
    EXPECT_EQ(first->voicePrint(), nullptr);
    EXPECT_TRUE(command->sample1() == nullptr) << "a new sample is not attached";

    // Within the same second, and past a file that already exists.
    IsolatedStorage::touch(m_storage.documentsFile("/sample1000000002.aif"));
    EXPECT_EQ(ZRSample::createSampleFilename(), "/sample1000000001.aif");
    EXPECT_EQ(ZRSample::createSampleFilename(), "/sample1000000003.aif");

    // The clock going back does not bring old names back either.
    ZRSample::setClock([] { return 1700000000.0; });
    EXPECT_EQ(ZRSample::createSampleFilename(), "/sample1700000000.aif");
    EXPECT_EQ(ZRSample::createSampleFilename(), "/sample1700000001.aif");
}

TEST_F(ZRCommandTest, OnlySampleFileNamesAreEverUsedAsPaths)
{
    for (const char* good : {"/sample0.aif", "/sample1765000000.aif", "/sample0042.aif"})
        EXPECT_TRUE(ZRSample::isSampleFileName(good)) << good;
    for (const char* bad : {"/sample.aif", "sample1.aif", "/sample-1.aif", "/sample1.aiff", "/sample1.aif/",
             "/../sample1.aif", "/sample1.aif/../../etc/passwd", "/sample１.aif", "/sample1.aif\n", "//sample1.aif",
             "/sample12345678901234567890.aif", ""})
        EXPECT_FALSE(ZRSample::isSampleFileName(QString::fromUtf8(bad))) << bad;

    // A hostile name from an archive: nothing outside the Documents directory is touched.
    const QString victim = m_storage.documents() + "/../victim";
    IsolatedStorage::touch(victim);
    const ZRSample hostile(0, "/../victim");
    EXPECT_TRUE(hostile.filePath().isNull());
    hostile.clearSampleFile();
    EXPECT_TRUE(QFile::exists(victim));
    QFile::remove(victim);
    // Clearing a file that is already gone is harmless.
    const ZRSample missing(0, "/sample5.aif");
    missing.clearSampleFile();
    EXPECT_EQ(missing.fileName(), "/sample5.aif");
}

}  // namespace
