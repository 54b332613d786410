#include "ViewControllers/RootViewController.h"

#include "Platform/System/SettingsKey.h"
#include "Platform/System/UserDefaults.h"
#include "ViewControllers/MainViewController.h"
#include "ViewControllers/TabBarController.h"

RootViewController::RootViewController(const ScreenServices& services, QObject* parent)
    : QObject(parent)
    , m_services(services)
{
}

RootViewController::~RootViewController() = default;

QObject* RootViewController::mainViewControllerObject() const
{
    return m_mainViewController.get();
}

QObject* RootViewController::tabBarControllerObject() const
{
    return m_tabBarController.get();
}

void RootViewController::loadView()
{
    m_mainViewController = std::make_unique<MainViewController>(m_services);
    m_mainViewInWindow = true;
    m_infoButtonInWindow = true;
    emit faceChanged();
    m_mainViewController->loadViewIfNeeded();
}

void RootViewController::loadTabBarController()
{
    m_tabBarController = std::make_unique<TabBarController>(m_services);
    m_tabBarController->setRootViewController(this);
    m_tabBarController->loadViewIfNeeded();
    emit tabBarControllerChanged();
}

void RootViewController::flipViews()
{
    if (!m_tabBarController)
        loadTabBarController();
    MainViewController& main = *m_mainViewController;
    TabBarController& tabs = *m_tabBarController;
    m_flipFromRight = m_mainViewInWindow;

    if (m_mainViewInWindow) {
        tabs.viewWillAppear(true);
        main.viewWillDisappear(true);
        m_mainViewInWindow = false;
        m_infoButtonInWindow = false;
        emit faceChanged();
        main.viewDidDisappear(true);
        tabs.viewDidAppear(true);
        return;
    }

    main.viewWillAppear(true);
    tabs.viewWillDisappear(true);
    m_mainViewInWindow = true;
    m_infoButtonInWindow = true;
    // Commands may have been trained or deleted meanwhile.
    const bool hasData = UserDefaults::standardUserDefaults().boolForKey(SettingsKey::CommandListHasData);
    main.setConfigureInfoLabelHidden(hasData);
    main.setScreenButtonHidden(!hasData);
    main.setTapInfoLabelHidden(!hasData);
    emit faceChanged();
    tabs.viewDidDisappear(true);
    main.viewDidAppear(true);
}
