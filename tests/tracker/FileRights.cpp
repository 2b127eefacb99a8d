#include "FileRights.h"

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace trevalo::test {

namespace {

struct Capabilities {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2] = {};

    bool Get() { return syscall(SYS_capget, &header, data) == 0; }
    bool Set() { return syscall(SYS_capset, &header, data) == 0; }
};

constexpr std::uint32_t kOverriding =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

} // namespace

FileRightsHold::FileRightsHold() {
    Capabilities capabilities;
    if (!capabilities.Get())
        return;
    effective_[0] = capabilities.data[0].effective;
    effective_[1] = capabilities.data[1].effective;
    capabilities.data[0].effective &= ~kOverriding;
    dropped_ = capabilities.Set();
}

FileRightsHold::~FileRightsHold() {
    Capabilities capabilities;
    if (!dropped_ || !capabilities.Get())
        return;
    capabilities.data[0].effective = effective_[0];
    capabilities.data[1].effective = effective_[1];
    capabilities.Set();
}

} // namespace trevalo::test
