#include "ViewControllers/Kit/NavigationController.h"

#include <QMetaObject>

NavigationController::NavigationController(std::shared_ptr<ViewController> rootViewController, QObject* parent)
    : ViewController(parent)
{
    rootViewController->setNavigationController(this);
    m_stack.push_back(std::move(rootViewController));
}

NavigationController::~NavigationController() = default;

ViewController* NavigationController::topViewController() const
{
    return m_stack.back().get();
}

ViewController* NavigationController::rootViewController() const
{
    return m_stack.front().get();
}

QQmlListProperty<ViewController> NavigationController::viewControllers()
{
    return {this, nullptr, &NavigationController::countViewControllers, &NavigationController::viewControllerAt};
}

qsizetype NavigationController::countViewControllers(QQmlListProperty<ViewController>* list)
{
    return static_cast<qsizetype>(static_cast<NavigationController*>(list->object)->m_stack.size());
}

ViewController* NavigationController::viewControllerAt(QQmlListProperty<ViewController>* list, qsizetype index)
{
    const auto& stack = static_cast<NavigationController*>(list->object)->m_stack;
    return index >= 0 && index < static_cast<qsizetype>(stack.size()) ? stack[static_cast<std::size_t>(index)].get()
                                                                      : nullptr;
}

void NavigationController::pushViewController(std::shared_ptr<ViewController> viewController, bool animated)
{
    viewController->setNavigationController(this);
    willShowViewController(*viewController);
    ViewController* previousTop = topViewController();
    previousTop->viewWillDisappear(animated);
    viewController->viewWillAppear(animated);
    m_stack.push_back(std::move(viewController));
    stackChanged(previousTop);
    m_stack[m_stack.size() - 2]->viewDidDisappear(animated);
    topViewController()->viewDidAppear(animated);
}

void NavigationController::popViewControllerAnimated(bool animated)
{
    if (m_stack.size() < 2)
        return;
    std::shared_ptr<ViewController> leaving = std::move(m_stack.back());
    m_stack.pop_back();
    willShowViewController(*topViewController());
    leaving->viewWillDisappear(animated);
    topViewController()->viewWillAppear(animated);
    stackChanged(leaving.get());
    leaving->viewDidDisappear(animated);
    topViewController()->viewDidAppear(animated);
    retire(std::move(leaving));
}

void NavigationController::popToRootViewControllerAnimated(bool animated)
{
    while (m_stack.size() > 1)
        popViewControllerAnimated(animated);
}

void NavigationController::setViewControllers(std::vector<std::shared_ptr<ViewController>> viewControllers)
{
    if (viewControllers.empty() || viewControllers == m_stack)
        return;
    for (const auto& viewController : viewControllers)
        viewController->setNavigationController(this);
    ViewController* previousTop = topViewController();
    std::swap(m_stack, viewControllers);
    stackChanged(previousTop);
    for (auto& leaving : viewControllers)
        retire(std::move(leaving));
}

void NavigationController::viewWillAppear(bool animated)
{
    ViewController::viewWillAppear(animated);
    topViewController()->viewWillAppear(animated);
}

void NavigationController::stackChanged(const ViewController* previousTop)
{
    emit viewControllersChanged();
    if (topViewController() != previousTop)
        emit topViewControllerChanged();
}

void NavigationController::retire(std::shared_ptr<ViewController> viewController)
{
    m_retired.push_back(std::move(viewController));
    // Dropped with this controller if it goes first.
    QMetaObject::invokeMethod(
        this, [this] { m_retired.clear(); }, Qt::QueuedConnection);
}
