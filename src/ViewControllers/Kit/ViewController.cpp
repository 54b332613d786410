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
    m_rightBarButtonAction = std::move(action);
    setRightBarButtonTitle(title);
    setRightBarButtonEnabled(true);
}

void ViewController::setRightBarButtonTitle(const QString& title)
{
    if (m_rightBarButtonTitle == title)
        return;
    m_rightBarButtonTitle = title;
    emit rightBarButtonTitleChanged();
}

void ViewController::setRightBarButtonEnabled(bool enabled)
{
    if (m_rightBarButtonEnabled == enabled)
        return;
    m_rightBarButtonEnabled = enabled;
    emit rightBarButtonEnabledChanged();
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
    m_leftBarButtonAction = std::move(action);
    setLeftBarButtonTitle(title);
}

void ViewController::setLeftBarButtonTitle(const QString& title)
{
    if (m_leftBarButtonTitle == title)
        return;
    m_leftBarButtonTitle = title;
    emit leftBarButtonTitleChanged();
}

void ViewController::clickedLeftBarButton()
{
    const std::function<void()> action = m_leftBarButtonAction;
    if (action)
        action();
}

void ViewController::setBackBarButtonTitle(const QString& title)
{
    if (m_backBarButtonTitle == title)
        return;
    m_backBarButtonTitle = title;
    emit backBarButtonTitleChanged();
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
