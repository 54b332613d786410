#include "Platform/Popups/AlertView.h"

std::shared_ptr<AlertView> AlertView::create(const QString& title, const QString& message, AlertViewDelegate* delegate,
    const QString& cancelButtonTitle, const QStringList& otherButtonTitles)
{
    return std::shared_ptr<AlertView>(new AlertView(title, message, delegate, cancelButtonTitle, otherButtonTitles));
}

AlertView::AlertView(const QString& title, const QString& message, AlertViewDelegate* delegate,
    const QString& cancelButtonTitle, const QStringList& otherButtonTitles)
    : Popup(Kind::Alert, title, message, cancelButtonTitle, {}, otherButtonTitles)
    , m_delegate(delegate)
{
}

void AlertView::tellPresented()
{
    if (m_delegate)
        m_delegate->didPresentAlertView(*this);
}

void AlertView::tellClicked(int index)
{
    if (m_delegate)
        m_delegate->alertViewClickedButtonAtIndex(*this, index);
}
