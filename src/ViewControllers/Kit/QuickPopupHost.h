#pragma once

#include "Platform/Popups/PopupHost.h"

#include <QObject>
#include <QStringList>
#include <QtQml/qqmlregistration.h>
#include <memory>
#include <vector>

class Popup;

// Shows the dialogues' sheets and alerts on the Qt Quick screen: the popup
// on top is exposed to QML (qml/PopupLayer.qml draws it), which says when it
// is on screen and which button was pressed. While a dialogue runs, the
// screen below takes no taps, also between its popups.
class QuickPopupHost : public QObject, public PopupHost {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the application.")
    Q_PROPERTY(bool visible READ visible NOTIFY visibleChanged)
    Q_PROPERTY(bool isAlert READ isAlert NOTIFY isAlertChanged)
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(QString message READ message NOTIFY messageChanged)
    Q_PROPERTY(QStringList buttons READ buttons NOTIFY buttonsChanged)
    Q_PROPERTY(int cancelButtonIndex READ cancelButtonIndex NOTIFY cancelButtonIndexChanged)
    Q_PROPERTY(int destructiveButtonIndex READ destructiveButtonIndex NOTIFY destructiveButtonIndexChanged)
    Q_PROPERTY(bool hasProgress READ hasProgress NOTIFY hasProgressChanged)
    Q_PROPERTY(double progress READ progress NOTIFY progressChanged)
    Q_PROPERTY(bool dialogueRunning READ dialogueRunning NOTIFY dialogueChanged)

public:
    explicit QuickPopupHost(QObject* parent = nullptr);
    ~QuickPopupHost() override;

    void present(std::shared_ptr<Popup> popup) override;
    void dismiss(Popup& popup, int index) override;

    bool visible() const { return !m_shown.empty(); }
    bool isAlert() const;
    QString title() const;
    QString message() const;
    QStringList buttons() const;
    int cancelButtonIndex() const;
    int destructiveButtonIndex() const;
    bool hasProgress() const;
    double progress() const;

    // From QML: the popup on top is on screen; its button was pressed.
    Q_INVOKABLE void presented();
    Q_INVOKABLE void press(int index);
    // Takes the popup on top away without telling anyone.
    void dismissTop();

signals:
    void visibleChanged();
    void isAlertChanged();
    void titleChanged();
    void messageChanged();
    void buttonsChanged();
    void cancelButtonIndexChanged();
    void destructiveButtonIndexChanged();
    void hasProgressChanged();
    void progressChanged();
    void dialogueChanged();
    // A popup came to the top (a new showing, or one uncovered), or the
    // last one went: QML says when the new one is on screen.
    void topPopupChanged();

protected:
    void dialogueRunningChanged() override { emit dialogueChanged(); }

private:
    // What QML was last told, so that only the values that differ are
    // announced.
    struct Published {
        bool visible = false;
        bool isAlert = false;
        QString title;
        QString message;
        QStringList buttons;
        int cancelButtonIndex = -1;
        int destructiveButtonIndex = -1;
        bool hasProgress = false;
        double progress = 0.0;
    };

    Popup* top() const { return m_shown.empty() ? nullptr : m_shown.back().get(); }
    void watchProgress();
    // Takes note of the popup on top as it is now and announces what changed.
    void publish();
    // After the stack changed: publishes, and tells of another popup on top.
    void stackChanged(const Popup* previousTop);

    std::vector<std::shared_ptr<Popup>> m_shown;
    Published m_published;
};
