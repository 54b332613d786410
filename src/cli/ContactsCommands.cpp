#include "cli/ContactsCommands.h"

#include "Platform/Contacts/AddressBook.h"
#include "cli/ContactsReport.h"
#include "cli/ZarnethCli.h"

int ContactsCommands::contacts(Arguments arguments)
{
    const bool json = arguments.size() == 1 && arguments[0] == "--json";
    if (!arguments.empty() && !json)
        return m_cli.usageError("contacts takes only --json");
    // Read at once, in the same way and from the same folder as the
    // application reads it in the background.
    const AddressBook::Reading book = AddressBook::read(AddressBook::defaultDirectory());
    const ContactsReport report(book.contacts, book.skipped);
    if (json)
        report.writeJson(m_cli.out());
    else
        report.writeText(m_cli.out());
    report.writeSkipped(m_cli.err());
    return ZarnethCli::kSuccess;
}
