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

void RootViewController::loadView()
{
    m_mainViewController = std::make_unique<MainViewController>(m_services);
    setFace(true, m_flipFromRight);
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

    // To the tabs the flip comes from the right, back from the left.
    if (m_mainViewInWindow) {
        tabs.viewWillAppear(true);
        main.viewWillDisappear(true);
        setFace(false, true);
        main.viewDidDisappear(true);
        tabs.viewDidAppear(true);
        return;
    }

    main.viewWillAppear(true);
    tabs.viewWillDisappear(true);
    // Commands may have been trained or deleted meanwhile.
    const bool hasData = UserDefaults::standardUserDefaults().boolForKey(SettingsKey::CommandListHasData);
    main.setConfigureInfoLabelHidden(hasData);
    main.setScreenButtonHidden(!hasData);
    main.setTapInfoLabelHidden(!hasData);
    setFace(true, false);
    tabs.viewDidDisappear(true);
    main.viewDidAppear(true);
}

void RootViewController::setFace(bool mainViewInWindow, bool flipFromRight)
{
    const bool mainViewMoved = m_mainViewInWindow != mainViewInWindow;
    const bool infoButtonMoved = m_infoButtonInWindow != mainViewInWindow;
    const bool directionTurned = m_flipFromRight != flipFromRight;
    // All set before any is announced: the flip's angle is bound to the face
    // and the direction together and must never see one without the other.
    m_mainViewInWindow = mainViewInWindow;
    m_infoButtonInWindow = mainViewInWindow;
    m_flipFromRight = flipFromRight;
    if (mainViewMoved)
        emit mainViewInWindowChanged();
    if (infoButtonMoved)
        emit infoButtonInWindowChanged();
    if (directionTurned)
        emit flipFromRightChanged();
}
