#pragma once

#include "cli/CliContext.h"

// The address book as the application reads it: contacts.
class ContactsCommands : public CliCommandGroup {
public:
    using CliCommandGroup::CliCommandGroup;

    int contacts(Arguments arguments);
};
