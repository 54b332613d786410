#include "support/ReadOnlyFolder.h"

#include <QFile>

#include <stdexcept>
#include <sys/capability.h>
#include <sys/stat.h>

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

ReadOnlyFolder::ReadOnlyFolder(QString path)
    : m_path(std::move(path))
{
    struct stat info {};
    const QByteArray name = QFile::encodeName(m_path);
    if (stat(name.constData(), &info) != 0)
        throw std::runtime_error("no such folder");
    m_oldMode = info.st_mode & 07777;
    chmod(name.constData(), 0555);
    setOverride(CAP_CLEAR);
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    setOverride(CAP_SET);
    chmod(QFile::encodeName(m_path).constData(), m_oldMode);
}
