#include "ViewControllers/ViewController.h"

ViewController::ViewController(QObject* parent)
    : QObject(parent)
{
}

void ViewController::setTitle(const QString& title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit titleChanged();
}

void ViewController::setRightBarButton(const QString& title, std::function<void()> action)
{
    m_rightBarButtonTitle = title;
    m_rightBarButtonAction = std::move(action);
    emit navigationItemChanged();
}

void ViewController::clickedRightBarButton()
{
    // A copy: the action may replace the button or remove this screen.
    const std::function<void()> action = m_rightBarButtonAction;
    if (action)
        action();
}

void ViewController::loadViewIfNeeded()
{
    if (m_viewLoaded)
        return;
    m_viewLoaded = true;
    loadView();
}

void ViewController::viewWillAppear(bool)
{
    loadViewIfNeeded();
}

void ViewController::viewDidAppear(bool)
{
}

void ViewController::viewWillDisappear(bool)
{
}

void ViewController::viewDidDisappear(bool)
{
}
