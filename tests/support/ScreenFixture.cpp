#include "support/ScreenFixture.h"

#include "Platform/Popups/Popup.h"
#include "TrainAndRecognize/ZRTrainController.h"

#include <QTest>
#include <fstream>

void ScreenFixture::writeContacts(const std::string& fileName, const std::string& vcards)
{
    std::ofstream(m_contacts / fileName, std::ios::binary) << vcards;
    m_addressBook.reload();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !m_addressBook.isLoading(); }, 10000));
}

void ScreenFixture::answerTraining(bool keep)
{
    m_screen.forgetAnswers();
    m_screen.answer(Popup::Kind::ActionSheet, ZRTrainController::InstructionsSheet, 0);
    m_screen.answer(Popup::Kind::ActionSheet, ZRTrainController::ConfirmSheet, keep ? 0 : 1);
    m_screen.answer(Popup::Kind::Alert, ZRTrainController::TipAlert, 0);
}
