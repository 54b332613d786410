#include "ViewControllers/PeoplePicker/PersonViewController.h"

#include "ViewControllers/PeoplePicker/PeoplePickerNavigationController.h"

PersonViewController::PersonViewController(Contact person, QObject* parent)
    : TableViewController(parent)
    , m_person(std::move(person))
{
    setTitle(m_person.displayName());
}

QString PersonViewController::kindOfNumber(const ContactPhone& phone)
{
    // The user's own label says it best; else the kind, translated.
    if (!phone.label.isEmpty())
        return phone.label;
    const QString kind = phone.kind();
    if (kind == QLatin1String("mobile"))
        return qtTrId("phoneKindMobile");
    if (kind == QLatin1String("home"))
        return qtTrId("phoneKindHome");
    if (kind == QLatin1String("work"))
        return qtTrId("phoneKindWork");
    return qtTrId("phoneKindOther");
}

QString PersonViewController::titleForHeaderInSection(int) const
{
    return m_person.displayName();
}

QString PersonViewController::titleForFooterInSection(int) const
{
    return m_person.phoneNumbers.isEmpty() ? qtTrId("personNoPhoneText") : QString();
}

int PersonViewController::numberOfRowsInSection(int) const
{
    return m_person.phoneNumbers.size();
}

TableViewCell PersonViewController::cellForRowAtIndexPath(int, int row) const
{
    const ContactPhone& phone = m_person.phoneNumbers[row];
    TableViewCell cell;
    cell.text = phone.number;
    cell.detailText = kindOfNumber(phone);
    cell.tag = row;
    return cell;
}

void PersonViewController::didSelectRowAtIndexPath(int section, int row)
{
    if (auto* picker = qobject_cast<PeoplePickerNavigationController*>(navigationController()))
        picker->pickPersonProperty(m_person, shownCell(section, row)->tag);
}
