#pragma once

#include "ViewControllers/ViewController.h"

#include <QList>
#include <memory>
#include <vector>

// A stack of screens under a navigation bar: the root at the bottom, the
// screen on top showing, a back button while there is more than one.
// It owns the screens on its stack.
class NavigationController : public ViewController {
    Q_OBJECT
    Q_PROPERTY(QList<QObject*> viewControllers READ viewControllerObjects NOTIFY stackChanged)
    Q_PROPERTY(QObject* topViewController READ topViewController NOTIFY stackChanged)

public:
    explicit NavigationController(std::unique_ptr<ViewController> rootViewController, QObject* parent = nullptr);
    ~NavigationController() override;

    ViewController* topViewController() const;
    ViewController* rootViewController() const;
    std::size_t count() const { return m_stack.size(); }
    QList<QObject*> viewControllerObjects() const;

    void pushViewController(std::unique_ptr<ViewController> viewController, bool animated);
    Q_INVOKABLE void popViewControllerAnimated(bool animated);
    Q_INVOKABLE void popToRootViewControllerAnimated(bool animated);

    void viewWillAppear(bool animated) override;

signals:
    void stackChanged();

protected:
    // Called before a screen shows, for the navigation delegate's part.
    virtual void willShowViewController(ViewController&) { }

private:
    std::vector<std::unique_ptr<ViewController>> m_stack;
};
