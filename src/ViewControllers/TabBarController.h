#pragma once

#include "ViewControllers/Kit/ViewController.h"
#include "ViewControllers/ScreenServices.h"

#include <QList>
#include <QQmlListProperty>
#include <memory>
#include <vector>

class ActionsNavigationController;
class RootViewController;

// The configuration face: five tabs (back to the dial screen, contacts and
// actions, trained commands, settings, help), built once. Every flip to the
// tabs opens the contacts and actions tab; selecting a tab puts its screen
// into a sensible state, decided by the tab's title.
class TabBarController : public ViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the application.")
    Q_PROPERTY(QQmlListProperty<ViewController> viewControllers READ viewControllers CONSTANT)
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectionChanged)

public:
    enum Tab { BackToMainTab, ActionsTab, CommandsTab, DefaultsTab, HelpTab };

    explicit TabBarController(const ScreenServices& services, QObject* parent = nullptr);
    ~TabBarController() override;

    void loadView() override;
    void setupToolbarControllerView();
    // Opens on the contacts and actions tab.
    void viewWillAppear(bool animated) override;

    RootViewController* rootViewController() const { return m_rootViewController; }
    void setRootViewController(RootViewController* rootViewController) { m_rootViewController = rootViewController; }
    ActionsNavigationController* actionsNavigationController() const { return m_actionsNavigationController; }

    ViewController* viewControllerAt(int index) const;
    // The tabs' screens for QML, in the order of the tabs.
    QQmlListProperty<ViewController> viewControllers();
    int selectedIndex() const { return m_selectedIndex; }
    ViewController* selectedViewController() const { return viewControllerAt(m_selectedIndex); }
    void setSelectedViewController(ViewController* viewController);

    // A tap on a tab.
    Q_INVOKABLE void selectTab(int index);
    void tabBarControllerDidSelectViewController(ViewController& viewController);

signals:
    void selectionChanged();

private:
    static qsizetype countTabs(QQmlListProperty<ViewController>* list);
    static ViewController* tabAt(QQmlListProperty<ViewController>* list, qsizetype index);

    ScreenServices m_services;
    RootViewController* m_rootViewController = nullptr;
    ActionsNavigationController* m_actionsNavigationController = nullptr;
    std::vector<std::unique_ptr<ViewController>> m_tabBar;
    int m_selectedIndex = -1;
};
