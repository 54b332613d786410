#include "support/ScreenFixture.h"

#include "ViewControllers/Kit/QuickPopupHost.h"

#include <QQmlApplicationEngine>

void ScreenFixture::writeContacts(const QByteArray& vcards)
{
    IsolatedStorage::touch(m_storage.contacts() + "/people.vcf", vcards);
    m_addressBook.reload();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_addressBook.isLoading(); }, 10000));
}

void ScreenFixture::launch()
{
    IsolatedStorage::touch(m_storage.contacts() + "/people.vcf",
        "BEGIN:VCARD\nVERSION:3.0\nN:Berg;Anna;;;\nFN:Anna Berg\nTEL;TYPE=cell:+49 170 005\nEND:VCARD\n");
    m_application.applicationDidFinishLaunching();
    m_window = qobject_cast<QQuickWindow*>(m_application.window()->rootObjects().first());
    m_window->requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_application.addressBook()->isLoading(); }, 10000));
}

QQuickItem* ScreenFixture::shown(const QString& name) const
{
    // Through the tree of what is drawn: list rows are no QObject children.
    const std::function<QQuickItem*(QQuickItem*)> find = [&](QQuickItem* from) -> QQuickItem* {
        if (!from->isVisible() || from->objectName() == name)
            return from->isVisible() ? from : nullptr;
        for (QQuickItem* child : from->childItems()) {
            if (QQuickItem* found = find(child))
                return found;
        }
        return nullptr;
    };
    return find(m_window->contentItem());
}

void ScreenFixture::tap(const QString& name)
{
    QQuickItem* target = shown(name);
    ASSERT_NE(target, nullptr) << name.toStdString();
    QTest::mouseClick(m_window, Qt::LeftButton, {}, target->mapToScene(target->boundingRect().center()).toPoint());
    QTest::qWait(50);
}

bool ScreenFixture::run(const std::function<bool()>& done)
{
    return QTest::qWaitFor([&] { return done() || (m_clock.advance(std::chrono::milliseconds(100)), done()); }, 60000);
}

bool ScreenFixture::popupHasFocus() const
{
    const QString name = m_window->activeFocusItem() ? m_window->activeFocusItem()->objectName() : QString();
    return host().visible() && (name.startsWith("sheetButton") || name.startsWith("alertButton"));
}
