#include "DataModel/ZRSample.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRVoicePrint.h"
#include "Platform/Archive/KeyedArchiver.h"
#include "Platform/Archive/KeyedUnarchiver.h"
#include "Platform/System/DocumentsDirectory.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <mutex>

namespace {

struct NameClock {
    std::mutex lock;
    std::function<double()> secondsSince1970;
    qint64 lastNumber = std::numeric_limits<qint64>::min();
};

NameClock& nameClock()
{
    static NameClock clock;
    return clock;
}

double systemSeconds()
{
    return static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0;
}

QString nameFor(qint64 number)
{
    return QStringLiteral("/sample%1.aif").arg(number);
}

}  // namespace

std::shared_ptr<ZRSample> ZRSample::initForCommand(const ZRCommand& command)
{
    return std::make_shared<ZRSample>(command.commandID(), createSampleFilename());
}

ZRSample::ZRSample(std::int32_t commandID, QString fileName, std::shared_ptr<ZRVoicePrint> voicePrint)
    : m_commandID(commandID)
    , m_fileName(std::move(fileName))
    , m_voicePrint(std::move(voicePrint))
{
}

QString ZRSample::createSampleFilename()
{
    NameClock& clock = nameClock();
    std::lock_guard guard(clock.lock);
    const double seconds = clock.secondsSince1970 ? clock.secondsSince1970() : systemSeconds();
    // Whole seconds, truncated toward zero; 64 bits so that 2038 is no limit.
    qint64 number = std::isfinite(seconds) ? static_cast<qint64>(std::trunc(seconds)) : 0;
    if (number <= clock.lastNumber)
        number = clock.lastNumber + 1;
    const QString documents = DocumentsDirectory::path();
    while (QFile::exists(documents + nameFor(number)))
        ++number;
    clock.lastNumber = number;
    return nameFor(number);
}

void ZRSample::setClock(std::function<double()> secondsSince1970)
{
    NameClock& clock = nameClock();
    std::lock_guard guard(clock.lock);
    clock.secondsSince1970 = std::move(secondsSince1970);
    clock.lastNumber = std::numeric_limits<qint64>::min();
}

bool ZRSample::isSampleFileName(const QString& fileName)
{
    static const QRegularExpression form(QStringLiteral("\\A/sample[0-9]{1,19}\\.aif\\z"));
    return form.match(fileName).hasMatch();
}

QString ZRSample::filePath() const
{
    if (!isSampleFileName(m_fileName))
        return {};
    return DocumentsDirectory::path() + m_fileName;
}

void ZRSample::clearSampleFile() const
{
    const QString path = filePath();
    if (!path.isNull() && QFile::exists(path))
        QFile::remove(path);
}

void ZRSample::encodeWithCoder(KeyedArchiver& coder) const
{
    coder.encodeInt(m_commandID, "SampleCommandID");
    coder.encodeString(m_fileName, "SampleFileName");
    coder.encodeObject(m_voicePrint, "SampleVoicePrint");
}

std::shared_ptr<ZRSample> ZRSample::initWithCoder(KeyedUnarchiver& decoder)
{
    const std::int32_t commandID = decoder.decodeInt("SampleCommandID");
    QString fileName = decoder.decodeString("SampleFileName");
    std::shared_ptr<ZRVoicePrint> voicePrint = decoder.decodeObject<ZRVoicePrint>("SampleVoicePrint");
    return std::make_shared<ZRSample>(commandID, std::move(fileName), std::move(voicePrint));
}
