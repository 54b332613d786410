#pragma once

#include "TrainAndRecognize/ZRRecognizeControllerDelegate.h"
#include "ViewControllers/Kit/ViewController.h"
#include "ViewControllers/ScreenServices.h"

#include <QObject>
#include <QString>
#include <memory>

class ZRRecognizeController;

// The dial screen: a picture, a line inviting a tap, a button over the
// whole screen that starts a recognition, and a red hint while nothing is
// trained. A recognised phone command is handed to the application
// delegate, which dials; anything else brings the button back. When the
// view is built with commands trained, it listens at once, unless the
// previous run ended by dialling. Without a microphone or a speaker it
// says so instead of listening to silence.
class MainViewController : public ViewController, public ZRRecognizeControllerDelegate {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the application.")
    Q_PROPERTY(bool screenButtonHidden READ screenButtonHidden NOTIFY screenButtonHiddenChanged)
    Q_PROPERTY(bool tapInfoLabelHidden READ tapInfoLabelHidden NOTIFY tapInfoLabelHiddenChanged)
    Q_PROPERTY(bool configureInfoLabelHidden READ configureInfoLabelHidden NOTIFY configureInfoLabelHiddenChanged)
    Q_PROPERTY(QString tapLabelText READ tapLabelText CONSTANT)
    Q_PROPERTY(QString configureLabelText READ configureLabelText CONSTANT)
    Q_PROPERTY(QString deviceProblemText READ deviceProblemText NOTIFY deviceProblemTextChanged)

public:
    explicit MainViewController(const ScreenServices& services, QObject* parent = nullptr);
    ~MainViewController() override;

    // Sets the controls' visibility, and starts a recognition if it should.
    void loadView() override;
    // Coming back from the tabs: the screen forgets a missing device.
    void viewWillAppear(bool animated) override;

    bool screenButtonHidden() const { return m_screenButtonHidden; }
    bool tapInfoLabelHidden() const { return m_tapInfoLabelHidden; }
    bool configureInfoLabelHidden() const { return m_configureInfoLabelHidden; }
    void setScreenButtonHidden(bool hidden);
    void setTapInfoLabelHidden(bool hidden);
    void setConfigureInfoLabelHidden(bool hidden);
    QString tapLabelText() const;
    QString configureLabelText() const;
    // What is missing to dial by voice; empty when nothing is.
    QString deviceProblemText() const;

    ZRRecognizeController& recognizeController();

    Q_INVOKABLE void clickedScreenButton();
    void recognizedCommand(const std::shared_ptr<ZRCommand>& command) override;

signals:
    void screenButtonHiddenChanged();
    void tapInfoLabelHiddenChanged();
    void configureInfoLabelHiddenChanged();
    void deviceProblemTextChanged();

private:
    void setDeviceProblemText(const QString& text);

    // The dialler did not take the number: back to waiting for a tap.
    void dialFailed(const QString& phoneNumber);

    // Starts a recognition, or says what is missing for one.
    void listen();

    ScreenServices m_services;
    std::unique_ptr<ZRRecognizeController> m_recognizeController;
    bool m_screenButtonHidden = false;
    bool m_tapInfoLabelHidden = false;
    bool m_configureInfoLabelHidden = false;
    QString m_deviceProblemText;
};
