#pragma once

#include "Platform/Popups/AlertView.h"
#include "ViewControllers/Kit/ViewController.h"
#include "ViewControllers/ScreenServices.h"

// The settings: two switches, "Confirmations" and "VoiceGuide", written as
// soon as they change. Confirmations stay locked off until accept, repeat
// and cancel are all trained: trying to switch them on then puts the
// switch back and says why.
class DefaultsViewController : public ViewController, public AlertViewDelegate {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the application.")
    Q_PROPERTY(bool confirmationsSwitchOn READ confirmationsSwitchOn NOTIFY confirmationsSwitchOnChanged)
    Q_PROPERTY(bool voiceGuideSwitchOn READ voiceGuideSwitchOn NOTIFY voiceGuideSwitchOnChanged)
    Q_PROPERTY(QString confirmationsText READ confirmationsText CONSTANT)
    Q_PROPERTY(QString voiceGuideText READ voiceGuideText CONSTANT)

public:
    static constexpr int kRowHeight = 50;

    explicit DefaultsViewController(const ScreenServices& services, QObject* parent = nullptr);

    void loadView() override;
    // Shows the stored values.
    void viewWillAppear(bool animated) override;

    bool confirmationsSwitchOn() const { return m_confirmationsSwitchOn; }
    bool voiceGuideSwitchOn() const { return m_voiceGuideSwitchOn; }
    QString confirmationsText() const;
    QString voiceGuideText() const;

    // The user moved a switch.
    Q_INVOKABLE void confirmationSwitchAction(bool on);
    Q_INVOKABLE void voiceGuideSwitchAction(bool on);

    void didPresentAlertView(AlertView&) override { }
    void alertViewClickedButtonAtIndex(AlertView&, int) override { }

signals:
    void confirmationsSwitchOnChanged();
    void voiceGuideSwitchOnChanged();

private:
    void showStoredValues();
    void setSwitches(bool confirmations, bool voiceGuide);

    ScreenServices m_services;
    bool m_confirmationsSwitchOn = false;
    bool m_voiceGuideSwitchOn = false;
};
