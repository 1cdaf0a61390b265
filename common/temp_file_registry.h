#pragma once

#include <cstddef>
#include <string>

namespace zendro {

// Keeps a temporary file's path where a SIGINT or SIGTERM handler can find it:
// the handler removes every registered file, then lets the signal do what it
// did before (end the process, as a rule). Registration ends with the object.
//
// The handler can only read memory that needs no locks, so the paths live in a
// fixed table shared by the whole process (the one piece of global state, and
// the reason for it). A path that does not fit, or a full table, goes
// unregistered: the file is then only removed by normal unwinding.
class RegisteredTempFile {
  public:
    explicit RegisteredTempFile(const std::string& path);
    RegisteredTempFile(const RegisteredTempFile&) = delete;
    RegisteredTempFile& operator=(const RegisteredTempFile&) = delete;
    ~RegisteredTempFile();

  private:
    std::size_t slot_;
};

// While any of these lives, in any thread, SIGINT and SIGTERM wait: a run of
// renames is never cut in the middle. A signal that came meanwhile is raised
// again when the last one ends, and then removes the files still registered.
class SignalsHeldBack {
  public:
    SignalsHeldBack();
    SignalsHeldBack(const SignalsHeldBack&) = delete;
    SignalsHeldBack& operator=(const SignalsHeldBack&) = delete;
    ~SignalsHeldBack();
};

}  // namespace zendro
