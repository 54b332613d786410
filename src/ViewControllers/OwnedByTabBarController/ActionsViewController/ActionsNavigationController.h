#pragma once

#include "TrainAndRecognize/ZRtrainCommandControllerDelegate.h"
#include "ViewControllers/PeoplePicker/PeoplePickerNavigationController.h"
#include "ViewControllers/PeoplePicker/PeoplePickerNavigationControllerDelegate.h"
#include "ViewControllers/ScreenServices.h"

#include <memory>

class ZRCommand;
class ZRTrainController;

// The contacts and actions tab: the people picker, rearranged so that the
// menu is its root and the contact list is pushed from the menu. Picking a
// contact shows its numbers with a record button; a tapped number (or the
// record button, for the first number) is trained through the tab's
// training dialogue, which the system commands screen uses too. A number
// the store already has a command for is trained further under the name
// it was made with; a new number becomes a command named after the contact.
class ActionsNavigationController : public PeoplePickerNavigationController,
                                    public PeoplePickerNavigationControllerDelegate,
                                    public ZRtrainCommandControllerDelegate {
    Q_OBJECT

public:
    ActionsNavigationController(
        std::shared_ptr<ViewController> topViewController, const ScreenServices& services, QObject* parent = nullptr);
    ~ActionsNavigationController() override;

    void loadView() override;

    bool peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(
        PeoplePickerNavigationController& peoplePicker, const Contact& person) override;
    bool peoplePickerNavigationControllerShouldContinueAfterSelectingPersonProperty(
        PeoplePickerNavigationController& peoplePicker, const Contact& person, int identifier) override;
    void peoplePickerNavigationControllerDidCancel(PeoplePickerNavigationController&) override { }

    void clickedPersonDetailsRecordBarButton();
    std::shared_ptr<ZRCommand> commandForPerson(const QString& personName, const QString& phoneNumber) const;
    void trainCommand(const std::shared_ptr<ZRCommand>& command, ZRtrainCommandControllerDelegate* delegate);
    ZRTrainController& trainController();
    void trainedCommand(const std::shared_ptr<ZRCommand>&) override { }

    // "First Last", always with one blank between the two parts, either of
    // which may be empty; the organisation stands in only without any name.
    static QString personNameOf(const Contact& person);

    bool isOpeningPersonDetails() const { return m_isOpeningPersonDetails; }
    void setIsOpeningPersonDetails(bool opening) { m_isOpeningPersonDetails = opening; }
    const std::shared_ptr<ViewController>& pickerViewController() const { return m_pickerViewController; }
    void setPickerViewController(std::shared_ptr<ViewController> picker) { m_pickerViewController = std::move(picker); }
    const QString& firstPhoneNumber() const { return m_firstPhoneNumber; }
    void setFirstPhoneNumber(const QString& number) { m_firstPhoneNumber = number; }
    const QString& personName() const { return m_personName; }
    void setPersonName(const QString& name) { m_personName = name; }

protected:
    void willShowViewController(ViewController& viewController) override;

private:
    ScreenServices m_services;
    bool m_isOpeningPersonDetails = false;
    std::shared_ptr<ViewController> m_pickerViewController;
    std::unique_ptr<ZRTrainController> m_trainController;
    QString m_firstPhoneNumber;
    QString m_personName;
};
