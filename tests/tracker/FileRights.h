/// \file
/// File permissions that hold for the test as they hold for a user: root's capabilities that
/// override them are set aside while one of these lives.
#pragma once

#include <cstdint>

namespace trevalo::test {

class FileRightsHold {
public:
    /// Drops the overriding capabilities from this thread's effective set, where it has them.
    FileRightsHold();
    /// Takes them back.
    ~FileRightsHold();
    FileRightsHold(const FileRightsHold&) = delete;
    FileRightsHold& operator=(const FileRightsHold&) = delete;

private:
    std::uint32_t effective_[2] = {};
    bool dropped_ = false;
};

} // namespace trevalo::test
