#include "Platform/Audio/AudioDevice.h"
#include "Platform/Audio/Backends/SystemAudioDevice.h"
#include "Platform/Audio/Backends/VirtualAudioDevice.h"
#include "Platform/System/BundleResources.h"
#include "Platform/System/LocalizedStrings.h"
#include "Platform/System/Log.h"
#include "Platform/System/QuitOnSignals.h"
#include "Platform/Time/SystemClock.h"
#include "ScreenshotTour.h"
#include "ZarnethAppDelegate.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <memory>

namespace {

void describeOptions(QCommandLineParser& options)
{
    options.setApplicationDescription(QStringLiteral("Dial a contact by saying the name."));
    options.addHelpOption();
    options.addVersionOption();
    options.addOption({QStringLiteral("audio"),
        QStringLiteral("The sound server (system, the default), or a virtual device (virtual)."),
        QStringLiteral("system|virtual"), QStringLiteral("system")});
    options.addOption(
        {QStringLiteral("mic"), QStringLiteral("The virtual microphone's next utterance."), QStringLiteral("FILE")});
    options.addOption({QStringLiteral("screenshots"),
        QStringLiteral("Save a picture of every screen, sheet and alert in DIR, and quit."), QStringLiteral("DIR")});
}

// --help and --version must answer without a display, so they are looked
// for before the graphical application (which needs one) is made, and
// answered by a plain one. Qt's own options (-platform ...) are unknown to
// this first look; the graphical application takes them out before the
// options are read again.
void answerHelpOrVersion(int argc, char* argv[], QCommandLineParser& options)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    options.parse(arguments);
    const bool asked = options.isSet(QStringLiteral("help")) || options.isSet(QStringLiteral("help-all"))
        || options.isSet(QStringLiteral("version"));
    if (!asked)
        return;
    QCoreApplication plain(argc, argv);
    options.process(plain);  // prints the help or the version and exits
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("zarneth"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZARNETH_VERSION));
    QCommandLineParser options;
    describeOptions(options);
    answerHelpOrVersion(argc, argv, options);

    Log::write(QStringLiteral("***************** opening Zarneth ************************"));
    QGuiApplication application(argc, argv);
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Zarneth"));
    LocalizedStrings::install();
    options.process(application);
    const QString audio = options.value(QStringLiteral("audio"));
    if (audio != QLatin1String("system") && audio != QLatin1String("virtual")) {
        Log::write(QStringLiteral("zarneth: --audio takes system or virtual"));
        return 2;
    }

    // The tour of screenshots works on a scratch store and settings of its
    // own, the example contacts and the virtual device, and leaves the
    // user's alone.
    const QString screenshots = options.value(QStringLiteral("screenshots"));
    QTemporaryDir scratch;
    if (!screenshots.isEmpty()) {
        qputenv("ZARNETH_DOCUMENTS", QFile::encodeName(scratch.filePath(QStringLiteral("documents"))));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("config"))));
        qputenv("ZARNETH_CONTACTS", QFile::encodeName(BundleResources::directory() + QStringLiteral("/contacts")));
    }
    const bool virtualAudio = audio == QLatin1String("virtual") || !screenshots.isEmpty();

    // The virtual device runs in real time here: it stands in for a
    // microphone and a speaker, for demonstrations and machines without them.
    SystemClock clock;
    std::unique_ptr<AudioDevice> device;
    VirtualAudioDevice* virtualDevice = nullptr;
    if (virtualAudio) {
        auto virtualOne = std::make_unique<VirtualAudioDevice>(clock, options.values(QStringLiteral("mic")));
        virtualDevice = virtualOne.get();
        device = std::move(virtualOne);
    } else {
        device = std::make_unique<SystemAudioDevice>(clock);
    }

    ZarnethAppDelegate delegate(*device);
    QObject::connect(
        &application, &QGuiApplication::aboutToQuit, &delegate, &ZarnethAppDelegate::applicationWillTerminate);
    QuitOnSignals::install();
    delegate.applicationDidFinishLaunching();
    if (!screenshots.isEmpty()) {
        return ScreenshotTour(delegate, *virtualDevice, screenshots).run() ? 0 : 1;
    }
    return application.exec();
}
