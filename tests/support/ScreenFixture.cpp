#include "support/ScreenFixture.h"

#include "Platform/Popups/Popup.h"
#include "TrainAndRecognize/ZRTrainController.h"
#include "ViewControllers/Kit/QuickPopupHost.h"

#include <QQmlApplicationEngine>
#include <fstream>

void ScreenFixture::writeContacts(const std::string& vcards)
{
    std::ofstream(m_contacts / "people.vcf", std::ios::binary) << vcards;
    m_addressBook.reload();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_addressBook.isLoading(); }, 10000));
}

void ScreenFixture::answerTraining()
{
    m_screen.forgetAnswers();
    m_screen.answer(Popup::Kind::ActionSheet, ZRTrainController::InstructionsSheet, 0);
    m_screen.answer(Popup::Kind::ActionSheet, ZRTrainController::ConfirmSheet, 0);
    m_screen.answer(Popup::Kind::Alert, ZRTrainController::TipAlert, 0);
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
