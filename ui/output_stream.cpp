#include "ui/output_stream.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "ui/command_line.h"

namespace vtr {

FdOutput::FdOutput(int fd) : fd_(fd) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

bool FdOutput::drain() {
  const char* at = pbase();
  while (error_ == 0 && at < pptr()) {
    const ssize_t n = ::write(fd_, at, static_cast<std::size_t>(pptr() - at));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = n < 0 ? errno : EIO;
      break;
    }
    at += n;
  }
  // What could not be written is dropped: the command runs on and its status says so.
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return error_ == 0;
}

FdOutput::int_type FdOutput::overflow(int_type c) {
  if (!drain()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

int FdOutput::sync() {
  return drain() ? 0 : -1;
}

int finish_output(int status, FdOutput& output, std::ostream& err) {
  output.pubsync();
  if (output.error() == 0) return status;
  err << "vantrel-tiff-reader: cannot write the output: " << std::strerror(output.error()) << '\n';
  return kExitRefused;
}

}  // namespace vtr
