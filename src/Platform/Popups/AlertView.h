#pragma once

#include "Platform/Popups/Popup.h"

class AlertView;

class AlertViewDelegate {
public:
    virtual ~AlertViewDelegate() = default;
    virtual void didPresentAlertView(AlertView& alertView) = 0;
    virtual void alertViewClickedButtonAtIndex(AlertView& alertView, int buttonIndex) = 0;
};

// A box in the middle of the screen with a title, a message and buttons.
class AlertView : public Popup {
public:
    static std::shared_ptr<AlertView> create(const QString& title, const QString& message, AlertViewDelegate* delegate,
        const QString& cancelButtonTitle, const QStringList& otherButtonTitles);

    AlertViewDelegate* delegate() const { return m_delegate; }
    // Its frame's width, in points.
    double frameWidth() const { return 284; }

private:
    AlertView(const QString& title, const QString& message, AlertViewDelegate* delegate,
        const QString& cancelButtonTitle, const QStringList& otherButtonTitles);

    void tellPresented() override;
    void tellClicked(int index) override;

    AlertViewDelegate* m_delegate;
};
