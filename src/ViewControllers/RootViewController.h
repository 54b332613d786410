#pragma once

#include "ViewControllers/ScreenServices.h"

#include <QObject>
#include <QtQml/qqmlregistration.h>
#include <memory>

class MainViewController;
class TabBarController;

// The application's two faces in one window: the dial screen with an info
// button over it, and the five configuration tabs, built on the first flip
// and kept. A one-second flip switches between them; which face shows is
// whether the main view is in the window.
class RootViewController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the application.")
    Q_PROPERTY(MainViewController* mainViewController READ mainViewController CONSTANT)
    Q_PROPERTY(TabBarController* tabBarController READ tabBarController NOTIFY tabBarControllerChanged)
    Q_MOC_INCLUDE("ViewControllers/MainViewController.h")
    Q_MOC_INCLUDE("ViewControllers/TabBarController.h")
    Q_PROPERTY(bool mainViewInWindow READ mainViewInWindow NOTIFY mainViewInWindowChanged)
    Q_PROPERTY(bool infoButtonInWindow READ infoButtonInWindow NOTIFY infoButtonInWindowChanged)
    Q_PROPERTY(bool flipFromRight READ flipFromRight NOTIFY flipFromRightChanged)

public:
    static constexpr int kFlipMilliseconds = 1000;

    explicit RootViewController(const ScreenServices& services, QObject* parent = nullptr);
    ~RootViewController() override;

    // The main screen and the info button directly above it.
    void loadView();
    void loadTabBarController();
    Q_INVOKABLE void flipViews();

    MainViewController* mainViewController() const { return m_mainViewController.get(); }
    TabBarController* tabBarController() const { return m_tabBarController.get(); }
    bool mainViewInWindow() const { return m_mainViewInWindow; }
    bool infoButtonInWindow() const { return m_infoButtonInWindow; }
    // The direction of the last flip: from the right going to the tabs.
    bool flipFromRight() const { return m_flipFromRight; }

signals:
    void tabBarControllerChanged();
    void mainViewInWindowChanged();
    void infoButtonInWindowChanged();
    void flipFromRightChanged();

private:
    // Puts the dial screen and its info button into the window or takes
    // them out, and notes the direction of the flip.
    void setFace(bool mainViewInWindow, bool flipFromRight);

    ScreenServices m_services;
    std::unique_ptr<MainViewController> m_mainViewController;
    std::unique_ptr<TabBarController> m_tabBarController;
    bool m_mainViewInWindow = false;
    bool m_infoButtonInWindow = false;
    bool m_flipFromRight = true;
};
