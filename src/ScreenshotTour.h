#pragma once

#include <QDir>
#include <QString>

class VirtualAudioDevice;
class ZarnethAppDelegate;

// Goes through every screen, sheet and alert of the application and saves
// each as a PNG named after what it shows, for reviewers and the README.
// It runs on a launched application with its own scratch store and
// settings (main.cpp sees to that), offscreen if need be.
class ScreenshotTour {
public:
    ScreenshotTour(ZarnethAppDelegate& application, VirtualAudioDevice& device, const QString& directory);

    // False when a picture could not be saved.
    bool run();

private:
    void shoot(const QString& name);
    void settle(int milliseconds = 120);
    void showMainScreen(bool hasData, bool dialing);
    void showMainScreenWithoutMicrophone();
    void showSheet(int tag, float progress);
    void showTrainingPopups();
    void closePopups();
    void loadExampleData();
    void showContacts();
    void showCommands();
    void flipToTabs();
    void selectTab(int index);

    ZarnethAppDelegate& m_application;
    VirtualAudioDevice& m_device;
    QDir m_directory;
    bool m_allSaved = true;
};
