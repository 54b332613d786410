#pragma once

#include <QObject>
#include <QString>
#include <memory>

class AddressBook;
class AudioDevice;
class QQmlApplicationEngine;
class QuickPopupHost;
class RootViewController;

// The application's entry and exit: at launch it writes any missing setting
// defaults and builds the window; it hands a number to the system's dialler
// ("tel:" and the number without spaces) and opens the maker's web site; at
// termination it records whether the run ended by dialling and saves the
// command list.
class ZarnethAppDelegate : public QObject {
    Q_OBJECT

public:
    // The maker's web host: its site opens from the about screen, and the
    // help page comes from it.
    static constexpr const char* kMakerHost = "zarneth.example";
    static constexpr const char* kMakerSite = "https://zarneth.example/";

    explicit ZarnethAppDelegate(AudioDevice& device, QObject* parent = nullptr);
    ~ZarnethAppDelegate() override;

    // Defaults, then the window with the root view (the dial screen first).
    void applicationDidFinishLaunching();
    void setupDefaults();
    void applicationWillTerminate();

    bool leavingToDialNumber() const { return m_leavingToDialNumber; }
    Q_INVOKABLE void exitToPhone(const QString& phoneNumber);
    Q_INVOKABLE void exitToNestrivo();

    QQmlApplicationEngine* window() const { return m_window.get(); }
    RootViewController* rootViewController() const { return m_rootViewController.get(); }
    QuickPopupHost* popupHost() const { return m_popupHost.get(); }
    AddressBook* addressBook() const { return m_addressBook.get(); }

signals:
    // No dialler took the number.
    void dialFailed(const QString& phoneNumber);

private:
    AudioDevice& m_device;
    bool m_leavingToDialNumber = false;
    std::unique_ptr<QuickPopupHost> m_popupHost;
    std::unique_ptr<AddressBook> m_addressBook;
    std::unique_ptr<RootViewController> m_rootViewController;
    std::unique_ptr<QQmlApplicationEngine> m_window;
};
