// The command line's standard output, written with the system's own calls so that a write
// that fails (a full disk, a closed output) is known, with its reason.
#pragma once

#include <array>
#include <ostream>
#include <streambuf>

namespace vtr {

class FdOutput final : public std::streambuf {
 public:
  // Writes to the open file descriptor `fd`.
  explicit FdOutput(int fd);
  FdOutput(const FdOutput&) = delete;
  FdOutput& operator=(const FdOutput&) = delete;

  // 0 while every write went through; the error number of the first one that failed.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  // Writes what the buffer holds; false once a write has failed.
  bool drain();

  int fd_;
  int error_ = 0;
  std::array<char, 1 << 16> buffer_{};
};

// The end of a command that wrote to `output`: flushed; when something could not be written,
// one line on `err` says why and the status is 1, otherwise it stays `status`.
int finish_output(int status, FdOutput& output, std::ostream& err);

}  // namespace vtr
