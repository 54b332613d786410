#pragma once

#include <stdexcept>
#include <sys/capability.h>

// Root reads and writes files whatever their permissions say. While this
// lives, the thread that made it gives up that power, and so does every
// thread it starts meanwhile (a new thread copies its creator's
// capabilities); at the end this thread takes it back. For anyone else it
// changes nothing: they never had it.
class WithoutPermissionOverride {
public:
    WithoutPermissionOverride() { setOverride(CAP_CLEAR); }
    ~WithoutPermissionOverride() { setOverride(CAP_SET); }
    WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
    WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;

private:
    static void setOverride(cap_flag_value_t value)
    {
        cap_t capabilities = cap_get_proc();
        if (capabilities == nullptr)
            throw std::runtime_error("cannot read this thread's capabilities");
        cap_flag_value_t permitted = CAP_CLEAR;
        cap_get_flag(capabilities, CAP_DAC_OVERRIDE, CAP_PERMITTED, &permitted);
        const cap_value_t overrides[] = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH};
        const bool failed = permitted == CAP_SET
            && (cap_set_flag(capabilities, CAP_EFFECTIVE, 2, overrides, value) != 0 || cap_set_proc(capabilities) != 0);
        cap_free(capabilities);
        if (failed)
            throw std::runtime_error("cannot change this thread's capabilities");
    }
};
