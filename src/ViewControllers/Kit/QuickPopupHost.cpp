#include "ViewControllers/Kit/QuickPopupHost.h"

#include "Platform/Popups/Popup.h"
#include "Platform/Popups/ProgressView.h"

#include <algorithm>

QuickPopupHost::QuickPopupHost(QObject* parent)
    : QObject(parent)
{
}

QuickPopupHost::~QuickPopupHost()
{
    for (const auto& popup : m_shown) {
        if (popup->progressView())
            popup->progressView()->setObserver(nullptr);
    }
}

void QuickPopupHost::present(std::shared_ptr<Popup> popup)
{
    m_shown.push_back(std::move(popup));
    watchProgress();
    publish();
    // Every showing is announced, also of a popup that was on top already:
    // it waits to be told that it is on screen again.
    emit topPopupChanged();
}

void QuickPopupHost::dismiss(Popup& popup, int)
{
    if (popup.progressView())
        popup.progressView()->setObserver(nullptr);
    const Popup* previousTop = top();
    std::erase_if(m_shown, [&popup](const auto& shown) { return shown.get() == &popup; });
    stackChanged(previousTop);
}

void QuickPopupHost::presented()
{
    if (const auto popup = m_shown.empty() ? nullptr : m_shown.back()) {
        popup->presented();
        // A bar may have been added on presentation.
        watchProgress();
        publish();
    }
}

void QuickPopupHost::press(int index)
{
    if (m_shown.empty())
        return;
    const std::shared_ptr<Popup> popup = m_shown.back();
    if (index < 0 || index >= popup->buttonTitles().size())
        return;
    if (popup->progressView())
        popup->progressView()->setObserver(nullptr);
    m_shown.pop_back();
    stackChanged(popup.get());
    popup->clicked(index);
}

void QuickPopupHost::dismissTop()
{
    if (Popup* popup = top())
        dismiss(*popup, -1);
}

void QuickPopupHost::watchProgress()
{
    if (Popup* popup = top(); popup && popup->progressView())
        popup->progressView()->setObserver([this] { publish(); });
}

void QuickPopupHost::stackChanged(const Popup* previousTop)
{
    publish();
    if (top() != previousTop)
        emit topPopupChanged();
}

void QuickPopupHost::publish()
{
    Published now {visible(), isAlert(), title(), message(), buttons(), cancelButtonIndex(), destructiveButtonIndex(),
        hasProgress(), progress()};
    std::swap(now, m_published);
    const Published& before = now;
    if (before.visible != m_published.visible)
        emit visibleChanged();
    if (before.isAlert != m_published.isAlert)
        emit isAlertChanged();
    if (before.title != m_published.title)
        emit titleChanged();
    if (before.message != m_published.message)
        emit messageChanged();
    if (before.buttons != m_published.buttons)
        emit buttonsChanged();
    if (before.cancelButtonIndex != m_published.cancelButtonIndex)
        emit cancelButtonIndexChanged();
    if (before.destructiveButtonIndex != m_published.destructiveButtonIndex)
        emit destructiveButtonIndexChanged();
    if (before.hasProgress != m_published.hasProgress)
        emit hasProgressChanged();
    if (before.progress != m_published.progress)
        emit progressChanged();
}

bool QuickPopupHost::isAlert() const
{
    return top() && top()->kind() == Popup::Kind::Alert;
}

QString QuickPopupHost::title() const
{
    return top() ? top()->title() : QString();
}

QString QuickPopupHost::message() const
{
    return top() ? top()->message() : QString();
}

QStringList QuickPopupHost::buttons() const
{
    return top() ? top()->buttonTitles() : QStringList();
}

int QuickPopupHost::cancelButtonIndex() const
{
    return top() ? top()->cancelButtonIndex() : -1;
}

int QuickPopupHost::destructiveButtonIndex() const
{
    return top() ? top()->destructiveButtonIndex() : -1;
}

bool QuickPopupHost::hasProgress() const
{
    return top() && top()->progressView();
}

double QuickPopupHost::progress() const
{
    return hasProgress() ? top()->progressView()->progress() : 0.0;
}
