#include "support/WithoutPermissionOverride.h"

#include <stdexcept>
#include <sys/capability.h>

namespace {

// Sets whether this thread's permission checks may be overridden.
void setOverride(cap_flag_value_t value)
{
    cap_t capabilities = cap_get_proc();
    if (capabilities == nullptr)
        throw std::runtime_error("cannot read this thread's capabilities");
    cap_flag_value_t permitted = CAP_CLEAR;
    cap_get_flag(capabilities, CAP_DAC_OVERRIDE, CAP_PERMITTED, &permitted);
    if (permitted == CAP_SET) {
        const cap_value_t overrides[] = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH};
        cap_set_flag(capabilities, CAP_EFFECTIVE, 2, overrides, value);
        if (cap_set_proc(capabilities) != 0) {
            cap_free(capabilities);
            throw std::runtime_error("cannot change this thread's capabilities");
        }
    }
    cap_free(capabilities);
}

}  // namespace

WithoutPermissionOverride::WithoutPermissionOverride()
{
    setOverride(CAP_CLEAR);
}

WithoutPermissionOverride::~WithoutPermissionOverride()
{
    setOverride(CAP_SET);
}
