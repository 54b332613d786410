#pragma once

#include "ViewControllers/Kit/ViewController.h"

#include <QList>
#include <QQmlListProperty>
#include <memory>
#include <vector>

// A stack of screens under a navigation bar: the root at the bottom, the
// screen on top showing, a back button while there is more than one.
// The stack shares ownership of its screens, so a controller may keep a
// screen of its own while it is off the stack and push it again later.
class NavigationController : public ViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the application.")
    Q_PROPERTY(QQmlListProperty<ViewController> viewControllers READ viewControllers NOTIFY viewControllersChanged)
    Q_PROPERTY(ViewController* topViewController READ topViewController NOTIFY topViewControllerChanged)

public:
    explicit NavigationController(std::shared_ptr<ViewController> rootViewController, QObject* parent = nullptr);
    ~NavigationController() override;

    ViewController* topViewController() const;
    ViewController* rootViewController() const;
    std::size_t count() const { return m_stack.size(); }
    // The stack for QML, bottom first.
    QQmlListProperty<ViewController> viewControllers();

    void pushViewController(std::shared_ptr<ViewController> viewController, bool animated);
    Q_INVOKABLE void popViewControllerAnimated(bool animated);
    Q_INVOKABLE void popToRootViewControllerAnimated(bool animated);
    // Replaces the whole stack; it must not be empty.
    void setViewControllers(std::vector<std::shared_ptr<ViewController>> viewControllers);
    // The screen on top, shared.
    std::shared_ptr<ViewController> topViewControllerShared() const { return m_stack.back(); }

    void viewWillAppear(bool animated) override;

signals:
    void viewControllersChanged();
    void topViewControllerChanged();

protected:
    // Called before a screen shows, for the navigation delegate's part.
    virtual void willShowViewController(ViewController&) { }

private:
    // Tells of a changed stack, and of a new screen on top if the one on top
    // before was another.
    void stackChanged(const ViewController* previousTop);
    static qsizetype countViewControllers(QQmlListProperty<ViewController>* list);
    static ViewController* viewControllerAt(QQmlListProperty<ViewController>* list, qsizetype index);
    // A screen leaving the stack may still be drawn until the page has
    // followed the change, so the last reference goes a moment later.
    void retire(std::shared_ptr<ViewController> viewController);

    std::vector<std::shared_ptr<ViewController>> m_stack;
    std::vector<std::shared_ptr<ViewController>> m_retired;
};
