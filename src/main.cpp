#include "Platform/AudioDevice.h"
#include "Platform/LocalizedStrings.h"
#include "Platform/Log.h"
#include "Platform/QuitOnSignals.h"
#include "Platform/SystemAudioDevice.h"
#include "Platform/SystemClock.h"
#include "Platform/VirtualAudioDevice.h"
#include "ZarnethAppDelegate.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <memory>

int main(int argc, char* argv[])
{
    Log::write(QStringLiteral("***************** opening Zarneth ************************"));
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("zarneth"));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Zarneth"));
    LocalizedStrings::install();

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Dial a contact by saying the name."));
    options.addHelpOption();
    options.addOption({QStringLiteral("audio"),
        QStringLiteral("The sound server (system, the default), or a virtual device (virtual)."),
        QStringLiteral("system|virtual"), QStringLiteral("system")});
    options.addOption(
        {QStringLiteral("mic"), QStringLiteral("The virtual microphone's next utterance."), QStringLiteral("FILE")});
    options.process(application);
    const QString audio = options.value(QStringLiteral("audio"));
    if (audio != QLatin1String("system") && audio != QLatin1String("virtual")) {
        Log::write(QStringLiteral("zarneth: --audio takes system or virtual"));
        return 2;
    }

    // The virtual device runs in real time here: it stands in for a
    // microphone and a speaker, for demonstrations and machines without them.
    SystemClock clock;
    std::unique_ptr<AudioDevice> device;
    if (audio == QLatin1String("virtual"))
        device = std::make_unique<VirtualAudioDevice>(clock, options.values(QStringLiteral("mic")));
    else
        device = std::make_unique<SystemAudioDevice>(clock);
    AudioDevice::setCurrent(device.get());

    ZarnethAppDelegate delegate(*device);
    QObject::connect(
        &application, &QGuiApplication::aboutToQuit, &delegate, &ZarnethAppDelegate::applicationWillTerminate);
    QuitOnSignals::install();
    delegate.applicationDidFinishLaunching();
    const int status = application.exec();
    AudioDevice::setCurrent(nullptr);
    return status;
}
