#include "Platform/Popups/ActionSheet.h"

std::shared_ptr<ActionSheet> ActionSheet::create(const QString& title, ActionSheetDelegate* delegate,
    const QString& cancelButtonTitle, const QString& destructiveButtonTitle, const QStringList& otherButtonTitles)
{
    return std::shared_ptr<ActionSheet>(
        new ActionSheet(title, delegate, cancelButtonTitle, destructiveButtonTitle, otherButtonTitles));
}

ActionSheet::ActionSheet(const QString& title, ActionSheetDelegate* delegate, const QString& cancelButtonTitle,
    const QString& destructiveButtonTitle, const QStringList& otherButtonTitles)
    : Popup(Kind::ActionSheet, title, {}, cancelButtonTitle, destructiveButtonTitle, otherButtonTitles)
    , m_delegate(delegate)
{
}

void ActionSheet::tellPresented()
{
    if (m_delegate)
        m_delegate->didPresentActionSheet(*this);
}

void ActionSheet::tellClicked(int index)
{
    if (m_delegate)
        m_delegate->actionSheetClickedButtonAtIndex(*this, index);
}
