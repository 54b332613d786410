#include "ViewControllers/TabBarController.h"

#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsMainController.h"
#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsNavigationController.h"
#include "ViewControllers/OwnedByTabBarController/BackToMainController.h"
#include "ViewControllers/OwnedByTabBarController/CommandsViewControllers/CommandsNavigationController.h"
#include "ViewControllers/OwnedByTabBarController/CommandsViewControllers/CommandsViewController.h"
#include "ViewControllers/OwnedByTabBarController/DefaultsViewControllers/DefaultsNavigationController.h"
#include "ViewControllers/OwnedByTabBarController/DefaultsViewControllers/DefaultsViewController.h"
#include "ViewControllers/OwnedByTabBarController/HelpViewControllers/HelpNavigationController.h"
#include "ViewControllers/OwnedByTabBarController/HelpViewControllers/HelpViewController.h"
#include "ViewControllers/RootViewController.h"

TabBarController::TabBarController(const ScreenServices& services, QObject* parent)
    : ViewController(parent)
    , m_services(services)
{
}

TabBarController::~TabBarController() = default;

void TabBarController::loadView()
{
    setupToolbarControllerView();
}

void TabBarController::setupToolbarControllerView()
{
    auto actions = std::make_unique<ActionsNavigationController>(
        std::make_unique<ActionsMainController>(m_services), m_services);
    m_actionsNavigationController = actions.get();
    m_tabBar.push_back(std::make_unique<BackToMainController>());
    m_tabBar.push_back(std::move(actions));
    m_tabBar.push_back(
        std::make_unique<CommandsNavigationController>(std::make_unique<CommandsViewController>(m_services)));
    m_tabBar.push_back(
        std::make_unique<DefaultsNavigationController>(std::make_unique<DefaultsViewController>(m_services)));
    m_tabBar.push_back(std::make_unique<HelpNavigationController>(std::make_unique<HelpViewController>(m_services)));
    setSelectedViewController(m_actionsNavigationController);
}

void TabBarController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    setSelectedViewController(m_actionsNavigationController);
}

ViewController* TabBarController::viewControllerAt(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_tabBar.size()))
        return nullptr;
    return m_tabBar[static_cast<std::size_t>(index)].get();
}

QQmlListProperty<ViewController> TabBarController::viewControllers()
{
    return {this, nullptr, &TabBarController::countTabs, &TabBarController::tabAt};
}

qsizetype TabBarController::countTabs(QQmlListProperty<ViewController>* list)
{
    return static_cast<qsizetype>(static_cast<TabBarController*>(list->object)->m_tabBar.size());
}

ViewController* TabBarController::tabAt(QQmlListProperty<ViewController>* list, qsizetype index)
{
    return static_cast<TabBarController*>(list->object)->viewControllerAt(static_cast<int>(index));
}

void TabBarController::setSelectedViewController(ViewController* viewController)
{
    for (int index = 0; index < static_cast<int>(m_tabBar.size()); ++index) {
        if (m_tabBar[static_cast<std::size_t>(index)].get() != viewController)
            continue;
        if (m_selectedIndex != index) {
            // The tab's screen is about to show, and is built if need be.
            viewController->viewWillAppear(false);
            m_selectedIndex = index;
            emit selectionChanged();
        }
        return;
    }
}

void TabBarController::selectTab(int index)
{
    ViewController* tab = viewControllerAt(index);
    if (!tab)
        return;
    setSelectedViewController(tab);
    tabBarControllerDidSelectViewController(*tab);
}

void TabBarController::tabBarControllerDidSelectViewController(ViewController& viewController)
{
    // Decided by the title, in this order; the first equal one wins.
    const QString title = viewController.title();
    auto* navigation = qobject_cast<NavigationController*>(&viewController);
    if (title == qtTrId("tabBarMainTitle")) {
        if (m_rootViewController)
            m_rootViewController->flipViews();
    } else if (title == qtTrId("tabBarComandsTitle")) {
        if (auto* commands
            = navigation ? qobject_cast<CommandsViewController*>(navigation->topViewController()) : nullptr)
            commands->reloadData();
    } else if (title == qtTrId("tabBarActionsTitle")) {
        if (navigation)
            navigation->popToRootViewControllerAnimated(false);
    } else if (title == qtTrId("tabBarPreferencesTitle")) {
        if (navigation)
            navigation->topViewController()->viewWillAppear(true);
    } else if (title == qtTrId("tabBarHelpTitle")) {
        if (navigation)
            navigation->popToRootViewControllerAnimated(false);
    }
}
