#pragma once

// Root reads and writes files whatever their permissions say. While this
// lives, the thread that made it gives up that power, and so does every
// thread it starts meanwhile (a new thread copies its creator's
// capabilities); at the end this thread takes it back. For anyone else it
// changes nothing: they never had it.
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride();
    ~WithoutPermissionOverride();
    WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
    WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;
};
