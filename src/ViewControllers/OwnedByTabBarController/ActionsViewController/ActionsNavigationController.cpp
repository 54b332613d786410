#include "ViewControllers/OwnedByTabBarController/ActionsViewController/ActionsNavigationController.h"

#include "DataModel/ZRCommand.h"
#include "DataModel/ZRCommandList.h"
#include "Platform/Contacts/Contact.h"
#include "TrainAndRecognize/ZRTrainController.h"

ActionsNavigationController::ActionsNavigationController(
    std::shared_ptr<ViewController> topViewController, const ScreenServices& services, QObject* parent)
    : PeoplePickerNavigationController(services.addressBook, parent)
    , m_services(services)
{
    setTitle(qtTrId("tabBarActionsTitle"));
    setTabBarImage(QStringLiteral("actions.png"));
    // The picker's own contact list is kept aside and the menu becomes the
    // root; the list is pushed again from the menu.
    m_pickerViewController = topViewControllerShared();
    popToRootViewControllerAnimated(false);
    setViewControllers({std::move(topViewController)});
    popToRootViewControllerAnimated(false);
    viewWillAppear(true);
    m_isOpeningPersonDetails = false;
}

ActionsNavigationController::~ActionsNavigationController() = default;

void ActionsNavigationController::loadView()
{
    setPeoplePickerDelegate(this);
}

QString ActionsNavigationController::personNameOf(const Contact& person)
{
    QString first = person.firstName;
    QString last = person.lastName;
    if (first.isEmpty() && last.isEmpty())
        first = person.organization;
    return QStringLiteral("%1 %2").arg(first, last);
}

bool ActionsNavigationController::peoplePickerNavigationControllerShouldContinueAfterSelectingPerson(
    PeoplePickerNavigationController&, const Contact& person)
{
    m_isOpeningPersonDetails = true;
    // A contact without numbers has no first number: its record button is
    // off, so this stays empty and is never trained.
    m_firstPhoneNumber = person.phoneNumbers.isEmpty() ? QString() : person.phoneNumbers.front().number;
    m_personName = personNameOf(person);
    return true;
}

bool ActionsNavigationController::peoplePickerNavigationControllerShouldContinueAfterSelectingPersonProperty(
    PeoplePickerNavigationController&, const Contact& person, int identifier)
{
    const QString number = person.phoneNumbers.at(identifier).number;
    trainCommand(commandForPerson(m_personName, number), this);
    // The picker must not call the number.
    return false;
}

void ActionsNavigationController::willShowViewController(ViewController& viewController)
{
    if (!m_isOpeningPersonDetails)
        return;
    viewController.setRightBarButton(
        qtTrId("actionsNavBarRecordButton"), [this] { clickedPersonDetailsRecordBarButton(); });
    viewController.setRightBarButtonEnabled(!m_firstPhoneNumber.isEmpty());
    m_isOpeningPersonDetails = false;
}

void ActionsNavigationController::clickedPersonDetailsRecordBarButton()
{
    if (m_firstPhoneNumber.isEmpty())
        return;
    trainCommand(commandForPerson(m_personName, m_firstPhoneNumber), this);
}

std::shared_ptr<ZRCommand> ActionsNavigationController::commandForPerson(
    const QString& personName, const QString& phoneNumber) const
{
    return m_services.commandList.commandToTrainForPhoneNumber(phoneNumber, personName);
}

void ActionsNavigationController::trainCommand(
    const std::shared_ptr<ZRCommand>& command, ZRtrainCommandControllerDelegate* delegate)
{
    if (command)
        trainController().trainCommand(command, delegate);
}

ZRTrainController& ActionsNavigationController::trainController()
{
    if (!m_trainController) {
        m_trainController
            = std::make_unique<ZRTrainController>(m_services.popupHost, m_services.audioDevice, m_services.commandList);
    }
    return *m_trainController;
}
