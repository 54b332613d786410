#include "ViewControllers/Kit/ViewController.h"

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
    m_rightBarButtonEnabled = true;
    emit navigationItemChanged();
}

void ViewController::setRightBarButtonEnabled(bool enabled)
{
    m_rightBarButtonEnabled = enabled;
    emit navigationItemChanged();
}

void ViewController::clickedRightBarButton()
{
    // A copy: the action may replace the button or remove this screen.
    const std::function<void()> action = m_rightBarButtonAction;
    if (action && m_rightBarButtonEnabled)
        action();
}

void ViewController::setLeftBarButton(const QString& title, std::function<void()> action)
{
    m_leftBarButtonTitle = title;
    m_leftBarButtonAction = std::move(action);
    emit navigationItemChanged();
}

void ViewController::clickedLeftBarButton()
{
    const std::function<void()> action = m_leftBarButtonAction;
    if (action)
        action();
}

void ViewController::setBackBarButtonTitle(const QString& title)
{
    m_backBarButtonTitle = title;
    emit navigationItemChanged();
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
