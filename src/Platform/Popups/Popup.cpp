#include "Platform/Popups/Popup.h"

#include "Platform/Popups/PopupHost.h"
#include "Platform/Popups/ProgressView.h"

Popup::Popup(Kind kind, QString title, QString message, const QString& cancelButtonTitle,
    const QString& destructiveButtonTitle, const QStringList& otherButtonTitles)
    : m_kind(kind)
    , m_title(std::move(title))
    , m_message(std::move(message))
{
    if (!destructiveButtonTitle.isNull()) {
        m_destructiveButtonIndex = 0;
        m_buttonTitles.append(destructiveButtonTitle);
    }
    m_buttonTitles.append(otherButtonTitles);
    if (!cancelButtonTitle.isNull()) {
        m_cancelButtonIndex = static_cast<int>(m_buttonTitles.size());
        m_buttonTitles.append(cancelButtonTitle);
    }
}

Popup::~Popup()
{
    if (m_progressView)
        m_progressView->m_superview = nullptr;
}

void Popup::addSubview(ProgressView* progressView)
{
    if (!progressView)
        return;
    progressView->removeFromSuperview();
    m_progressView = progressView;
    progressView->m_superview = this;
    progressView->changed();
}

void Popup::removeSubview(ProgressView* progressView)
{
    if (m_progressView == progressView)
        m_progressView = nullptr;
}

void Popup::setDestructiveButtonIndex(int index)
{
    if (index >= 0 && index < m_buttonTitles.size())
        m_destructiveButtonIndex = index;
}

void Popup::show(PopupHost& host)
{
    m_host = &host;
    m_presented = false;
    host.present(shared_from_this());
}

void Popup::dismissWithClickedButtonIndex(int index, bool)
{
    PopupHost* host = m_host;
    m_host = nullptr;
    if (host)
        host->dismiss(*this, index);
}

void Popup::presented()
{
    // A host may say so again when the popup comes back to the top; its
    // delegate hears it once per showing, as the dialogue's next step.
    if (m_presented)
        return;
    m_presented = true;
    tellPresented();
}

void Popup::clicked(int index)
{
    m_host = nullptr;
    tellClicked(index);
}
