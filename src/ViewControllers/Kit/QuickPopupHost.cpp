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
    emit changed();
    emit progressChanged();
}

void QuickPopupHost::dismiss(Popup& popup, int)
{
    if (popup.progressView())
        popup.progressView()->setObserver(nullptr);
    std::erase_if(m_shown, [&popup](const auto& shown) { return shown.get() == &popup; });
    emit changed();
    emit progressChanged();
}

void QuickPopupHost::presented()
{
    if (const auto popup = m_shown.empty() ? nullptr : m_shown.back()) {
        popup->presented();
        // A bar may have been added on presentation.
        watchProgress();
        emit progressChanged();
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
    emit changed();
    emit progressChanged();
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
        popup->progressView()->setObserver([this] { emit progressChanged(); });
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
