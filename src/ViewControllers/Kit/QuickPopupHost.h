#pragma once

#include "Platform/Popups/PopupHost.h"

#include <QObject>
#include <QStringList>
#include <memory>
#include <vector>

class Popup;

// Shows the dialogues' sheets and alerts on the Qt Quick screen: the popup
// on top is exposed to QML (qml/PopupLayer.qml draws it), which says when it
// is on screen and which button was pressed. While a dialogue runs, the
// screen below takes no taps, also between its popups.
class QuickPopupHost : public QObject, public PopupHost {
    Q_OBJECT
    Q_PROPERTY(bool visible READ visible NOTIFY changed)
    Q_PROPERTY(bool isAlert READ isAlert NOTIFY changed)
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString message READ message NOTIFY changed)
    Q_PROPERTY(QStringList buttons READ buttons NOTIFY changed)
    Q_PROPERTY(int cancelButtonIndex READ cancelButtonIndex NOTIFY changed)
    Q_PROPERTY(int destructiveButtonIndex READ destructiveButtonIndex NOTIFY changed)
    Q_PROPERTY(bool hasProgress READ hasProgress NOTIFY progressChanged)
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
    void changed();
    void progressChanged();
    void dialogueChanged();

protected:
    void dialogueRunningChanged() override { emit dialogueChanged(); }

private:
    Popup* top() const { return m_shown.empty() ? nullptr : m_shown.back().get(); }
    void watchProgress();

    std::vector<std::shared_ptr<Popup>> m_shown;
};
