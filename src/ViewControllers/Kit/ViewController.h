#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <functional>

class NavigationController;

// A screen's controller: its title and tab-bar image, the QML page that
// draws it, the buttons of its navigation bar, and the calls a screen gets
// as it appears and disappears. The controllers hold the state and the
// logic; the pages only show them.
class ViewController : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the application.")
    Q_PROPERTY(QString title READ title NOTIFY titleChanged)
    Q_PROPERTY(QString tabBarImage READ tabBarImage CONSTANT)
    Q_PROPERTY(QString page READ page CONSTANT)
    Q_PROPERTY(QString rightBarButtonTitle READ rightBarButtonTitle NOTIFY rightBarButtonTitleChanged)
    Q_PROPERTY(bool rightBarButtonEnabled READ rightBarButtonEnabled NOTIFY rightBarButtonEnabledChanged)
    Q_PROPERTY(QString leftBarButtonTitle READ leftBarButtonTitle NOTIFY leftBarButtonTitleChanged)
    Q_PROPERTY(QString backBarButtonTitle READ backBarButtonTitle NOTIFY backBarButtonTitleChanged)

public:
    explicit ViewController(QObject* parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString& title);
    // The name of a bundled image, such as "settings.png".
    QString tabBarImage() const { return m_tabBarImage; }
    void setTabBarImage(const QString& image) { m_tabBarImage = image; }
    // The QML page that draws the screen, a file of the Zarneth QML module
    // such as "TablePage.qml"; empty for none.
    QString page() const { return m_page; }
    void setPage(const QString& page) { m_page = page; }

    QString rightBarButtonTitle() const { return m_rightBarButtonTitle; }
    void setRightBarButton(const QString& title, std::function<void()> action);
    bool rightBarButtonEnabled() const { return m_rightBarButtonEnabled; }
    void setRightBarButtonEnabled(bool enabled);
    Q_INVOKABLE void clickedRightBarButton();
    // A button on the left, shown when the screen has no back button.
    QString leftBarButtonTitle() const { return m_leftBarButtonTitle; }
    void setLeftBarButton(const QString& title, std::function<void()> action);
    Q_INVOKABLE void clickedLeftBarButton();
    // The title of the back button that screens pushed above this one show;
    // empty for this screen's own title.
    QString backBarButtonTitle() const { return m_backBarButtonTitle; }
    void setBackBarButtonTitle(const QString& title);

    // The navigation controller that shows it, if any.
    NavigationController* navigationController() const { return m_navigationController; }
    void setNavigationController(NavigationController* navigationController)
    {
        m_navigationController = navigationController;
    }

    // Builds what the screen needs; called once, before it first appears.
    virtual void loadView() { }
    void loadViewIfNeeded();
    virtual void viewWillAppear(bool animated);
    virtual void viewDidAppear(bool animated);
    virtual void viewWillDisappear(bool animated);
    virtual void viewDidDisappear(bool animated);

    // Every screen is upright portrait only.
    static bool shouldAutorotateToInterfaceOrientation(int orientation) { return orientation == 1; }

signals:
    void titleChanged();
    void rightBarButtonTitleChanged();
    void rightBarButtonEnabledChanged();
    void leftBarButtonTitleChanged();
    void backBarButtonTitleChanged();

private:
    void setRightBarButtonTitle(const QString& title);
    void setLeftBarButtonTitle(const QString& title);

    QString m_title;
    QString m_tabBarImage;
    QString m_page;
    QString m_rightBarButtonTitle;
    std::function<void()> m_rightBarButtonAction;
    bool m_rightBarButtonEnabled = true;
    QString m_leftBarButtonTitle;
    std::function<void()> m_leftBarButtonAction;
    QString m_backBarButtonTitle;
    NavigationController* m_navigationController = nullptr;
    bool m_viewLoaded = false;
};
