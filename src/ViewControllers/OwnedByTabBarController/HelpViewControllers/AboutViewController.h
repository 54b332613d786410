#pragma once

#include "ViewControllers/Kit/ViewController.h"
#include "ViewControllers/ScreenServices.h"

// About Zarneth: the logo and two paragraphs; the logo and a band of the
// first paragraph open the maker's web site.
class AboutViewController : public ViewController {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the application.")
    Q_PROPERTY(QString about1Text READ about1Text CONSTANT)
    Q_PROPERTY(QString about2Text READ about2Text CONSTANT)

public:
    explicit AboutViewController(const ScreenServices& services, QObject* parent = nullptr);

    QString about1Text() const;
    QString about2Text() const;
    Q_INVOKABLE void clickedNestrivoURL();

private:
    ScreenServices m_services;
};
