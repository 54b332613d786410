#pragma once

#include "Platform/Popups/Popup.h"

class ActionSheet;

class ActionSheetDelegate {
public:
    virtual ~ActionSheetDelegate() = default;
    virtual void didPresentActionSheet(ActionSheet& actionSheet) = 0;
    virtual void actionSheetClickedButtonAtIndex(ActionSheet& actionSheet, int buttonIndex) = 0;
};

// A sheet of buttons that slides up from the bottom of the screen.
class ActionSheet : public Popup {
public:
    static std::shared_ptr<ActionSheet> create(const QString& title, ActionSheetDelegate* delegate,
        const QString& cancelButtonTitle, const QString& destructiveButtonTitle, const QStringList& otherButtonTitles);

    ActionSheetDelegate* delegate() const { return m_delegate; }

private:
    ActionSheet(const QString& title, ActionSheetDelegate* delegate, const QString& cancelButtonTitle,
        const QString& destructiveButtonTitle, const QStringList& otherButtonTitles);

    void tellPresented() override;
    void tellClicked(int index) override;

    ActionSheetDelegate* m_delegate;
};
